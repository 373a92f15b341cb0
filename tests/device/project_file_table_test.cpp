#include "device/ProjectFileTable.h"

#include <QSet>
#include <QStringList>

#include <cstddef>
#include <vector>

#include <gtest/gtest.h>

TEST(ProjectFileTable, KeyCountAndSectionOrder)
{
    const auto& layout = ProjectFileLayout();
    EXPECT_EQ(layout.size(), size_t(kProjectKeyCount));
    QStringList sections;
    for (const auto& e : layout)
        if (sections.isEmpty() || sections.back() != e.section) sections << e.section;
    EXPECT_EQ(sections, (QStringList{"OUTPUTRESO", "PICCOMMSETT", "MOSAICSETT", "CHNLDATA", "INPUTINFO", "EDIDINFO",
                                     "TASKEINFO", "LOGOINFO", "PVWMODEINFO", "KEYERINFO", "LOOPINFO",
                                     "MACHINESYNCMODE", "COMPOSITEBOARD"}));
}

TEST(ProjectFileTable, KeysAreUniqueWithinASectionExceptTheRedHighBound)
{
    QSet<QString> seen;
    int duplicates = 0;
    for (const auto& e : ProjectFileLayout()) {
        const QString id = e.section + "/" + e.key;
        if (seen.contains(id)) {
            ++duplicates;
            EXPECT_TRUE(e.key == "KEYERREDL" || e.key == "KEYERREDL1") << id.toStdString();
        }
        seen.insert(id);
    }
    EXPECT_EQ(duplicates, 2);
}

TEST(ProjectFileTable, SpotOffsets)
{
    const auto find = [](const char* section, const char* key) -> const ProjectFileKey* {
        for (const auto& e : ProjectFileLayout())
            if (e.section == section && e.key == key) return &e;
        return nullptr;
    };
    ASSERT_TRUE(find("INPUTINFO", "BRIGHTNESS23"));
    EXPECT_EQ(find("INPUTINFO", "BRIGHTNESS23")->offset, 0x244);
    EXPECT_EQ(find("INPUTINFO", "VTOTAL113")->offset, 0x7BA + 12);
    EXPECT_EQ(find("INPUTINFO", "DPMDE1")->offset, 0x7C9);
    EXPECT_EQ(find("PICCOMMSETT", "GAMMA")->type, ProjectFieldType::F32);
    EXPECT_EQ(find("MOSAICSETT", "HACT2")->clamp, ProjectClamp::Span);
    EXPECT_EQ(find("MOSAICSETT", "HACT2")->posOffset, 0x38);
    EXPECT_EQ(find("MOSAICSETT", "HACT2")->totalOffset, 0x78);
    EXPECT_EQ(find("KEYERINFO", "KEYERCHNL1")->offset, 0x8EC);
    EXPECT_EQ(find("COMPOSITEBOARD", "CMPBOARDACTINTERLACE")->offset, 0x90C + 34);
    EXPECT_EQ(ProjectFileLayout().back().key, "CMPBOARDACTINTERLACE");
    EXPECT_FALSE(find("INPUTINFO", "INPUTSRC8"));
    EXPECT_TRUE(find("INPUTINFO", "CROPONOFF113"));
}

TEST(ProjectFileTable, KeysCoverEveryByteButTheReservedOnes)
{
    std::vector<int> covered(kParamBlockBytes, 0);
    for (const auto& e : ProjectFileLayout()) {
        const size_t size = e.type == ProjectFieldType::U8 ? 1 : e.type == ProjectFieldType::U16 ? 2 : 4;
        ASSERT_LE(e.offset + size, kParamBlockBytes);
        for (size_t i = 0; i < size; ++i) ++covered[e.offset + i];
    }
    std::vector<bool> reserved(kParamBlockBytes, false);
    auto mark = [&](size_t off, size_t n) {
        for (size_t i = 0; i < n; ++i) reserved[off + i] = true;
    };
    using B = DeviceParamBlock;
    mark(offsetof(B, mosaic.option), 4);
    mark(offsetof(B, reserved7CA), 2);
    mark(offsetof(B, reserved821), 3);
    mark(offsetof(B, logo.border), 1);
    mark(offsetof(B, logo.reserved5), 1);
    mark(offsetof(B, reserved8C6), 2);
    mark(offsetof(B, reserved8C9), 3);
    mark(offsetof(B, freezeState), 1);
    mark(offsetof(B, reserved902), 2);
    for (int w = 0; w < kWindowCount; ++w) mark(offsetof(B, chnl) + 24 * w + offsetof(LayerWindow, reserved3), 1);
    for (int i = 0; i < kInputSlotCount; ++i) {
        mark(offsetof(B, inputReso) + 10 * i + offsetof(InputResolution, reserved1), 1);
        mark(offsetof(B, inputReso) + 10 * i + offsetof(InputResolution, reserved9), 1);
    }
    for (int r = 0; r < kInputIndexCount * kWindowCount; ++r) {
        const size_t pic = offsetof(B, pic) + 20 * r;
        mark(pic + offsetof(PictureSettings, reserved5), 3);
        mark(pic + offsetof(PictureSettings, reserved15), 1);
        mark(pic + offsetof(PictureSettings, reserved17), 3);
        mark(offsetof(B, crop) + 14 * r + offsetof(CropWindow, reserved1), 1);
    }
    for (int e = 0; e < kEdidRecordCount; ++e) mark(offsetof(B, edid) + 12 * e + offsetof(EdidTiming, reserved1), 1);
    for (int t = 0; t < kTaskCount; ++t) mark(offsetof(B, task) + 12 * t + offsetof(ScheduleTask, reserved7), 1);
    for (int k = 0; k < kKeyerCount; ++k) {
        mark(offsetof(B, keyer) + 20 * k + offsetof(KeyerSettings, reserved2), 2);
        mark(offsetof(B, keyer) + 20 * k + offsetof(KeyerSettings, reserved17), 3);
    }
    const size_t cb = offsetof(B, cmpBoard);
    mark(cb + 1, 3);
    mark(cb + 21, 1);
    mark(cb + 24, 2);
    mark(cb + 28, 2);
    mark(cb + 32, 2);
    mark(cb + 35, 1);
    mark(cb + 37, 3);
    for (size_t i = 0; i < kParamBlockBytes; ++i) {
        // Each byte is either reserved or held by exactly one key.
        EXPECT_EQ(covered[i], reserved[i] ? 0 : 1) << "byte 0x" << std::hex << i;
    }
}
