#include "platform/ControlId.h"

#include <QPointer>
#include <QWidget>

namespace {
constexpr const char* kIdProperty = "svpControlId";
constexpr const char* kOwnerLinkName = "svpControlOwnerLink";

// A hidden child that remembers the owner with a guarded pointer.
class OwnerLink : public QObject {
public:
    explicit OwnerLink(QObject* parent) : QObject(parent) { setObjectName(kOwnerLinkName); }
    QPointer<QObject> owner;
};

OwnerLink* FindLink(const QWidget* control)
{
    return control->findChild<OwnerLink*>(kOwnerLinkName, Qt::FindDirectChildrenOnly);
}
} // namespace

void SetControlId(QWidget* w, int id)
{
    if (!w || id < 0)
        return;
    w->setProperty(kIdProperty, id);
}

int GetControlId(const QWidget* w)
{
    if (!w)
        return 0;
    bool ok = false;
    const int id = w->property(kIdProperty).toInt(&ok);
    return ok ? id : 0;
}

QWidget* FindControlById(const QWidget* parent, int id)
{
    if (!parent)
        return nullptr;
    const auto children = parent->findChildren<QWidget*>();
    for (QWidget* c : children) {
        if (c->property(kIdProperty).isValid() && GetControlId(c) == id)
            return c;
    }
    return nullptr;
}

void SetControlOwner(QWidget* control, QObject* owner)
{
    if (!control)
        return;
    OwnerLink* link = FindLink(control);
    if (!link)
        link = new OwnerLink(control);
    link->owner = owner;
}

QObject* GetControlOwner(const QWidget* control)
{
    if (!control)
        return nullptr;
    if (OwnerLink* link = FindLink(control); link && link->owner)
        return link->owner.data();
    return control->parentWidget();
}

bool NotifyOwner(const QWidget* control, unsigned msg, WPARAM wParam, LPARAM lParam, QVariant payload)
{
    return PostMsg(GetControlOwner(control), msg, wParam, lParam, std::move(payload));
}
