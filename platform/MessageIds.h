#pragma once
// Private window messages of the program, by number. They keep the numbers the windows
// have always used (WM_USER based), so every sender and receiver agrees on one table.

inline constexpr unsigned WM_USER = 0x0400;

// Control notifications.
inline constexpr unsigned WM_DROPLIST_SELECT = WM_USER + 102;  // wParam control id, lParam item index
inline constexpr unsigned WM_VALUE_CHANGED = WM_USER + 161;    // wParam control id, lParam 0
inline constexpr unsigned WM_LIST_CHOICE = WM_USER + 700;      // wParam item data, lParam row
inline constexpr unsigned WM_LIST_EDIT_COMMIT = WM_USER + 701; // wParam row, lParam column
inline constexpr unsigned WM_LIST_CELL_CLICK = WM_USER + 702;  // wParam row, lParam column (sent)
inline constexpr unsigned WM_EDIT_DONE = WM_USER + 800;        // wParam 13 or 27, lParam control id
inline constexpr unsigned WM_EDIT_CHAR = WM_USER + 801;        // wParam character, lParam 0
inline constexpr unsigned WM_HEADER_CLICK = WM_USER + 2304;    // wParam column, lParam list id

// Device replies reach the main window through this one message.
inline constexpr unsigned WM_DEVICE_REPLY = WM_USER + 103;     // wParam reply id, lParam per reply

// Operating page, canvas and preview.
inline constexpr unsigned WM_SDL_RELAYOUT = WM_USER + 160;
inline constexpr unsigned WM_MAINPAGE_RELAYOUT = WM_USER + 424;
inline constexpr unsigned WM_CELL_CHANGED = WM_USER + 600;     // wParam cell, lParam fixed flag
inline constexpr unsigned WM_CELL_SELECTED = WM_USER + 603;    // wParam cell
inline constexpr unsigned WM_CANVAS_MENU = WM_USER + 605;

// Pages to the main window.
inline constexpr unsigned WM_PAGE_CLOSED = WM_USER + 417;
inline constexpr unsigned WM_PAGE_NOTIFY = WM_USER + 420;          // wParam NOTIFY_ code, lParam value
inline constexpr unsigned WM_SELECT_LAYER_INPUT = WM_USER + 421;   // wParam layer, lParam 1 user choice
inline constexpr unsigned WM_LAYER_GEOMETRY = WM_USER + 422;       // wParam 1451 or 1452, lParam window
inline constexpr unsigned WM_OUTPUT_TIMING_CHANGED = WM_USER + 429;
inline constexpr unsigned WM_SELECT_LAYER = WM_USER + 430;         // wParam layer
inline constexpr unsigned WM_PIXEL_COLOR = WM_USER + 431;
inline constexpr unsigned WM_LAYER_SET_CHANGED = WM_USER + 432;
inline constexpr unsigned WM_BUSY_DIALOG = WM_USER + 433;          // wParam 1 show / 0 hide, payload text
inline constexpr unsigned WM_LANGUAGE_CHANGE = WM_USER + 435;      // wParam 0 English, 1 Chinese
inline constexpr unsigned WM_PROJECT_FILE = WM_USER + 438;         // wParam 1463/1464/1465, payload path
inline constexpr unsigned WM_TEST_PATTERN_STATE = WM_USER + 450;   // lParam 1 on, 0 off
inline constexpr unsigned WM_CAPTION_REMEASURE = WM_USER + 900;
inline constexpr unsigned WM_UPLOAD_PROGRESS = WM_USER + 1533;    // lParam -1 failure, 0..100 (upload thread to its page)
