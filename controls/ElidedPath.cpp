#include "controls/ElidedPath.h"

#include <QFontMetrics>
#include <QStringList>

QString ElidePathFolders(const QString& path, const QFontMetrics& fm, int width)
{
    auto fits = [&fm, width](const QString& text) { return fm.horizontalAdvance(text) <= width; };
    if (fits(path)) return path;
    const QChar separator = QLatin1Char('/');
    QStringList folders = path.split(separator, Qt::SkipEmptyParts);
    if (folders.isEmpty()) return fm.elidedText(path, Qt::ElideRight, width);
    const QString file = folders.takeLast();
    const QString root = path.startsWith(separator) ? QString(separator) : QString();
    // One folder fewer each time, from the middle; the side nearer the file keeps the odd one.
    for (qsizetype kept = folders.size() - 1; kept >= 0; --kept) {
        const qsizetype head = kept / 2;
        QStringList shown = folders.mid(0, head);
        shown << QStringLiteral("\u2026");
        shown += folders.mid(folders.size() - (kept - head));
        shown << file;
        const QString text = root + shown.join(separator);
        if (fits(text)) return text;
    }
    return fm.elidedText(file, Qt::ElideRight, width);
}
