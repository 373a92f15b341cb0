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

enum class ProjectLoad {
    Applied,  // the file's keys are in the device state and the refresh is posted
    // No file, or one holding nothing (no bytes, or only the FF FE a new project starts with):
    // nothing applied; the path can take the project at the next save.
    Empty,
    // A file with content that is no project this program can read (unreadable, not a regular
    // file, over kMaxProjectFileBytes, no key): nothing applied, and it must not be saved over.
    Refused,
};

// Reads the file into a copy of the device block and hands it to ParseParamBlock as coming from
// a file, then posts the refresh (2, 0) through the link. Unless Applied, nothing changes and
// nothing is posted.
ProjectLoad LoadProjectFile(CDeviceData& device, const QString& path, MainWindowLink* link);
// The same with GetDeviceData() and GetMainWindowLink().
ProjectLoad LoadProjectFile(const QString& path);
