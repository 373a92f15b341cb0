#pragma once
// One input of each device-file fuzz target. The libFuzzer entry points and the corpus replay
// test both call these, so the replay runs exactly what the fuzzer runs. A broken invariant aborts.

#include "device/IniFile.h"
#include "device/IniLineRoutines.h"
#include "device/IniLineSource.h"
#include "device/PathUtils.h"
#include "device/ProjectFileReader.h"
#include "device/ProjectFileTable.h"
#include "device/StdioFileEx.h"

#include <QByteArray>
#include <QHash>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace fuzz_device {

// The plain search, line by line through the file, key after key, each search going on from where
// the last one stopped and wrapping round once: what the indexed reader (IniKeyIndex) must agree
// with. A model of FindIniValue rather than FindIniValue itself, so that it checks that too: the
// file's lines are read once and turned into numbered section and key names, and each step of the
// search compares two numbers. The layout's names are numbered once for all inputs, which keeps
// the fuzzer at thousands of inputs a second.
struct PlainSearchLine {
    bool section = false;
    int name = -1;  // the section's name, or the key before the first "="; -1: empty
    QString value;  // after the first "="
};

// The layout's section and key names, numbered once; every other name is kOther.
class PlainSearchNames {
public:
    static constexpr int kOther = -2;
    int Add(const QString& name) { return m_ids.insert(name, static_cast<int>(m_ids.size())).value(); }
    int Id(const QString& name) const { return name.isEmpty() ? -1 : m_ids.value(name, kOther); }

private:
    QHash<QString, int> m_ids;
};

inline void ReadProjectBlockSlowly(const QByteArray& bytes, DeviceParamBlock& block)
{
    static PlainSearchNames names;
    static const std::vector<std::pair<int, int>> layout = [] {
        std::vector<std::pair<int, int>> ids;
        for (const ProjectFileKey& e : ProjectFileLayout()) {
            const int section = names.Id(e.section) >= 0 ? names.Id(e.section) : names.Add(e.section);
            const int key = names.Id(e.key) >= 0 ? names.Id(e.key) : names.Add(e.key);
            ids.emplace_back(section, key);
        }
        return ids;
    }();
    CStdioFileEx file;
    if (!file.OpenBuffer(bytes, CStdioFileEx::modeRead | CStdioFileEx::typeText)) return;
    std::vector<PlainSearchLine> lines;
    QString line;
    while (file.ReadString(line)) {
        PlainSearchLine l;
        if (line.startsWith(QLatin1Char('['))) {
            // ParseSectionName: between the first "[" and the first "]", empty without a "]".
            l.section = true;
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            if (close > 0) l.name = names.Id(line.mid(1, close - 1));
        } else {
            // SplitKeyValue: a line without "=" has an empty key and value.
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq >= 0) {
                l.name = names.Id(line.left(eq));
                l.value = line.mid(eq + 1);
            }
        }
        lines.push_back(std::move(l));
    }
    std::size_t pos = 0;
    int section = -1;
    const auto& keys = ProjectFileLayout();
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const QString* value = nullptr;
        for (int pass = 0; pass < 2 && !value; ++pass) {
            if (pass == 1) pos = 0;
            while (pos < lines.size() && !value) {
                const PlainSearchLine& l = lines[pos++];
                if (l.section) section = l.name;
                else if (section == layout[k].first && l.name == layout[k].second) value = &l.value;
            }
        }
        if (!value) continue;
        const ProjectFileKey& e = keys[k];
        if (e.type == ProjectFieldType::F32)
            WriteProjectFloat(block, e, NarrowToFloat(ParseDoubleLikeWtof(*value)));
        else
            WriteProjectField(block, e, ParseIntLikeWtoi(*value));
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
    // An unchanged document writes back the very bytes it came from, whatever its encoding.
    if (doc.ToBytes() != bytes) std::abort();

    doc.SetValue(QStringLiteral("Setting"), QStringLiteral("Language"), QStringLiteral(" x y "));
    const QByteArray written = doc.ToBytes();
    // Decoding only the lines written tells what reading the whole file back tells.
    if (doc.ReadsBack() != doc.ReadsBackFrom(written)) std::abort();
    // A legacy-code-page file whose only non-UTF-8 bytes were on the written line would read back
    // as UTF-8, other lines perhaps differently: IniWriteString refuses that write.
    if (!doc.ReadsBackFrom(written)) {
        if (doc.encoding() != IniDocument::Encoding::Latin1) std::abort();
        return;
    }
    const IniDocument reread = IniDocument::FromBytes(written);
    QString value;
    if (!reread.Value(QStringLiteral("setting"), QStringLiteral("LANGUAGE"), value)) std::abort();
    if (value != QStringLiteral("x y")) std::abort();
    if (reread.ToBytes() != written) std::abort();

    // The index kept up line by line through further writes (a key in a new section, one that
    // reads as a section header, one with '=' in it) answers as one built afresh.
    const QString names[][2] = {{"Setting", "Language"}, {"COM", "port"}, {"S", "A"}, {"String", "IDS_1"},
                                {"New", "k"}, {"New", "[T]"}, {"T", "u"}, {"com", "a"}, {"", ""}};
    // Once written, the document reads the file as a fresh read does, its encoding included.
    doc.Settle();
    if (doc.encoding() != reread.encoding()) std::abort();
    doc.SetValue(QStringLiteral("New"), QStringLiteral("k"), QStringLiteral("v"));
    doc.SetValue(QStringLiteral("COM"), QStringLiteral("a=b"), QStringLiteral("c"));
    doc.SetValue(QStringLiteral("New"), QStringLiteral("[T]"), QStringLiteral("w"));
    doc.SetValue(QStringLiteral("com"), QStringLiteral("port"), QStringLiteral("7"));
    if (!doc.ReadsBack()) return;
    const IniDocument fresh = IniDocument::FromBytes(doc.ToBytes());
    for (const auto& name : names) {
        QString mine, theirs;
        if (doc.Value(name[0], name[1], mine) != fresh.Value(name[0], name[1], theirs) || mine != theirs) std::abort();
    }
}

}  // namespace fuzz_device
