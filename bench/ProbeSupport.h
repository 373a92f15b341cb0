#pragma once
// What both start-up probes share: they print "shown <CLOCK_MONOTONIC ns> <process CPU ns>"
// when a top-level window paints for the first time, and end their event loop when standard input closes, so
// that app_bench can time them and stop them cleanly.

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QSocketNotifier>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <functional>
#include <unistd.h>

class FirstShowProbe : public QObject {
public:
    // onShown runs once, after the time has been printed.
    explicit FirstShowProbe(std::function<void()> onShown = {}) : onShown_(std::move(onShown))
    {
        QCoreApplication::instance()->installEventFilter(this);
        // Standard input closing (the bench closes its end) asks the program to end.
        stdin_ = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        connect(stdin_, &QSocketNotifier::activated, this, [this] {
            char buffer[64];
            if (::read(STDIN_FILENO, buffer, sizeof buffer) > 0) return;
            stdin_->setEnabled(false);
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible()) w->close();
            QCoreApplication::exit(0);
        });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!shown_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            shown_ = true;
            timespec now{}, cpu{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
            std::printf("shown %lld %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                        static_cast<long long>(cpu.tv_sec) * 1000000000LL + cpu.tv_nsec);
            std::fflush(stdout);
            QCoreApplication::instance()->removeEventFilter(this);
            if (onShown_) onShown_();
        }
        return false;
    }

private:
    std::function<void()> onShown_;
    QSocketNotifier* stdin_ = nullptr;
    bool shown_ = false;
};
