// The device-node watcher signals serial nodes coming and going in its folder, once per burst,
// and stays quiet for other names.

#include "platform/DeviceNodeWatcher.h"

#include "tests/support/CoreTestApplication.h"
#include "tests/support/EventLoopWait.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool Touch(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly);
}

}  // namespace

TEST(DeviceNodeWatcher, SerialNamesOnly)
{
    EXPECT_TRUE(DeviceNodeWatcher::IsSerialNodeName("ttyUSB0"));
    EXPECT_TRUE(DeviceNodeWatcher::IsSerialNodeName("ttyACM3"));
    EXPECT_TRUE(DeviceNodeWatcher::IsSerialNodeName("rfcomm0"));
    EXPECT_TRUE(DeviceNodeWatcher::IsSerialNodeName("serial"));
    EXPECT_FALSE(DeviceNodeWatcher::IsSerialNodeName("sda1"));
    EXPECT_FALSE(DeviceNodeWatcher::IsSerialNodeName("input"));
    EXPECT_FALSE(DeviceNodeWatcher::IsSerialNodeName("tt"));
}

TEST(DeviceNodeWatcher, ArrivalAndRemovalEachGiveOneSignal)
{
    CoreTestApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    DeviceNodeWatcher watcher(nullptr, dir.path(), 20);
    ASSERT_TRUE(watcher.IsWatching());
    int changes = 0;
    QObject::connect(&watcher, &DeviceNodeWatcher::Changed, [&] { ++changes; });

    // A node and its companion arrive together: one signal.
    ASSERT_TRUE(Touch(dir.filePath(QStringLiteral("ttyUSB0"))));
    ASSERT_TRUE(Touch(dir.filePath(QStringLiteral("ttyUSB1"))));
    ASSERT_TRUE(SpinUntil([&] { return changes >= 1; }, 5000));
    SpinFor(100);
    EXPECT_EQ(changes, 1);

    // Other devices do not wake anyone.
    ASSERT_TRUE(Touch(dir.filePath(QStringLiteral("sdb"))));
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("sdb"))));
    SpinFor(100);
    EXPECT_EQ(changes, 1);

    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("ttyUSB0"))));
    ASSERT_TRUE(SpinUntil([&] { return changes >= 2; }, 5000));
    SpinFor(100);
    EXPECT_EQ(changes, 2);
}

TEST(DeviceNodeWatcher, AFolderThatCannotBeWatchedIsReported)
{
    CoreTestApplication();
    DeviceNodeWatcher watcher(nullptr, QStringLiteral("/nonexistent/devices"));
    EXPECT_FALSE(watcher.IsWatching());
}
