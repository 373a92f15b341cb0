#pragma once
// Turns SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in the starting terminal) into a call
// on the UI thread, so that the program closes as the operator would close it and nothing is lost.
// The handler only writes one byte to a pipe; the UI thread reads it through a socket notifier.
// A signal the program was started ignoring (nohup, a background job) is left ignored.

#include <QObject>

#include <functional>

class QSocketNotifier;

class TerminationSignals : public QObject {
public:
    // One at a time in the process: a second one while the first lives installs nothing.
    explicit TerminationSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool Installed() const { return installed_; }

private:
    void Drain();

    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
    bool installed_ = false;
};
