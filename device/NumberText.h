#pragma once
// Number <-> text conversions of the settings files, independent of the process locale.

#include <QString>
#include <QStringView>

// Like the Windows _wtoi: leading blanks skipped, optional sign, decimal digits up to the first
// other character, 0 when there are none; values beyond the int range saturate.
int ParseIntLikeWtoi(QStringView text);
// Like the Windows _wtof: leading blanks skipped, the longest prefix that reads as a number
// (decimal, hexadecimal "0x", "inf", "nan"); 0 when there is none. Always '.' as decimal point.
double ParseDoubleLikeWtof(QStringView text);
// The double narrowed to a 32-bit float without undefined behaviour: beyond the float range
// gives an infinity of the same sign.
float NarrowToFloat(double value);

// "%d".
QString IntToString(int value);
// "%f" of the value widened to double: six digits after the point (2.2 gives "2.200000").
QString FloatToString(float value);
// "%s%d": the stem followed by the decimal index (HPOS, 3 gives HPOS3).
QString FormatIndexedKey(const QString& stem, int index);
