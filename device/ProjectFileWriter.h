#pragma once
// Saving a device set-up as a project file (".pro"): 13 sections, 1143 key lines, ASCII, CR LF.
// Before each key is written its field is pulled into range in the block itself, so the clamped
// values stay in the device state and are what later commands send.

#include "device/DeviceParamBlock.h"

#include <QDate>
#include <QString>

class CStdioFileEx;

// Saves the device state (GetDeviceData()).
bool SaveProjectFile(const QString& path);
// Saves the block to path, replacing any earlier file as a whole (a temporary file renamed over
// it). When the file cannot be created, nothing is written and the block is untouched. True when
// the file was written whole; otherwise the earlier file keeps every byte and the failure is
// logged.
bool SaveProjectFile(DeviceParamBlock& block, const QString& path);
// Clamps and writes every section and key line into an open file.
void WriteProjectLines(DeviceParamBlock& block, CStdioFileEx* file);

// Settles the path of the project file before a load or save:
// - empty: <application folder>/Project/<date>/<date>.pro (date "yyyy-MM-dd"), creating the
//   folders but no file;
// - an existing file: unchanged;
// - otherwise <folder>/<title>.pro when the folder exists, else <folder>/<title>/<title>.pro with
//   every missing folder level created; an empty file holding only FF FE is created there when
//   none exists. Failures are silent.
void EnsureProjectFile(QString& path);
void EnsureProjectFile(QString& path, const QDate& today);
