#pragma once
// The acknowledged caption transfer without timers or windows: it hands out the chunks to send and
// decides what an acknowledgement or an expired wait means. The page owns the timers and the link.
//
// A picture goes out top row first, in chunks of whole rows of at most kMaxChunkBytes; the offset
// of a chunk is its byte offset in the top-down row data. Each chunk must be acknowledged with its
// offset and status 1; an unacknowledged chunk is sent again at most kMaxResends times, counted
// afresh for every chunk, then the transfer has failed.

#include "pages/system/CaptionBitmap.h"

#include <cstdint>
#include <vector>

namespace caption {

inline constexpr int kMaxChunkBytes = 1344;
inline constexpr int kAckWaitMs = 2000;
inline constexpr int kMaxResends = 3;
inline constexpr uint8_t kAckGood = 1;

struct Chunk {
    uint32_t offset = 0;
    std::vector<uint8_t> bytes;
};

class CaptionTransfer {
public:
    enum class Phase { Idle, AwaitingAccept, Sending, Done, Failed };
    enum class AckOutcome { Ignored, NextChunk, Finished };
    enum class TimeoutOutcome { Ignored, Resend, GiveUp };

    // Takes the picture (rows as stored in the file) and waits for the processor to accept it.
    // invert: every byte sent is complemented (padding bits included).
    void Begin(MonoBitmap picture, bool invert);
    // The processor's answer to the announcement. Accepted: the first chunk becomes Current()
    // and true is returned (send it). Refused, or not awaiting an answer: false; a refusal
    // fails the transfer.
    bool Accept(bool accepted);
    // An acknowledgement: Ignored unless it names the outstanding chunk with status 1;
    // NextChunk: Current() is the next chunk to send; Finished: the last chunk arrived.
    AckOutcome Acknowledge(uint32_t offset, uint8_t status);
    // The wait for the outstanding chunk expired: Resend Current(), or GiveUp (Failed).
    TimeoutOutcome AckTimedOut();
    // Drops the transfer (Idle).
    void Cancel();

    Phase State() const { return phase_; }
    bool IsActive() const { return phase_ == Phase::AwaitingAccept || phase_ == Phase::Sending; }
    const Chunk& Current() const { return current_; }
    int ResendsOfCurrent() const { return resends_; }
    int Width() const { return picture_.width; }
    int Height() const { return picture_.height; }
    int RowsPerChunk() const { return rowsPerChunk_; }

private:
    void BuildChunk(int firstRow, int rows);

    MonoBitmap picture_;
    bool invert_ = false;
    Phase phase_ = Phase::Idle;
    int rowsPerChunk_ = 0;
    int nextRow_ = 0;  // 0-based, from the top: the first row not yet put into a chunk
    int resends_ = 0;
    Chunk current_;
};

// Every chunk of a picture in order, as the transfer sends them when every one is acknowledged.
std::vector<Chunk> AllChunks(const MonoBitmap& picture, bool invert);

}  // namespace caption
