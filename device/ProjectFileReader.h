#pragma once
// Loading a project file into the device state, as if the block had come from the processor.

#include "device/DeviceParamBlock.h"

#include <QByteArray>
#include <QString>

class CDeviceData;
class MainWindowLink;

// Largest project file read; a saved one is about 25 KB (twice that as UTF-16).
constexpr qint64 kMaxProjectFileBytes = 1024 * 1024;

// Fills the block from the keys of a project file's bytes (UTF-16LE when they start with FF FE,
// otherwise code-page text). A key absent from the file leaves its field as it was; values are
// not range-checked. Returns the number of keys found.
int ReadProjectBlock(const QByteArray& fileBytes, DeviceParamBlock& block);

// Reads the file into a copy of the device block and hands it to ParseParamBlock as coming from
// a file, then posts the refresh (2, 0) through the link. A missing, unreadable or oversized file,
// or one without any key, changes nothing and posts nothing. True when the file was applied.
bool LoadProjectFile(CDeviceData& device, const QString& path, MainWindowLink* link);
// The same with GetDeviceData() and GetMainWindowLink().
bool LoadProjectFile(const QString& path);
