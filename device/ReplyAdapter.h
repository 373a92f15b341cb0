#pragma once
// Turns the communication library's generic reply (id, status, arguments, payload bytes) into the
// parameter list of its handler. Every length and index is checked first: a payload shorter than
// its reply needs, or an index outside its table, drops the reply before any handler sees it.
// A longer payload is accepted; the bytes beyond the reply's record are ignored.

#include "comm/CommLibrary.h"

#include <cstdint>

class ReplyHandlers;

// Payload bytes the fixed-size replies need (0 for replies that read no payload or that have
// their own rule: 14 by count, 24 by event, 26 any data, 27 MAC and text).
std::size_t ReplyPayloadLength(int replyId);

// Calls the handler of packet.replyId on the calling thread. False when the reply was dropped
// (unknown id, too short, index out of range, or from another processor than the one the
// commands go to). Reply 26 goes to the video sink.
//
// A reply that changes what the program holds of the processor is taken only from a link that a
// command to g_DeviceAddress goes out on (comm::CommLibrary::CommandsReach), so a processor the
// operator did not choose cannot replace the configuration; while commands go to every link (the
// broadcast address) or over the serial port, that is any link. The online report, the status
// and search answers are taken from every processor: the search page watches them all. It reads
// g_DeviceAddress, so it runs on the UI thread, which writes it (UiReplyRelay calls it there).
bool DispatchReply(ReplyHandlers& handlers, const comm::ReplyPacket& packet);

// Replies DispatchReply dropped because they came from another processor than the one the
// commands go to (any thread).
uint64_t RepliesFromOtherProcessors();
