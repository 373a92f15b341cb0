#pragma once
// One input of each device-file fuzz target. The libFuzzer entry points and the corpus replay
// test both call these, so the replay runs exactly what the fuzzer runs. A broken invariant aborts.

#include "device/IniFile.h"
#include "device/IniLineRoutines.h"
#include "device/PathUtils.h"
#include "device/ProjectFileReader.h"
#include "device/ProjectFileTable.h"
#include "device/StdioFileEx.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace fuzz_device {

// The plain search, line by line through the file: what the fast reader must agree with.
inline void ReadProjectBlockSlowly(const QByteArray& bytes, DeviceParamBlock& block)
{
    CStdioFileEx file;
    if (!file.OpenBuffer(bytes, CStdioFileEx::modeRead | CStdioFileEx::typeText)) return;
    g_IniSection.clear();
    QString value;
    for (const ProjectFileKey& e : ProjectFileLayout()) {
        if (!FindIniValue(value, &file, e.section, e.key)) continue;
        if (e.type == ProjectFieldType::F32)
            WriteProjectFloat(block, e, NarrowToFloat(ParseDoubleLikeWtof(value)));
        else
            WriteProjectField(block, e, ParseIntLikeWtoi(value));
    }
}

inline void ProjectReaderOne(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    DeviceParamBlock fast;
    std::memset(&fast, 0xA5, sizeof fast);
    DeviceParamBlock slow = fast;
    ReadProjectBlock(bytes, fast);
    ReadProjectBlockSlowly(bytes, slow);
    if (std::memcmp(&fast, &slow, sizeof fast) != 0) std::abort();
}

inline void IniReaderOne(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniDocument doc = IniDocument::FromBytes(bytes);
    QString out;
    doc.Value(QStringLiteral("Setting"), QStringLiteral("Language"), out);
    doc.Value(QStringLiteral("COM"), QStringLiteral("port"), out);
    // An unchanged UTF-8 or Latin-1 document writes back the very bytes it came from.
    const bool exact = doc.encoding() == IniDocument::Encoding::Utf8 || doc.encoding() == IniDocument::Encoding::Latin1;
    if (exact && doc.ToBytes() != bytes) std::abort();

    doc.SetValue(QStringLiteral("Setting"), QStringLiteral("Language"), QStringLiteral(" x y "));
    const QByteArray written = doc.ToBytes();
    const IniDocument reread = IniDocument::FromBytes(written);
    QString value;
    if (!reread.Value(QStringLiteral("setting"), QStringLiteral("LANGUAGE"), value)) std::abort();
    if (value != QStringLiteral("x y")) std::abort();
    if (reread.ToBytes() != written) std::abort();
}

}  // namespace fuzz_device
