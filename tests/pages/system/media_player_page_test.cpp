// The media-player keys on their fixture: each key's code and disk, and the disk rule after a
// full read with one, both or no USB disks.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "device/CommandIds.h"
#include "pages/system/MMediaPlayerDlg.h"
#include "pages/system/MediaPlayerIds.h"

namespace {

namespace ids = ctl::media_player;

class MediaPlayerPage : public PageFixture<MMediaPlayerDlg> {
protected:
    void Click(int id) { ClickButton(page->Button(id)); }
    void Disks(int32_t slot6, int32_t slot7)
    {
        GetDeviceData().input[6].src = slot6;
        GetDeviceData().input[7].src = slot7;
        page->RefreshFromDevice();
    }
    // The last media key sent, as (code, disk).
    std::pair<int, int> LastKey() const
    {
        const auto sent = Sent(CMD_MEDIA_KEY);
        if (sent.empty()) return {-1, -1};
        EXPECT_TRUE(SameBytes(sent.back().bytes, Block32({sent.back().bytes[0], sent.back().bytes[1]})));
        return {sent.back().bytes[0], sent.back().bytes[1]};
    }
};

TEST_F(MediaPlayerPage, EveryKeySendsItsCodeWithTheFirstDiskAtStart)
{
    EXPECT_TRUE(page->Button(ids::IDC_DISK_1)->IsPressed());
    EXPECT_TRUE(page->Button(ids::IDC_DISK_1)->isEnabled());
    EXPECT_TRUE(page->Button(ids::IDC_DISK_2)->isEnabled());
    for (int id = ids::IDC_KEY_OK; id <= ids::IDC_KEY_RIGHT; ++id) {
        Click(id);
        EXPECT_EQ(LastKey(), std::make_pair(id - 1574, 0)) << id;
    }
    EXPECT_EQ(Sent(CMD_MEDIA_KEY).size(), 7u);
    EXPECT_EQ(link.Commands().size(), 7u);
}

TEST_F(MediaPlayerPage, TheDiskRuleAfterAFullRead)
{
    // Only slot 7 holds a disk: it becomes the chosen one.
    Disks(4, 9);
    EXPECT_FALSE(page->Button(ids::IDC_DISK_1)->isEnabled());
    EXPECT_TRUE(page->Button(ids::IDC_DISK_1)->HasDisabledLook());
    EXPECT_TRUE(page->Button(ids::IDC_DISK_2)->isEnabled());
    EXPECT_TRUE(page->Button(ids::IDC_DISK_2)->IsPressed());
    Click(ids::IDC_KEY_RIGHT);
    EXPECT_EQ(LastKey(), std::make_pair(7, 1));

    // Both: the chosen disk stays through a new read.
    Disks(9, 9);
    EXPECT_TRUE(page->Button(ids::IDC_DISK_1)->isEnabled());
    EXPECT_FALSE(page->Button(ids::IDC_DISK_1)->HasDisabledLook());
    EXPECT_TRUE(page->Button(ids::IDC_DISK_2)->IsPressed());
    Disks(9, 9);
    Click(ids::IDC_KEY_UP);
    EXPECT_EQ(LastKey(), std::make_pair(4, 1));
    Click(ids::IDC_DISK_1);
    EXPECT_TRUE(page->Button(ids::IDC_DISK_1)->IsPressed());
    EXPECT_FALSE(page->Button(ids::IDC_DISK_2)->IsPressed());
    Click(ids::IDC_KEY_UP);
    EXPECT_EQ(LastKey(), std::make_pair(4, 0));

    // Only slot 6.
    Disks(9, 6);
    EXPECT_TRUE(page->Button(ids::IDC_DISK_1)->IsPressed());
    EXPECT_FALSE(page->Button(ids::IDC_DISK_2)->isEnabled());

    // None: both greyed, the keys still send.
    Disks(0, 0);
    EXPECT_FALSE(page->Button(ids::IDC_DISK_1)->isEnabled());
    EXPECT_FALSE(page->Button(ids::IDC_DISK_2)->isEnabled());
    Click(ids::IDC_KEY_OK);
    EXPECT_EQ(LastKey(), std::make_pair(1, 0));
}

TEST_F(MediaPlayerPage, ChoosingADiskSendsNothing)
{
    Click(ids::IDC_DISK_2);
    EXPECT_TRUE(page->Button(ids::IDC_DISK_2)->IsPressed());
    EXPECT_FALSE(page->Button(ids::IDC_DISK_1)->IsPressed());
    EXPECT_TRUE(link.Commands().empty());
    page->ApplyLanguage();
    EXPECT_EQ(page->Title(), "Media Player Setting");
}

}  // namespace
