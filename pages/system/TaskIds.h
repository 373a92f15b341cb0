#pragma once
// Control ids of the schedule page (MTaskDlg, dialog 162). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace task {
inline constexpr int IDC_MACHINE_TIME_TEXT = 1455;
inline constexpr int IDC_YEAR_EDIT = 1314;
inline constexpr int IDC_MONTH_EDIT = 1317;
inline constexpr int IDC_DAY_EDIT = 1319;
inline constexpr int IDC_HOUR_EDIT = 1320;
inline constexpr int IDC_MINUTE_EDIT = 1321;
inline constexpr int IDC_SECOND_EDIT = 1322;
inline constexpr int IDC_SYNC_CLOCK = 1327; // "SYNC"
inline constexpr int IDC_SCHEDULE_ON_OFF = 1382; // "ON/OFF"
inline constexpr int IDC_TASK_1 = 1383; // "1"
inline constexpr int IDC_TASK_2 = 1384; // "2"
inline constexpr int IDC_TASK_3 = 1385; // "3"
inline constexpr int IDC_TASK_4 = 1386; // "4"
inline constexpr int IDC_TASK_5 = 1387; // "5"
inline constexpr int IDC_TASK_6 = 1388; // "6"
inline constexpr int IDC_TASK_7 = 1389; // "7"
inline constexpr int IDC_TASK_8 = 1390; // "8"
inline constexpr int IDC_TASK_9 = 1391; // "9"
inline constexpr int IDC_TASK_10 = 1392; // "10"
inline constexpr int IDC_TASK_DATE = 1457;
inline constexpr int IDC_TASK_TIME = 1458;
inline constexpr int IDC_OPTION_NOT_USE = 1462; // "Not Use"
inline constexpr int IDC_OPTION_ONCE = 1463; // "Once"
inline constexpr int IDC_OPTION_EVERY_DAY = 1464; // "Every Day"
inline constexpr int IDC_PRESET_LIST = 0xAFA0;
inline constexpr int IDC_PRESET_LABEL = 1460; // caption from the language files
inline constexpr int IDC_CONFIRM = 1189; // "Confirm"
inline constexpr int IDC_DATE_TIME_GROUP = 1376; // "Date And Time"
inline constexpr int IDC_SCHEDULE_GROUP = 1370; // "Schedule"
inline constexpr int IDC_MACHINE_TIME_GROUP = 1453; // "Machine Time"
inline constexpr int IDC_LOCAL_TIME_GROUP = 1454; // "Local Time"
inline constexpr int IDC_TASK_EDIT_GROUP = 1456; // "Task Edit"
} // namespace task
} // namespace ctl
