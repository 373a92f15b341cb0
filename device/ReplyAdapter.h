#pragma once
// Turns the communication library's generic reply (id, status, arguments, payload bytes) into the
// parameter list of its handler. Every length and index is checked first: a payload shorter than
// its reply needs, or an index outside its table, drops the reply before any handler sees it.
// A longer payload is accepted; the bytes beyond the reply's record are ignored.

#include "comm/CommLibrary.h"

class ReplyHandlers;

// Payload bytes the fixed-size replies need (0 for replies that read no payload or that have
// their own rule: 14 by count, 24 by event, 26 any data, 27 MAC and text).
std::size_t ReplyPayloadLength(int replyId);

// Calls the handler of packet.replyId on the calling thread. False when the reply was dropped
// (unknown id, too short, index out of range). Reply 26 goes to the video sink.
bool DispatchReply(ReplyHandlers& handlers, const comm::ReplyPacket& packet);
