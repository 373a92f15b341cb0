#pragma once
// The project file's layout: every key line in file order with the block field it holds and the
// range it is pulled into before it is written. The writer and the reader walk the same table.

#include "device/DeviceParamBlock.h"

#include <QString>

#include <cstdint>
#include <vector>

enum class ProjectFieldType : uint8_t { U8, U16, I32, F32 };

enum class ProjectClamp : uint8_t {
    None,
    ResoIndex,  // below 0 gives 0; 19 or more gives 17 (what stored files rely on)
    Range,      // into lo..hi
    Span,       // field > total - pos, compared as unsigned 32-bit, gives total - pos
};

struct ProjectFileKey {
    QString section;
    QString key;
    uint16_t offset = 0;
    ProjectFieldType type = ProjectFieldType::I32;
    ProjectClamp clamp = ProjectClamp::None;
    int32_t lo = 0;
    int32_t hi = 0;
    uint16_t posOffset = 0;    // Span: the window position
    uint16_t totalOffset = 0;  // Span: the total size
};

constexpr int kProjectSectionCount = 13;
constexpr int kProjectKeyCount = 1143;

// All key lines in file order; a new section starts where the section name changes.
const std::vector<ProjectFileKey>& ProjectFileLayout();

// Reads the field as a number: unsigned for u8/u16, signed for i32; f32 is not read this way.
int64_t ReadProjectField(const DeviceParamBlock& block, const ProjectFileKey& entry);
// Stores the low bits of the number that fit the field.
void WriteProjectField(DeviceParamBlock& block, const ProjectFileKey& entry, int64_t value);
float ReadProjectFloat(const DeviceParamBlock& block, const ProjectFileKey& entry);
void WriteProjectFloat(DeviceParamBlock& block, const ProjectFileKey& entry, float value);

// Pulls the field into its range, in the block itself.
void ApplyProjectClamp(DeviceParamBlock& block, const ProjectFileKey& entry);
// The value text of the field as written: "%d", or "%f" for f32.
QString FormatProjectField(const DeviceParamBlock& block, const ProjectFileKey& entry);
