#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>

namespace {
const QString kFallbackFace = QStringLiteral("Liberation Sans");

QFont::Weight ToQtWeight(int weight)
{
    // Qt 6 weights share the 100..900 scale of the classic description.
    return static_cast<QFont::Weight>(std::clamp(weight <= 0 ? 400 : weight, 100, 900));
}
} // namespace

QString ResolveFontFace(const QString& face)
{
    const QStringList families = QFontDatabase::families();
    if (!face.isEmpty() && families.contains(face, Qt::CaseInsensitive))
        return face;
    if (families.contains(kFallbackFace, Qt::CaseInsensitive))
        return kFallbackFace;
    return QGuiApplication::font().family();
}

QFont MakeFont(const QString& face, int height, int weight, bool italic, bool underline, bool strikeOut)
{
    QFont f(ResolveFontFace(face));
    const int px = std::abs(height);
    if (px > 0)
        f.setPixelSize(std::min(px, 1000));
    f.setWeight(ToQtWeight(weight));
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeOut);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QFont MakePointFont(const QString& face, int tenthsOfPoint, int weight)
{
    QFont f(ResolveFontFace(face));
    if (tenthsOfPoint > 0)
        f.setPointSizeF(std::min(tenthsOfPoint, 10000) / 10.0);
    f.setWeight(ToQtWeight(weight));
    f.setStyleHint(QFont::SansSerif);
    return f;
}
