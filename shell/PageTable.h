#pragma once
// The main window's pages in one table: for every page its dialog id, its side button (if it has
// one), the area it sits in and how it is made. Construction, the side buttons, switching,
// relayout and the language switch all walk this table, so filling a page touches that page's
// files and at most its row. A language switch calls every page's ApplyLanguage: what a page
// re-words is the page's own business, not its row's.

#include <QWidget>

#include <memory>
#include <span>

class MBaseDialog;

// Where a page sits in the main window.
enum class PageArea {
    Operating,      // the operating page, right of the page column
    SideColumn,     // the settings column at the left, one page at a time
    SystemSubPage,  // a tab of the system page, inside the column below its tab row
    Floating,       // keeps its own size, opened over the operating page's corner
};

struct PageRow {
    int dialogId;
    int sideIndex;  // index of its side button (0..11), -1 when it has none
    PageArea area;
    std::unique_ptr<MBaseDialog> (*make)(QWidget* parent);
};

inline constexpr int kSideButtonCount = 12;
// Side-button ids by side index: PICTURE, OUTPUT, MOSAIC, KEYER, PIP, CROP, LOGO, EDID, VGA ADJ.,
// MISC, TIME/TASK, COMM.
inline constexpr int kSideButtonIds[kSideButtonCount] = {1021, 1025, 1180, 1245, 1123, 1126,
                                                         1241, 1179, 1183, 1244, 1243, 1178};

// Every page of the main window (the busy dialog is not a page), in the order the window holds
// them.
std::span<const PageRow> MainWindowPageTable();

// The row of a dialog id, or of a side index; nullptr when there is none.
const PageRow* FindPageRow(int dialogId);
const PageRow* FindSidePageRow(int sideIndex);
