// A layer cell attached to a running channel: the render thread calls it while the UI thread
// renames, crops, moves, hides and finally removes it (run under ThreadSanitizer as well).
#include "StubDecoder.h"
#include "preview/CPictureCtrl.h"
#include "preview/VideoChannelSet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

TEST(CellRenderThreaded, UiChangesRaceNothingWithTheRenderThread)
{
    static int argc = 1;
    static char name[] = "cell_render_threaded_test";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    VideoChannelSet channels(stub::Api());
    QWidget host;
    host.resize(400, 300);
    auto* canvas = new CPictureCtrl(&host);
    canvas->setGeometry(0, 0, 400, 300);
    canvas->videoOn = true;
    canvas->channel = &channels;
    canvas->previewWidth = 16;
    canvas->previewHeight = 16;
    CCell* cell = canvas->AddLayerCell(600, 600, 0, 0, QStringLiteral("Main : DVI-1"), 0, 0);
    ASSERT_NE(cell, nullptr);
    CVideoChannel* channel = channels.Channel(0);
    channel->SetSize(16, 16);
    channel->Start();
    canvas->AttachCellToVideoChannel(cell);

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 200 && (channel->RenderedFrames() < 20 || timer.elapsed() < 300); ++i) {
        const uint8_t packet[1] = {static_cast<uint8_t>(i)};
        channel->PushPacket(packet, 1);
        cell->SetName(QStringLiteral("Main : %1").arg(i));
        cell->SetCropRect({0, 0, 16, 16}, {i % 8, i % 8, 16, 16});
        canvas->PlaceCellWindow({0, 0, 600 - i, 600}, cell);
        cell->SetHidden(i % 7 == 3);
        QCoreApplication::processEvents();
        QThread::msleep(3);
    }
    EXPECT_GE(channel->RenderedFrames(), 5u);
    canvas->RemoveLayerCells();
    EXPECT_EQ(channel->TargetCount(), 0);
    channel->Stop();
    canvas->channel = nullptr;
}
