// oBitmapSlider and oSliderEdit: geometry (ends reach minimum and maximum, empty ranges and
// tracks), dragging and keys, and the edit and slider staying in step both ways.

#include "controls/SliderGeometry.h"
#include "controls/oBitmapSlider.h"
#include "controls/oSliderEdit.h"
#include "ControlTestSupport.h"

#include "platform/ControlId.h"
#include "platform/MessageIds.h"

#include <QImage>

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(SliderGeometry, EndsOfTheChannelReachMinimumAndMaximum)
{
    const SliderTrack t{240, 14, 0, 0};
    EXPECT_EQ(SliderPosToCentre(t, 0, 0, 100), 7);
    EXPECT_EQ(SliderPosToCentre(t, 100, 0, 100), 233);
    EXPECT_EQ(SliderPosToCentre(t, 50, 0, 100), 7 + 113);
    EXPECT_EQ(SliderCentreLow(t), 7);
    EXPECT_EQ(SliderCentreHigh(t), 233);
    EXPECT_EQ(SliderPixelToPos(t, SliderCentreLow(t), 0, 100), 0);
    EXPECT_EQ(SliderPixelToPos(t, SliderCentreHigh(t), 0, 100), 100);
    EXPECT_EQ(SliderPixelToPos(t, SliderCentreHigh(t) - 3, 0, 100), 100);  // the last pixels too
    EXPECT_EQ(SliderPixelToPos(t, 7 + 109, 0, 100), 50);
    // Outside the track the position is clamped.
    EXPECT_EQ(SliderPixelToPos(t, -1000, 0, 100), 0);
    EXPECT_EQ(SliderPixelToPos(t, 100000, 0, 100), 100);
    // Margins move both ends.
    const SliderTrack m{240, 14, 5, 9};
    EXPECT_EQ(SliderPosToCentre(m, 0, 0, 100), 12);
    EXPECT_EQ(SliderPosToCentre(m, 100, 0, 100), 224);
    EXPECT_EQ(SliderPixelToPos(m, 224, 0, 100), 100);
}

TEST(SliderGeometry, RoundTripKeepsEveryPositionNearAndInOrder)
{
    const SliderTrack t{160, 14, 0, 0};
    int last = 0;
    for (int pos = 0; pos <= 64; ++pos) {
        const int c = SliderPosToCentre(t, pos, 0, 64);
        const int back = SliderPixelToPos(t, c, 0, 64);
        // The pixel scale runs a little past the track, so positions read back a little high.
        EXPECT_NEAR(back, pos, 4) << pos;
        EXPECT_GE(back, last) << pos;
        last = back;
    }
    EXPECT_EQ(SliderPixelToPos(t, SliderPosToCentre(t, 0, 0, 64), 0, 64), 0);
    EXPECT_EQ(SliderPixelToPos(t, SliderPosToCentre(t, 64, 0, 64), 0, 64), 64);
}

TEST(SliderGeometry, EqualLimitsAndTracksWithoutRoomDoNotDivideByZero)
{
    const SliderTrack t{240, 14, 0, 0};
    EXPECT_EQ(SliderPosToCentre(t, 5, 5, 5), 7);
    EXPECT_EQ(SliderPixelToPos(t, 120, 5, 5), 5);
    const SliderTrack tight{14, 14, 0, 0};  // no room for the thumb to move
    EXPECT_EQ(SliderPosToCentre(tight, 50, 0, 100), 7);
    EXPECT_EQ(SliderPixelToPos(tight, 7, 0, 100), 0);
    EXPECT_EQ(SliderPixelToPos(tight, 8, 0, 100), 100);
    const SliderTrack pixelRoom{20, 14, 0, 0};  // room for the centre, none for the pixel scale
    EXPECT_EQ(SliderPixelToPos(pixelRoom, 7, 0, 100), 0);
    EXPECT_EQ(SliderPixelToPos(pixelRoom, 13, 0, 100), 100);
    const SliderTrack zero{};
    EXPECT_EQ(SliderPosToCentre(zero, 1, 0, 1), 0);
    EXPECT_EQ(SliderPixelToPos(zero, 0, 0, 1), 0);
    // Extreme ranges stay inside int.
    EXPECT_EQ(SliderPixelToPos(t, 233, INT_MIN, INT_MAX), INT_MAX);
    EXPECT_EQ(SliderPosToCentre(t, INT_MAX, INT_MIN, INT_MAX), 233);
}

TEST(SliderGeometry, VerticalAxisRunsUpFromTheBottom)
{
    EXPECT_EQ(SliderAxisFromWidget(0, 160, true), 160);
    EXPECT_EQ(SliderAxisFromWidget(160, 160, true), 0);
    EXPECT_EQ(SliderWidgetFromAxis(7, 160, true), 153);
    EXPECT_EQ(SliderAxisFromWidget(33, 160, false), 33);
}

struct SliderFixture {
    SliderFixture()
    {
        edit = new oSliderEdit(&page);
        SetControlId(edit, 1533);
        slider = new oBitmapSlider(&page);
        SetControlId(slider, 1534);
    }
    QApplication* app = TestApp();
    LoggingPage page;
    oSliderEdit* edit;
    oBitmapSlider* slider;
};

TEST(oBitmapSlider, LoadsPicturesAndTakesTheirSize)
{
    SliderFixture f;
    EXPECT_FALSE(f.slider->LoadChannelImage(9999, 0, "PNG"));
    EXPECT_FALSE(f.slider->LoadChannelImage(159, 0, "GIF"));
    EXPECT_FALSE(f.slider->LoadChannelImage(159, 9999, "PNG"));
    EXPECT_FALSE(f.slider->IsImageMode());
    ASSERT_TRUE(f.slider->LoadChannelImage(159, 163, "PNG"));
    ASSERT_TRUE(f.slider->LoadThumbImage(161, 0, "PNG"));
    EXPECT_TRUE(f.slider->IsImageMode());
    EXPECT_EQ(f.slider->size(), QSize(240, 20));
    EXPECT_TRUE(f.slider->SetBkBitmap(168));
    EXPECT_FALSE(f.slider->SetBkBitmap(9999));
}

TEST(oSliderEdit, DecimalEditDrivesAHundredfoldSlider)
{
    SliderFixture f;
    f.edit->Init(true, 0, 1.25f, 2.5f, "%.2f");
    EXPECT_FLOAT_EQ(f.edit->Scale(), 100);
    f.edit->AttachSlider(f.slider);
    EXPECT_EQ(f.slider->GetRangeMin(), 0);
    EXPECT_EQ(f.slider->GetRangeMax(), 250);
    EXPECT_EQ(f.slider->GetPageSize(), 125);
    EXPECT_EQ(f.slider->GetPos(), 125);
    EXPECT_EQ(f.slider->Buddy(), f.edit);
}

TEST(oSliderEdit, TypingMovesTheSliderAndEnterCommitsOnce)
{
    SliderFixture f;
    f.edit->Init(true, 0, 10, 100, "%d");
    f.edit->AttachSlider(f.slider);
    f.edit->selectAll();
    TypeText(f.edit, "4");
    EXPECT_EQ(f.slider->GetPos(), 4);
    TypeText(f.edit, "2");
    EXPECT_EQ(f.slider->GetPos(), 42);
    EXPECT_FALSE(f.edit->IsCommitted());
    Pump();
    EXPECT_TRUE(f.page.log.empty());
    SendKey(f.edit, Qt::Key_Return);
    SendKey(f.edit, Qt::Key_Return);  // already committed: caret only
    SendFocus(f.edit, false);
    Pump();
    const auto posted = f.page.Take(WM_VALUE_CHANGED);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].w, 1533u);
    // Typing past the maximum is pulled back at once, slider included.
    f.edit->selectAll();
    TypeText(f.edit, "150");
    EXPECT_EQ(f.edit->text(), "100");
    EXPECT_EQ(f.slider->GetPos(), 100);
}

TEST(oSliderEdit, SliderKeysRewriteTheEditAndNotify)
{
    SliderFixture f;
    f.edit->Init(true, 1, 50, 111, "%d");
    f.edit->AttachSlider(f.slider);
    SendKey(f.slider, Qt::Key_Home);
    EXPECT_EQ(f.slider->GetPos(), 1);
    EXPECT_EQ(f.edit->text(), "1");
    SendKey(f.slider, Qt::Key_End);
    EXPECT_EQ(f.edit->text(), "111");
    SendKey(f.slider, Qt::Key_PageUp);
    EXPECT_EQ(f.slider->GetPos(), 111 - 55);
    SendKey(f.slider, Qt::Key_Right);
    SendKey(f.slider, Qt::Key_Down);
    EXPECT_EQ(f.edit->text(), "58");
    SendKey(f.slider, Qt::Key_PageDown);
    SendKey(f.slider, Qt::Key_PageDown);
    EXPECT_EQ(f.edit->text(), "111");
    Pump();
    EXPECT_EQ(f.page.Take(WM_VALUE_CHANGED).size(), 7u);
    EXPECT_TRUE(f.edit->IsCommitted());
    // Enter and Escape stay in the slider.
    EXPECT_TRUE(SendKey(f.slider, Qt::Key_Return));
    EXPECT_TRUE(SendKey(f.slider, Qt::Key_Escape));
}

TEST(oSliderEdit, DraggingFollowsTheMouseAndReachesBothEnds)
{
    SliderFixture f;
    ASSERT_TRUE(f.slider->LoadChannelImage(159, 163, "PNG"));
    ASSERT_TRUE(f.slider->LoadThumbImage(161, 0, "PNG"));
    f.edit->Init(true, 0, 0, 100, "%d");
    f.edit->AttachSlider(f.slider);
    SendMouse(f.slider, QEvent::MouseButtonPress, QPoint(120, 10));
    EXPECT_TRUE(f.slider->IsDragging());
    const int mid = f.slider->GetPos();
    EXPECT_NEAR(mid, 50, 3);
    EXPECT_EQ(f.edit->text(), QString::number(mid));
    SendMouse(f.slider, QEvent::MouseMove, QPoint(500, 10), Qt::NoButton);
    EXPECT_EQ(f.slider->GetPos(), 100);
    EXPECT_EQ(f.edit->text(), "100");
    SendMouse(f.slider, QEvent::MouseMove, QPoint(-50, 10), Qt::NoButton);
    EXPECT_EQ(f.slider->GetPos(), 0);
    EXPECT_EQ(f.edit->text(), "0");
    SendMouse(f.slider, QEvent::MouseButtonRelease, QPoint(-50, 10), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(f.slider->IsDragging());
    Pump();
    // Told at every move, not again at the release.
    EXPECT_EQ(f.page.Take(WM_VALUE_CHANGED).size(), 3u);
}

TEST(oSliderEdit, DraggingTheThumbKeepsItsGrip)
{
    SliderFixture f;
    ASSERT_TRUE(f.slider->LoadChannelImage(159, 0, "PNG"));
    ASSERT_TRUE(f.slider->LoadThumbImage(161, 0, "PNG"));
    f.edit->Init(true, 0, 50, 100, "%d");
    f.edit->AttachSlider(f.slider);
    const int c = f.slider->ThumbCentre().x();
    // Grabbing the thumb 4 px right of its centre moves nothing.
    SendMouse(f.slider, QEvent::MouseButtonPress, QPoint(c + 4, 10));
    EXPECT_EQ(f.slider->GetPos(), 50);
    Pump();
    EXPECT_TRUE(f.page.log.empty());
    SendMouse(f.slider, QEvent::MouseMove, QPoint(c + 4 + 22, 10), Qt::NoButton);
    EXPECT_EQ(f.slider->ThumbCentre().x(), SliderPosToCentre(f.slider->Track(), f.slider->GetPos(), 0, 100));
    EXPECT_GT(f.slider->GetPos(), 55);
    SendMouse(f.slider, QEvent::MouseButtonRelease, QPoint(c + 26, 10), Qt::LeftButton, Qt::NoButton);
    // Without notify-while-dragging the page hears only the release.
    Pump();
    f.page.log.clear();
    f.slider->SetNotifyWhileDragging(false);
    SendMouse(f.slider, QEvent::MouseButtonPress, QPoint(230, 10));
    SendMouse(f.slider, QEvent::MouseMove, QPoint(20, 10), Qt::NoButton);
    Pump();
    EXPECT_TRUE(f.page.log.empty());
    SendMouse(f.slider, QEvent::MouseButtonRelease, QPoint(20, 10), Qt::LeftButton, Qt::NoButton);
    Pump();
    EXPECT_EQ(f.page.Take(WM_VALUE_CHANGED).size(), 1u);
}

TEST(oSliderEdit, VerticalSliderHasItsMaximumAtTheTop)
{
    SliderFixture f;
    ASSERT_TRUE(f.slider->LoadChannelImage(166, 167, "PNG"));
    ASSERT_TRUE(f.slider->LoadThumbImage(165, 0, "PNG"));
    f.slider->SetVertical(true);
    f.slider->SetBkBitmap(168);
    EXPECT_EQ(f.slider->size(), QSize(20, 136));
    f.edit->Init(true, 0, 64, 64, "%d");
    f.edit->AttachSlider(f.slider);
    EXPECT_EQ(f.slider->ThumbCentre().y(), 7);
    SendMouse(f.slider, QEvent::MouseButtonPress, QPoint(10, 135));
    SendMouse(f.slider, QEvent::MouseButtonRelease, QPoint(10, 135), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(f.slider->GetPos(), 0);
    EXPECT_EQ(f.edit->text(), "0");
    EXPECT_EQ(f.slider->ThumbCentre().y(), 129);
    SendMouse(f.slider, QEvent::MouseButtonPress, QPoint(10, 0));
    EXPECT_EQ(f.edit->text(), "64");
    SendMouse(f.slider, QEvent::MouseButtonRelease, QPoint(10, 0), Qt::LeftButton, Qt::NoButton);
    // It paints: the active channel below the thumb, the thumb over it.
    const QImage img = f.slider->grab().toImage();
    EXPECT_EQ(img.size(), QSize(20, 136));
}

TEST(oSliderEdit, EqualLimitsDoNotCrash)
{
    SliderFixture f;
    ASSERT_TRUE(f.slider->LoadChannelImage(159, 163, "PNG"));
    ASSERT_TRUE(f.slider->LoadThumbImage(161, 0, "PNG"));
    f.edit->Init(true, 5, 5, 5, "%d");
    f.edit->AttachSlider(f.slider);
    EXPECT_EQ(f.slider->GetRangeMin(), 5);
    EXPECT_EQ(f.slider->GetRangeMax(), 5);
    SendMouse(f.slider, QEvent::MouseButtonPress, QPoint(200, 10));
    SendMouse(f.slider, QEvent::MouseMove, QPoint(30, 10), Qt::NoButton);
    SendMouse(f.slider, QEvent::MouseButtonRelease, QPoint(30, 10), Qt::LeftButton, Qt::NoButton);
    SendKey(f.slider, Qt::Key_PageDown);
    EXPECT_EQ(f.slider->GetPos(), 5);
    EXPECT_EQ(f.edit->text(), "5");
    (void)f.slider->grab();
    // A slider without pictures and without size works too.
    oBitmapSlider bare;
    bare.SetRange(0, 0);
    SendMouse(&bare, QEvent::MouseButtonPress, QPoint(0, 0));
    SendMouse(&bare, QEvent::MouseMove, QPoint(9, 0), Qt::NoButton);
    EXPECT_EQ(bare.GetPos(), 0);
}

TEST(oSliderEdit, DisabledSliderIgnoresInputAndLifetimesAreIndependent)
{
    SliderFixture f;
    f.edit->Init(false, 0, 10, 100, "%d");
    f.edit->AttachSlider(f.slider);
    EXPECT_FALSE(f.slider->isEnabled());
    SendKey(f.slider, Qt::Key_End);
    EXPECT_EQ(f.slider->GetPos(), 10);
    f.edit->Init(true, 0, 10, 100, "%d");
    EXPECT_TRUE(f.slider->isEnabled());
    delete f.slider;
    f.edit->SetValue(20);  // no slider any more: nothing to move
    EXPECT_EQ(f.edit->Slider(), nullptr);
    auto* other = new oBitmapSlider(&f.page);
    f.edit->AttachSlider(other);
    delete f.edit;
    SendKey(other, Qt::Key_End);  // no buddy any more
    EXPECT_EQ(other->GetPos(), 100);
    EXPECT_EQ(other->Buddy(), nullptr);
}

} // namespace
