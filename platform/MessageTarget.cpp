#include "platform/MessageTarget.h"

bool MessageTarget::DispatchMessageEvent(QEvent* e)
{
    if (!e || e->type() != MessageEvent::EventType())
        return false;
    auto* m = static_cast<MessageEvent*>(e);
    m->SetResult(OnMessage(m->Msg(), m->WParam(), m->LParam(), m->Payload()));
    m->SetHandled(true);
    return true;
}
