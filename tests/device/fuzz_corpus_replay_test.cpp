// Replays the checked-in seed corpus of the device fuzz targets through the same functions the
// fuzzers call.
#include "../../fuzz/device/DeviceFuzzBodies.h"
#include "../../fuzz/device/ReplyFuzzBody.h"
#include "../../fuzz/device/ReplyQueueFuzzBody.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QString CorpusDir(const char* target)
{
    return QStringLiteral(SVP_SOURCE_DIR "/fuzz/device/corpus/") + QString::fromLatin1(target);
}

template <typename Body>
int Replay(const char* target, Body body)
{
    const QDir dir(CorpusDir(target));
    int count = 0;
    for (const QFileInfo& fi : dir.entryInfoList(QDir::Files, QDir::Name)) {
        QFile f(fi.filePath());
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QByteArray bytes = f.readAll();
        SCOPED_TRACE(fi.fileName().toStdString());
        body(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()));
        ++count;
    }
    return count;
}

}  // namespace

TEST(FuzzCorpusReplay, ProjectReader)
{
    EXPECT_GE(Replay("project_reader", fuzz_device::ProjectReaderOne), 5);
    fuzz_device::ProjectReaderOne(nullptr, 0);
}

TEST(FuzzCorpusReplay, IniReader)
{
    EXPECT_GE(Replay("ini_reader", fuzz_device::IniReaderOne), 5);
    fuzz_device::IniReaderOne(nullptr, 0);
}

TEST(FuzzCorpusReplay, ReplyAdapter)
{
    EXPECT_GE(Replay("reply_adapter", fuzz_device::ReplyAdapterOne), 10);
    fuzz_device::ReplyAdapterOne(nullptr, 0);
}

TEST(FuzzCorpusReplay, ReplyQueue)
{
    EXPECT_GE(Replay("reply_queue", fuzz_device::ReplyQueueOne), 5);
    fuzz_device::ReplyQueueOne(nullptr, 0);
}
