#pragma once
// One input of the caption fuzz target: the bytes as a BMP file, read as the 1-bit file that is
// sent and decoded as a picked picture (through Qt's reader); a 1-bit file that reads is then sent through the
// acknowledged transfer, driven by acknowledgements and time-outs taken from the file's last bytes.
// The libFuzzer entry point and the corpus replay test both call this. A broken invariant aborts.

#include "pages/system/CaptionBitmap.h"
#include "pages/system/CaptionTransfer.h"

#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace fuzz_pages {

inline void CaptionTransferRun(const caption::MonoBitmap& picture, const uint8_t* script, size_t scriptSize)
{
    using caption::CaptionTransfer;
    const bool invert = scriptSize > 0 && (script[0] & 1);
    CaptionTransfer t;
    t.Begin(picture, invert);
    if (t.State() != CaptionTransfer::Phase::AwaitingAccept) std::abort();
    if (!t.Accept(true)) std::abort();
    const std::size_t total = picture.rows.size();
    uint32_t expectedOffset = 0;
    int chunks = 0;
    size_t at = 1;
    // Every chunk: whole rows, the next ones in order, no larger than a chunk may be, the picture's
    // own bytes (complemented when inverting).
    auto checkChunk = [&] {
        const caption::Chunk& c = t.Current();
        if (c.offset != expectedOffset || c.bytes.empty() || c.bytes.size() > std::size_t(caption::kMaxChunkBytes) ||
            c.bytes.size() % std::size_t(picture.stride) != 0 || c.offset + c.bytes.size() > total)
            std::abort();
        for (std::size_t i = 0; i < c.bytes.size(); ++i) {
            const uint8_t b = picture.rows[c.offset + i];
            if (c.bytes[i] != (invert ? uint8_t(~b) : b)) std::abort();
        }
    };
    checkChunk();
    ++chunks;
    // Bounded: a chunk carries at least one row, and each script byte is one event.
    for (int events = 0; t.State() == CaptionTransfer::Phase::Sending && events < 4 * caption::kMaxHeight + 64; ++events) {
        const uint8_t e = at < scriptSize ? script[at++] : 0;
        if (e % 8 == 7) {
            const auto out = t.AckTimedOut();
            if (out == CaptionTransfer::TimeoutOutcome::GiveUp && t.State() != CaptionTransfer::Phase::Failed) std::abort();
            if (t.ResendsOfCurrent() > caption::kMaxResends) std::abort();
            continue;
        }
        // Mostly the right acknowledgement, sometimes a wrong offset or status.
        const uint32_t offset = e % 8 == 6 ? t.Current().offset + 1 + e : t.Current().offset;
        const uint8_t status = e % 8 == 5 ? uint8_t(e) : caption::kAckGood;
        const bool right = offset == t.Current().offset && status == caption::kAckGood;
        const uint32_t before = t.Current().offset;
        const std::size_t beforeSize = t.Current().bytes.size();
        const auto out = t.Acknowledge(offset, status);
        if (!right) {
            if (out != CaptionTransfer::AckOutcome::Ignored) std::abort();
            continue;
        }
        if (out == CaptionTransfer::AckOutcome::Finished) {
            if (before + beforeSize != total || t.State() != CaptionTransfer::Phase::Done) std::abort();
            break;
        }
        if (out != CaptionTransfer::AckOutcome::NextChunk) std::abort();
        expectedOffset = before + static_cast<uint32_t>(beforeSize);
        checkChunk();
        if (++chunks > picture.height) std::abort();
    }
}

inline void CaptionBmpOne(const uint8_t* data, size_t size)
{
    // The fuzzer's own buffer, not a copy with a terminating zero: a read past the end is caught.
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    caption::MonoBitmap mono;
    const caption::BmpError monoError = caption::ReadMonoBmp(file, mono);
    if (monoError == caption::BmpError::None) {
        if (mono.width < 1 || mono.width > caption::kMaxWidth || mono.height < 1 || mono.height > caption::kMaxHeight ||
            mono.stride != caption::RowStride(mono.width) ||
            mono.rows.size() != std::size_t(mono.stride) * std::size_t(mono.height))
            std::abort();
    } else if (mono.width != 0 || mono.height != 0 || !mono.rows.empty()) {
        std::abort();
    }

    QImage image;
    const caption::BmpError decodeError = caption::DecodeBmp(file, image);
    if (decodeError == caption::BmpError::None) {
        if (image.isNull() || image.width() > caption::kMaxWidth || image.height() > caption::kMaxHeight ||
            image.format() != QImage::Format_RGB32)
            std::abort();
    } else if (!image.isNull()) {
        std::abort();
    }
    if (monoError == caption::BmpError::None) {
        // A 1-bit file both readers take has one size.
        if (decodeError == caption::BmpError::None && (image.width() != mono.width || image.height() != mono.height))
            std::abort();
        // The transfer is driven by the last bytes, which are usually pixel data or slack.
        const size_t scriptSize = size < 32 ? size : 32;
        CaptionTransferRun(mono, data + size - scriptSize, scriptSize);
    }
}

}  // namespace fuzz_pages
