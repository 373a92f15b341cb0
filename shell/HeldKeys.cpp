#include "shell/HeldKeys.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>

#include <set>

namespace {

std::set<int>& Held()
{
    static std::set<int> keys;
    return keys;
}

class HeldKeyWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress:
            Held().insert(static_cast<QKeyEvent*>(e)->key());
            break;
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(e);
            // A repeat's release is followed by another press: the key stays down.
            if (!key->isAutoRepeat()) Held().erase(key->key());
            break;
        }
        case QEvent::ApplicationDeactivate:
            Held().clear();
            break;
        case QEvent::ApplicationStateChange:
            if (static_cast<QApplicationStateChangeEvent*>(e)->applicationState() != Qt::ApplicationActive)
                Held().clear();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, e);
    }
};

QPointer<HeldKeyWatcher>& Watcher()
{
    static QPointer<HeldKeyWatcher> watcher;
    return watcher;
}

} // namespace

void WatchHeldKeys()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || Watcher()) return;
    // Owned by the application: it goes away with it.
    Watcher() = new HeldKeyWatcher(app);
    app->installEventFilter(Watcher());
}

bool IsKeyHeld(int key)
{
    return Held().count(key) != 0;
}

void ForgetHeldKeys()
{
    Held().clear();
}
