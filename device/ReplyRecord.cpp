#include "device/ReplyRecord.h"

#include "device/CommandIds.h"

#include <cstring>

namespace {

// The event fields, in the order they are copied.
template <class Device, class Visit>
void VisitEventFields(Device& d, Visit visit)
{
    visit(&d.eventCode, sizeof d.eventCode);
    visit(d.eventArg, sizeof d.eventArg);
    visit(&d.ackOffset, sizeof d.ackOffset);
    visit(&d.ackValue, sizeof d.ackValue);
    visit(&d.ackStatus, sizeof d.ackStatus);
}

template <class Device, class Visit>
bool VisitFields(Device& d, int replyId, Visit visit)
{
    switch (replyId) {
    case REPLY_EVENT:
        VisitEventFields(d, visit);
        return true;
    case REPLY_ENCODER_INFO:
        visit(d.encoderInfo, sizeof d.encoderInfo);
        return true;
    default:
        return false;
    }
}

}  // namespace

QByteArray CaptureReplyRecord(const CDeviceData& device, int replyId)
{
    QByteArray record;
    VisitFields(device, replyId, [&](const void* field, std::size_t size) {
        record.append(static_cast<const char*>(field), static_cast<qsizetype>(size));
    });
    return record;
}

bool RestoreReplyRecord(CDeviceData& device, int replyId, const QByteArray& record)
{
    std::size_t size = 0;
    if (!VisitFields(device, replyId, [&](void*, std::size_t n) { size += n; })) return false;
    if (record.size() != static_cast<qsizetype>(size)) return false;
    std::size_t at = 0;
    VisitFields(device, replyId, [&](void* field, std::size_t n) {
        std::memcpy(field, record.constData() + at, n);
        at += n;
    });
    return true;
}
