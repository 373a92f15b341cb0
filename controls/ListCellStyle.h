#pragma once
// Colours and alignment of one cell of the owner-drawn list. Pure functions over the list's
// colour records, so the precedence can be tested without painting.

#include "platform/ColorRef.h"

#include <QString>

#include <vector>

// A colour for a column (row ignored) or for one cell.
struct ListColorRecord {
    int row = -1;
    int column = -1;
    COLORREF color = 0;
};

struct ListColorRecords {
    std::vector<ListColorRecord> columnBack, cellBack, columnText, cellText;
};

struct ListCellColors {
    COLORREF back = 0;
    COLORREF text = 0;
};

inline constexpr COLORREF kListSelectedBack = 0x505050;
inline constexpr COLORREF kListSelectedText = 0xEBEBEB;

// Unselected rows (and the exempt column of a selected row): the list's colours, overridden by
// the column record, overridden by the cell record; within each list the last match wins.
// Selected rows: the selected pair.
ListCellColors ResolveListCellColors(const ListColorRecords& records, int row, int column, bool rowSelected,
                                     int exemptColumn, COLORREF listBack, COLORREF listText,
                                     COLORREF selectedBack = kListSelectedBack,
                                     COLORREF selectedText = kListSelectedText);

enum class ListAlign { Left, Centre, Right };

// The column's character of the alignment string: '0' left, '1' centre, '2' right; any other
// character, and a column the string has no character for, left.
ListAlign AlignmentForColumn(const QString& alignment, int column);
