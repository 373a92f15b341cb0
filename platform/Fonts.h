#pragma once
// Font construction from the classic font description (face, height in pixels, weight 100..900).
// Faces missing on this system fall back to Liberation Sans ("Arial", "MS Sans Serif", ...).

#include <QFont>
#include <QString>

// The face that will be used for a requested face: the face itself when installed, else
// Liberation Sans, else the application's default family.
QString ResolveFontFace(const QString& face);

// height: character height in pixels (a negative value means the same as its magnitude);
// 0 keeps the default size. weight: 400 normal, 700 bold.
QFont MakeFont(const QString& face, int height, int weight = 400, bool italic = false,
               bool underline = false, bool strikeOut = false);

// A font given in tenths of a point (80 = 8 points).
QFont MakePointFont(const QString& face, int tenthsOfPoint, int weight = 400);
