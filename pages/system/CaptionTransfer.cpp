#include "pages/system/CaptionTransfer.h"

#include <algorithm>
#include <utility>

namespace caption {

void CaptionTransfer::Begin(MonoBitmap picture, bool invert)
{
    picture_ = std::move(picture);
    invert_ = invert;
    current_ = Chunk{};
    nextRow_ = 0;
    resends_ = 0;
    const bool usable = picture_.height > 0 && picture_.stride > 0 && picture_.stride <= kMaxChunkBytes &&
                        picture_.rows.size() == std::size_t(picture_.stride) * std::size_t(picture_.height);
    rowsPerChunk_ = usable ? std::min(kMaxChunkBytes / picture_.stride, picture_.height) : 0;
    phase_ = usable ? Phase::AwaitingAccept : Phase::Failed;
}

void CaptionTransfer::BuildChunk(int firstRow, int rows)
{
    const std::size_t stride = static_cast<std::size_t>(picture_.stride);
    const auto from = picture_.rows.begin() + static_cast<std::ptrdiff_t>(firstRow * stride);
    current_.offset = static_cast<uint32_t>(firstRow * stride);
    current_.bytes.assign(from, from + static_cast<std::ptrdiff_t>(rows * stride));
    if (invert_)
        for (auto& b : current_.bytes) b = static_cast<uint8_t>(~b);
    nextRow_ = firstRow + rows;
    resends_ = 0;
}

bool CaptionTransfer::Accept(bool accepted)
{
    if (phase_ != Phase::AwaitingAccept) return false;
    if (!accepted) {
        phase_ = Phase::Failed;
        return false;
    }
    phase_ = Phase::Sending;
    BuildChunk(0, rowsPerChunk_);
    return true;
}

CaptionTransfer::AckOutcome CaptionTransfer::Acknowledge(uint32_t offset, uint8_t status)
{
    if (phase_ != Phase::Sending || status != kAckGood || offset != current_.offset) return AckOutcome::Ignored;
    if (nextRow_ >= picture_.height) {
        phase_ = Phase::Done;
        return AckOutcome::Finished;
    }
    BuildChunk(nextRow_, std::min(rowsPerChunk_, picture_.height - nextRow_));
    return AckOutcome::NextChunk;
}

CaptionTransfer::TimeoutOutcome CaptionTransfer::AckTimedOut()
{
    if (phase_ != Phase::Sending) return TimeoutOutcome::Ignored;
    if (resends_ < kMaxResends) {
        ++resends_;
        return TimeoutOutcome::Resend;
    }
    phase_ = Phase::Failed;
    return TimeoutOutcome::GiveUp;
}

void CaptionTransfer::Cancel()
{
    phase_ = Phase::Idle;
    current_ = Chunk{};
}

std::vector<Chunk> AllChunks(const MonoBitmap& picture, bool invert)
{
    std::vector<Chunk> out;
    CaptionTransfer t;
    t.Begin(picture, invert);
    if (!t.Accept(true)) return out;
    out.push_back(t.Current());
    while (t.Acknowledge(t.Current().offset, kAckGood) == CaptionTransfer::AckOutcome::NextChunk)
        out.push_back(t.Current());
    return out;
}

}  // namespace caption
