#pragma once
// Runs every file of a seed corpus through one fuzz body, each from an exact-size copy so that the
// sanitizers catch a read past its end. The ordinary suite replays every corpus this way.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzz_replay {

// The number of seeds run; the caller checks there were some.
template <typename Body>
int ReplayCorpus(const QString& dirPath, Body body)
{
    const QDir dir(dirPath);
    int count = 0;
    for (const QFileInfo& fi : dir.entryInfoList(QDir::Files, QDir::Name)) {
        QFile f(fi.filePath());
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QByteArray bytes = f.readAll();
        const std::vector<uint8_t> copy(bytes.begin(), bytes.end());
        body(copy.data(), copy.size());
        ++count;
    }
    return count;
}

}  // namespace fuzz_replay
