#pragma once
// Template ids of the program's windows. Language files key window titles and window-specific
// captions on them ("IDD<id>_Title", "IDD<id>_IDS_<control>").

inline constexpr int IDD_MAIN = 102; // KordalDlg, main window
inline constexpr int IDD_OPERATING = 108; // MMainDlg, operating page
inline constexpr int IDD_PICTURE = 110; // MPicSettingDlg, picture page
inline constexpr int IDD_OUTPUT = 117; // MOutputDlg, output page
inline constexpr int IDD_CROP = 119; // MCropDlg, crop page
inline constexpr int IDD_MOSAIC = 120; // MMosaicDlg, splicing page
inline constexpr int IDD_CONNECT = 127; // MConnectDlg, connection page
inline constexpr int IDD_PIP = 150; // MPIPDlg, PIP page
inline constexpr int IDD_TEST_PATTERN = 152; // MTstPatternDlg, test-pattern page
inline constexpr int IDD_KEYER = 154; // MKeyerDlg, keyer page
inline constexpr int IDD_EDID = 156; // MEdidDlg, EDID page
inline constexpr int IDD_MISC = 158; // MMiscDlg, system page
inline constexpr int IDD_VGA = 160; // MVgaDlg, VGA page
inline constexpr int IDD_TASK = 162; // MTaskDlg, schedule page
inline constexpr int IDD_LOGO = 164; // MLogoDlg, logo page
inline constexpr int IDD_PROGRESS = 170; // Kordal_PrograssDlg, busy dialog
inline constexpr int IDD_SEARCH_MACHINE = 179; // MSearchMachineDlg, machine search page
inline constexpr int IDD_SWITCHER = 183; // MSwitcherDlg, switcher page
inline constexpr int IDD_FEATHER = 184; // QVN_FeatherDlg, feather page
inline constexpr int IDD_LED_CONFIG = 188; // MLEDCfgDlg, LED controller launcher
inline constexpr int IDD_CAPTION = 1514; // MSubTitleDlg, caption page
inline constexpr int IDD_VIDEO_SETTING = 1533; // MVideoSettingDlg, encoder settings page
inline constexpr int IDD_FOUR_VIEW = 1559; // MShowVideoDlg, four-view window
inline constexpr int IDD_MEDIA_PLAYER = 1563; // MMediaPlayerDlg, media-player page

// Every template id above, in ascending order.
inline constexpr int kAllDialogIds[] = {
    IDD_MAIN, IDD_OPERATING, IDD_PICTURE, IDD_OUTPUT, IDD_CROP,
    IDD_MOSAIC, IDD_CONNECT, IDD_PIP, IDD_TEST_PATTERN, IDD_KEYER,
    IDD_EDID, IDD_MISC, IDD_VGA, IDD_TASK, IDD_LOGO,
    IDD_PROGRESS, IDD_SEARCH_MACHINE, IDD_SWITCHER, IDD_FEATHER, IDD_LED_CONFIG,
    IDD_CAPTION, IDD_VIDEO_SETTING, IDD_FOUR_VIEW, IDD_MEDIA_PLAYER,
};
