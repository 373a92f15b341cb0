// The id headers compile and hold the numbers that the language files and pages key on.

#include "pagekit/DialogIds.h"
#include "pagekit/PageBaseIds.h"
#include "pages/signal/EdidIds.h"
#include "pages/signal/TestPatternIds.h"
#include "pages/signal/VgaIds.h"
#include "pages/system/KeyerIds.h"
#include "pages/system/LogoIds.h"
#include "pages/system/MediaPlayerIds.h"
#include "pages/system/MiscIds.h"
#include "preview/OperatingIds.h"
#include "shell/MainWindowIds.h"
#include "shell/pages/ConnectIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

TEST(DialogIds, AreAscendingAndUnique)
{
    EXPECT_TRUE(std::is_sorted(std::begin(kAllDialogIds), std::end(kAllDialogIds)));
    EXPECT_EQ(std::adjacent_find(std::begin(kAllDialogIds), std::end(kAllDialogIds)), std::end(kAllDialogIds));
    EXPECT_EQ(std::size(kAllDialogIds), 24u);
    EXPECT_EQ(IDD_MAIN, 102);
    EXPECT_EQ(IDD_OPERATING, 108);
    EXPECT_EQ(IDD_CONNECT, 127);
    EXPECT_EQ(IDD_CAPTION, 1514);
    EXPECT_EQ(IDD_MEDIA_PLAYER, 1563);
}

TEST(ControlIds, SpotChecks)
{
    EXPECT_EQ(ctl::page_base::IDC_CLOSE, 1002);
    EXPECT_EQ(ctl::page_base::IDC_MAXIMIZE, 61438);
    EXPECT_EQ(ctl::main_window::IDC_SIDE_PICTURE, 1021);
    EXPECT_EQ(ctl::main_window::IDC_SIDE_COMM, 1178);
    EXPECT_EQ(ctl::main_window::IDC_PRESET_SLOT_10, 1232);
    EXPECT_EQ(ctl::main_window::IDC_PORT_SWITCH_LIST, 65399);
    EXPECT_EQ(ctl::operating::IDC_TOP_MENU_TOP_SETTING, 32782);
    EXPECT_EQ(ctl::connect::IDC_COM_PORT_LIST, 0xFF91);
    EXPECT_EQ(ctl::edid::IDC_INPUT_LIST, 0xAFF0);
    EXPECT_EQ(ctl::keyer::IDC_SET_LIST, 0xAFE1);
    EXPECT_EQ(ctl::test_pattern::IDC_PATTERN_11, 1284);
    EXPECT_EQ(ctl::logo::IDC_SAVE_LOAD_4, 1415);
    EXPECT_EQ(ctl::media_player::IDC_KEY_RIGHT, 1581);
    // One number, different controls in different windows.
    EXPECT_EQ(ctl::main_window::IDC_DUAL_CHANNEL, ctl::misc::IDC_OPEN_PROJECT);
    EXPECT_EQ(ctl::vga::IDC_H_POSITION_LABEL, ctl::logo::IDC_H_START_LABEL);
}

} // namespace
