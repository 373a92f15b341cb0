#pragma once
// Notices serial device nodes (tty*, rfcomm*, the serial/ folder) appearing in or leaving a
// device folder, normally /dev: a USB adapter plugged in or pulled. inotify through the event
// loop, so nothing runs while nothing changes.

#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

class DeviceNodeWatcher : public QObject {
    Q_OBJECT
public:
    // settleMs: Changed waits this long after the last node event, so that a burst (the node,
    // then its links) gives one signal and udev has described the port when it is listed.
    explicit DeviceNodeWatcher(QObject* parent = nullptr, const QString& folder = QStringLiteral("/dev"),
                               int settleMs = 250);
    ~DeviceNodeWatcher() override;
    DeviceNodeWatcher(const DeviceNodeWatcher&) = delete;
    DeviceNodeWatcher& operator=(const DeviceNodeWatcher&) = delete;

    // False when the folder could not be watched; nothing will be signalled then.
    bool IsWatching() const { return fd_ >= 0; }

    // Whether a node of that name may be a serial port.
    static bool IsSerialNodeName(const char* name);

signals:
    void Changed();

private:
    void OnReadable();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QTimer settle_;
};
