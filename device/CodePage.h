#pragma once
// Byte <-> text conversions for text files without a byte-order mark.
// The "system code page" stands in for the Windows ANSI code page: writing keeps the Latin-1 range
// as single bytes and turns every other character into "#"; reading takes UTF-8 when the bytes are
// valid UTF-8 and Latin-1 otherwise, so whatever we write reads back unchanged.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>

constexpr uint32_t kCodePageSystem = 0xFFFFFFFFu;  // the system code page at each conversion
constexpr uint32_t kCodePageUtf8 = 65001;

bool IsValidUtf8(QByteArrayView bytes);

QByteArray EncodeSystemCodePage(QStringView text);
QString DecodeSystemCodePage(QByteArrayView bytes);

// kCodePageUtf8 converts as UTF-8; every other value as the system code page.
QByteArray EncodeCodePage(QStringView text, uint32_t codePage);
QString DecodeCodePage(QByteArrayView bytes, uint32_t codePage);
