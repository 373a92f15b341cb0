#pragma once
// Device fields that only ever hold the latest reply of their id, although two replies of that id
// can carry different things: an encoder record of another type (reply 28), another event
// (reply 24). A reply's notice to the main window is dispatched later than its handler ran, and
// replies handled in between would change what the earlier notice shows (a stream record read as
// the version record that followed it). So the notice carries a copy of these fields and the
// dispatcher puts it back before the pages read them.

#include "device/CDeviceData.h"

#include <QByteArray>

// The fields of replyId as they stand; empty for an id whose fields need no copy.
QByteArray CaptureReplyRecord(const CDeviceData& device, int replyId);

// Puts a copy made by CaptureReplyRecord back. False (and nothing changed) when record is not a
// whole copy of that id's fields.
bool RestoreReplyRecord(CDeviceData& device, int replyId, const QByteArray& record);
