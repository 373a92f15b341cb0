#include "controls/PendingCommits.h"

#include "controls/NumericEditBase.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include <algorithm>
#include <vector>

namespace {

// Sees the operator's input before anything else does, while commits wait.
class InputWatch : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::ContextMenu: pendingcommits::DeliverAll(); break;
        default: break;
        }
        return false;
    }
};

int handingOver = 0;

std::vector<QPointer<NumericEditBase>>& Waiting()
{
    static std::vector<QPointer<NumericEditBase>> waiting;
    return waiting;
}

// Watches the operator's input only while commits wait.
void WatchInput(bool on)
{
    static InputWatch* const watch = new InputWatch;
    if (QCoreApplication* app = QCoreApplication::instance()) {
        if (on)
            app->installEventFilter(watch);
        else
            app->removeEventFilter(watch);
    }
}

} // namespace

namespace pendingcommits {

void Add(NumericEditBase* edit)
{
    if (!edit) return;
    if (Waiting().empty()) WatchInput(true);
    Waiting().emplace_back(edit);
}

void Remove(const NumericEditBase* edit)
{
    auto& w = Waiting();
    const size_t before = w.size();
    // Also drops the places of edits already gone.
    w.erase(std::remove_if(w.begin(), w.end(),
                           [edit](const QPointer<NumericEditBase>& e) { return e.isNull() || e == edit; }),
            w.end());
    if (w.size() != before && w.empty()) WatchInput(false);
}

void DeliverAll()
{
    if (handingOver > 0 || Waiting().empty()) return;
    // A commit handed over may cause others (a page disabling a focused edit); those wait their turn.
    const std::vector<QPointer<NumericEditBase>> now = Waiting();
    for (const QPointer<NumericEditBase>& edit : now)
        if (edit) edit->DeliverCommit();
}

HandingOver::HandingOver() { ++handingOver; }

HandingOver::~HandingOver() { --handingOver; }

} // namespace pendingcommits
