#include "platform/DeviceNodeWatcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

DeviceNodeWatcher::DeviceNodeWatcher(QObject* parent, const QString& folder, int settleMs) : QObject(parent)
{
    settle_.setSingleShot(true);
    settle_.setInterval(settleMs);
    connect(&settle_, &QTimer::timeout, this, &DeviceNodeWatcher::Changed);

    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) return;
    const QByteArray path = folder.toLocal8Bit();
    if (inotify_add_watch(fd_, path.constData(), IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO) < 0) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &DeviceNodeWatcher::OnReadable);
}

DeviceNodeWatcher::~DeviceNodeWatcher()
{
    delete notifier_;  // before the descriptor it watches is closed
    if (fd_ >= 0) ::close(fd_);
}

bool DeviceNodeWatcher::IsSerialNodeName(const char* name)
{
    return std::strncmp(name, "tty", 3) == 0 || std::strncmp(name, "rfcomm", 6) == 0 ||
           std::strcmp(name, "serial") == 0;
}

void DeviceNodeWatcher::OnReadable()
{
    alignas(inotify_event) char buffer[4096];
    bool relevant = false;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            // A queue overflow lost events: assume one of them mattered.
            if ((event->mask & IN_Q_OVERFLOW) || (event->len > 0 && IsSerialNodeName(event->name))) relevant = true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    if (relevant) settle_.start();
}
