#pragma once
// Helpers shared by the device file tests: temporary files, random in-range blocks, a recording
// main-window link.

#include "device/DeviceParamBlock.h"
#include "device/MainWindowLink.h"
#include "device/ProjectFileTable.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <csignal>
#include <cstdint>
#include <random>
#include <sys/resource.h>
#include <utility>
#include <vector>

inline QByteArray ReadFileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

inline bool WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(bytes) == bytes.size();
}

// Runs f with every write past maxBytes of a file failing (EFBIG, as on a full disk).
template <typename F>
auto WithFileSizeLimit(rlim_t maxBytes, F&& f)
{
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limited{maxBytes, old.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    const auto result = f();
    setrlimit(RLIMIT_FSIZE, &old);
    return result;
}

inline QByteArray ToUtf16LeWithBom(const QByteArray& ascii)
{
    QByteArray out("\xFF\xFE", 2);
    for (char c : ascii) {
        out.append(c);
        out.append('\0');
    }
    return out;
}

// A block whose keyed fields hold random values that no writer clamp changes.
inline void FillRandomInRange(DeviceParamBlock& block, uint32_t seed)
{
    std::mt19937 rng(seed);
    auto* bytes = reinterpret_cast<uint8_t*>(&block);
    for (size_t i = 0; i < sizeof block; ++i) bytes[i] = static_cast<uint8_t>(rng());
    const auto& layout = ProjectFileLayout();
    for (const ProjectFileKey& e : layout) {
        switch (e.clamp) {
        case ProjectClamp::ResoIndex:
            WriteProjectField(block, e, rng() % 19);
            break;
        case ProjectClamp::Range:
            WriteProjectField(block, e, e.lo + int64_t(rng() % uint32_t(e.hi - e.lo + 1)));
            break;
        default:
            if (e.type == ProjectFieldType::F32)
                WriteProjectFloat(block, e, float(rng() % 100000) / 1000.0f);
            else
                WriteProjectField(block, e, int64_t(rng()));
        }
    }
    for (const ProjectFileKey& e : layout) {
        if (e.clamp != ProjectClamp::Span) continue;
        const ProjectFileKey pos{e.section, e.key, e.posOffset, ProjectFieldType::I32};
        const ProjectFileKey total{e.section, e.key, e.totalOffset, ProjectFieldType::I32};
        const int64_t p = rng() % 2000;
        const int64_t t = p + rng() % 3000;
        WriteProjectField(block, pos, p);
        WriteProjectField(block, total, t);
        WriteProjectField(block, e, rng() % uint32_t(t - p + 1));
    }
}

class RecordingMainWindowLink : public MainWindowLink {
public:
    void PostRefresh(int32_t wParam, int32_t lParam) override { refreshes.emplace_back(wParam, lParam); }
    void NotifyReplyStatus(uint8_t) override {}
    void HideBusyDialog() override {}
    void PostDeviceFound(const QString&, const std::array<uint8_t, 6>&) override {}
    std::vector<std::pair<int32_t, int32_t>> refreshes;
};
