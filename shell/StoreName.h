#pragma once
// Writes a name the operator typed (a preset, an input remark, a processor) to "Info.ini". A name
// the file refuses (its legacy encoding cannot hold it, or the disk would not take it) lives only
// until the program ends: the operator is told rather than left to find it gone.

class QString;
class QWidget;

void StoreName(QWidget* window, const QString& ini, const QString& section, const QString& key, const QString& text);
