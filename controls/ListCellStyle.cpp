#include "controls/ListCellStyle.h"

namespace {

bool LastColumnMatch(const std::vector<ListColorRecord>& list, int column, COLORREF& out)
{
    bool found = false;
    for (const auto& r : list) {
        if (r.column == column) {
            out = r.color;
            found = true;
        }
    }
    return found;
}

bool LastCellMatch(const std::vector<ListColorRecord>& list, int row, int column, COLORREF& out)
{
    bool found = false;
    for (const auto& r : list) {
        if (r.row == row && r.column == column) {
            out = r.color;
            found = true;
        }
    }
    return found;
}

} // namespace

ListCellColors ResolveListCellColors(const ListColorRecords& records, int row, int column, bool rowSelected,
                                     int exemptColumn, COLORREF listBack, COLORREF listText, COLORREF selectedBack,
                                     COLORREF selectedText)
{
    if (rowSelected && column != exemptColumn)
        return {selectedBack, selectedText};
    ListCellColors c{listBack, listText};
    LastColumnMatch(records.columnBack, column, c.back);
    LastCellMatch(records.cellBack, row, column, c.back);
    LastColumnMatch(records.columnText, column, c.text);
    LastCellMatch(records.cellText, row, column, c.text);
    return c;
}

ListAlign AlignmentForColumn(const QString& alignment, int column)
{
    if (column < 0 || column >= alignment.size())
        return ListAlign::Left;
    switch (alignment[column].unicode()) {
    case u'1': return ListAlign::Centre;
    case u'2': return ListAlign::Right;
    default: return ListAlign::Left;
    }
}
