#pragma once
// A file path shortened to a width the way a reader wants it: the file's name whole, the first
// folders (where the path starts) and the last ones (where the file lies), and an ellipsis for the
// folders left out between them.

#include <QString>

class QFontMetrics;

// path itself when it fits width pixels in fm; else with whole folders taken out of its middle
// until it does; else the file's name alone, cut at its end.
QString ElidePathFolders(const QString& path, const QFontMetrics& fm, int width);
