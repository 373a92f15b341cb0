#include "device/ProjectFileTable.h"

#include "device/NumberText.h"

#include <cstring>
#include <type_traits>

namespace {

template <typename T>
constexpr ProjectFieldType TypeOf()
{
    if constexpr (std::is_same_v<T, uint8_t>)
        return ProjectFieldType::U8;
    else if constexpr (std::is_same_v<T, uint16_t>)
        return ProjectFieldType::U16;
    else if constexpr (std::is_same_v<T, int32_t>)
        return ProjectFieldType::I32;
    else {
        static_assert(std::is_same_v<T, float>, "project fields are u8, u16, i32 or f32");
        return ProjectFieldType::F32;
    }
}

struct ClampSpec {
    ProjectClamp kind = ProjectClamp::None;
    int32_t lo = 0;
    int32_t hi = 0;
    const void* pos = nullptr;
    const void* total = nullptr;
};

ClampSpec Range(int32_t lo, int32_t hi) { return {ProjectClamp::Range, lo, hi, nullptr, nullptr}; }
ClampSpec Span(const int32_t& pos, const int32_t& total) { return {ProjectClamp::Span, 0, 0, &pos, &total}; }

class LayoutBuilder {
public:
    explicit LayoutBuilder(std::vector<ProjectFileKey>& out) : m_out(out) {}

    void Section(const char* name) { m_section = QString::fromLatin1(name); }

    template <typename T>
    void Add(const QString& key, const T& field, ClampSpec clamp = {})
    {
        ProjectFileKey e;
        e.section = m_section;
        e.key = key;
        e.offset = OffsetOf(&field);
        e.type = TypeOf<T>();
        e.clamp = clamp.kind;
        e.lo = clamp.lo;
        e.hi = clamp.hi;
        if (clamp.kind == ProjectClamp::Span) {
            e.posOffset = OffsetOf(clamp.pos);
            e.totalOffset = OffsetOf(clamp.total);
        }
        m_out.push_back(e);
    }
    template <typename T>
    void Add(const char* key, const T& field, ClampSpec clamp = {})
    {
        Add(QString::fromLatin1(key), field, clamp);
    }

    const DeviceParamBlock& proto() const { return m_proto; }

private:
    uint16_t OffsetOf(const void* p) const
    {
        return static_cast<uint16_t>(static_cast<const char*>(p) - reinterpret_cast<const char*>(&m_proto));
    }

    std::vector<ProjectFileKey>& m_out;
    QString m_section;
    DeviceParamBlock m_proto{};
};

QString K(const char* stem, int a) { return FormatIndexedKey(QString::fromLatin1(stem), a); }
QString K(const char* stem, int a, int b) { return FormatIndexedKey(K(stem, a), b); }

std::vector<ProjectFileKey> BuildLayout()
{
    std::vector<ProjectFileKey> t;
    t.reserve(kProjectKeyCount);
    LayoutBuilder b(t);
    const DeviceParamBlock& p = b.proto();

    b.Section("OUTPUTRESO");
    b.Add("RESOINDEX", p.outputReso.resoIndex, {ProjectClamp::ResoIndex, 0, 17, nullptr, nullptr});
    b.Add("HRESO", p.outputReso.hReso, Range(640, 4080));
    b.Add("VRESO", p.outputReso.vReso, Range(480, 4080));
    b.Add("FPS", p.outputReso.fps, Range(2300, 12000));
    b.Add("HTOTAL", p.outputReso.hTotal, Range(680, 4094));
    b.Add("VTOTAL", p.outputReso.vTotal, Range(492, 4094));
    b.Add("HSYNC", p.outputReso.hSync, Range(4, 128));
    b.Add("VSYNC", p.outputReso.vSync, Range(4, 128));
    b.Add("HBP", p.outputReso.hbp, Range(4, 512));
    b.Add("VBP", p.outputReso.vbp, Range(4, 512));
    b.Add("HPOL", p.outputReso.hPol);
    b.Add("VPOL", p.outputReso.vPol);

    b.Section("PICCOMMSETT");
    b.Add("PICMODE", p.picComm.picMode);
    b.Add("BRIGHTLEVEL", p.picComm.brightLevel);
    b.Add("GAMMA", p.picComm.gamma);

    b.Section("MOSAICSETT");
    b.Add("MOSAICMODE", p.mosaic.mode);
    b.Add("MOSAICAUTOARR", p.mosaic.autoArr);
    for (int w = 0; w < kWindowCount; ++w) {
        const auto& m = p.mosaic.win;
        b.Add(K("HPOS", w), m.hPos[w]);
        b.Add(K("VPOS", w), m.vPos[w]);
        b.Add(K("HACT", w), m.hAct[w], Span(m.hPos[w], m.hTotal[w]));
        b.Add(K("VACT", w), m.vAct[w], Span(m.vPos[w], m.vTotal[w]));
        b.Add(K("HTOTAL", w), m.hTotal[w]);
        b.Add(K("VTOTAL", w), m.vTotal[w]);
    }

    b.Section("CHNLDATA");
    for (int w = 0; w < kWindowCount; ++w) {
        const LayerWindow& c = p.chnl[w];
        b.Add(K("CHNLONOFF", w), c.onOff);
        b.Add(K("CHNLALPHA", w), c.alpha);
        b.Add(K("CHNLINPUT", w), c.input);
        b.Add(K("HPOS", w), c.hPos);
        b.Add(K("VPOS", w), c.vPos);
        b.Add(K("HACT", w), c.hAct);
        b.Add(K("VACT", w), c.vAct);
        b.Add(K("CHNLROTATION", w), c.rotation);
    }

    b.Section("INPUTINFO");
    for (int i = 0; i < kInputIndexCount; ++i) {
        if (i < kInputSlotCount) {
            const InputResolution& r = p.inputReso[i];
            b.Add(K("INPUTSRC", i), p.input[i].src);
            b.Add(K("INPUTSTATE", i), p.inputState[i]);
            b.Add(K("INPUTRESOHACT", i), r.hAct);
            b.Add(K("INPUTRESOVACT", i), r.vAct);
            b.Add(K("INPUTRESOFPS", i), r.fps);
            b.Add(K("INPUTRESOILE", i), r.ile);
            b.Add(K("INPUTRESOIDX", i), r.idx);
        }
        for (int w = 0; w < kWindowCount; ++w) {
            const PictureSettings& s = p.pic[i][w];
            b.Add(K("BRIGHTNESS", i, w), s.brightness);
            b.Add(K("CONTRAST", i, w), s.contrast);
            b.Add(K("SHARPNESS", i, w), s.sharpness);
            b.Add(K("SATURATION", i, w), s.saturation);
            b.Add(K("HUE", i, w), s.hue);
            b.Add(K("COLORTEMP", i, w), s.colorTemp);
            b.Add(K("COLORRED", i, w), s.colorRed);
            b.Add(K("COLORGREEN", i, w), s.colorGreen);
            b.Add(K("COLORBLUE", i, w), s.colorBlue);
            b.Add(K("OPTION", i, w), s.option);
            const CropWindow& c = p.crop[i][w];
            b.Add(K("CROPONOFF", i, w), c.onOff);
            b.Add(K("HPOS", i, w), c.hPos);
            b.Add(K("VPOS", i, w), c.vPos);
            b.Add(K("HACT", i, w), c.hAct, Range(32, 0xFFFF));
            b.Add(K("VACT", i, w), c.vAct, Range(32, 0xFFFF));
            b.Add(K("HTOTAL", i, w), c.hTotal);
            b.Add(K("VTOTAL", i, w), c.vTotal);
        }
    }
    b.Add("DPMDE0", p.dpMode[0]);
    b.Add("DPMDE1", p.dpMode[1]);

    b.Section("EDIDINFO");
    for (int e = 0; e < kEdidRecordCount; ++e) {
        const EdidTiming& d = p.edid[e];
        b.Add(K("INPUTSRC", e), d.inputSrc);
        b.Add(K("HACT", e), d.hAct, Range(240, 3840));
        b.Add(K("VACT", e), d.vAct, Range(240, 3840));
        b.Add(K("FPS", e), d.fps, Range(2000, 12100));
        b.Add(K("HBLANK", e), d.hBlank);
        b.Add(K("VBLANK", e), d.vBlank);
    }

    b.Section("TASKEINFO");
    b.Add("TASKSTATUS", p.taskStatus);
    for (int n = 0; n < kTaskCount; ++n) {
        const ScheduleTask& s = p.task[n];
        b.Add(K("YEAR", n), s.year);
        b.Add(K("MONTH", n), s.month);
        b.Add(K("DAY", n), s.day);
        b.Add(K("HOUR", n), s.hour);
        b.Add(K("MIN", n), s.min);
        b.Add(K("SEC", n), s.sec);
        b.Add(K("PRESETID", n), s.presetId);
        b.Add(K("OPTION", n), s.option);
    }

    b.Section("LOGOINFO");
    b.Add("LOGOUSAGE", p.logo.usage);
    b.Add("LOGOCURID", p.logo.curId);
    b.Add("LOGOONOFF", p.logo.onOff);
    b.Add("LOGOPOS", p.logo.pos);
    for (int l = 0; l < kLogoSlotCount; ++l) {
        b.Add(K("HPOS", l), p.logo.win.hPos[l]);
        b.Add(K("VPOS", l), p.logo.win.vPos[l]);
        b.Add(K("HACT", l), p.logo.win.hAct[l]);
        b.Add(K("VACT", l), p.logo.win.vAct[l]);
        b.Add(K("LOGOVALID", l), p.logo.valid[l]);
    }

    b.Section("PVWMODEINFO");
    b.Add("PVWMODE", p.pvwMode);
    b.Add("PVWDTIME", p.pvwDTime);
    for (int w = 0; w < kWindowCount; ++w) {
        b.Add(K("PGMSTATE", w), p.pgmState[w]);
        b.Add(K("PVWSTATE", w), p.pvwState[w]);
    }

    b.Section("KEYERINFO");
    for (int k = 0; k < kKeyerCount; ++k) {
        const KeyerSettings& s = p.keyer[k];
        // The second keyer's keys carry the suffix "1"; the first keyer's have none.
        const QString sfx = k == 0 ? QString() : QStringLiteral("1");
        auto key = [&](const char* stem) { return QString::fromLatin1(stem) + sfx; };
        b.Add(key("KEYERONOFF"), s.onOff);
        b.Add(key("KEYERMODE"), s.mode);
        // The red high bound has no key of its own: it is the second KEYERREDL line.
        b.Add(key("KEYERREDL"), s.redL);
        b.Add(key("KEYERREDL"), s.redH);
        b.Add(key("KEYERGREENL"), s.greenL);
        b.Add(key("KEYERGREENH"), s.greenH);
        b.Add(key("KEYERBLUEL"), s.blueL);
        b.Add(key("KEYERBLUEH"), s.blueH);
        b.Add(key("KEYERGAININ"), s.gainIn);
        b.Add(key("KEYERGAINOUT"), s.gainOut);
        b.Add(key("KEYERGAINBND"), s.gainBnd);
        b.Add(key("KEYERCHNL"), s.chnl);
    }

    b.Section("LOOPINFO");
    b.Add("LOOPOUTIP", p.loopOutIp);

    b.Section("MACHINESYNCMODE");
    b.Add("SYNCLOCKMODE", p.syncLockMode);
    b.Add("SYNCMODE", p.syncMode);

    b.Section("COMPOSITEBOARD");
    const CompositeBoardInfo& cb = p.cmpBoard;
    b.Add("CMPBOARDMODE", cb.mode);
    b.Add("CMPBOARDEXIST", cb.exist);
    b.Add("CMPBOARDACTNOSRC", cb.actNoSrc);
    for (int n = 0; n < 3; ++n) b.Add(K("CMPBOARDIPSRC", n), cb.ipSrc[n]);
    b.Add("CMPBOARDACTDUAL", cb.actDual);
    b.Add("CMPBOARDACTSIGNAL", cb.actSignal);
    b.Add("CMPBOARDACTHACT", cb.actHAct);
    b.Add("CMPBOARDACTVACT", cb.actVAct);
    b.Add("CMPBOARDACTFPS", cb.actFps);
    b.Add("CMPBOARDACTINTERLACE", cb.actInterlace);
    return t;
}

const uint8_t* Bytes(const DeviceParamBlock& block) { return reinterpret_cast<const uint8_t*>(&block); }
uint8_t* Bytes(DeviceParamBlock& block) { return reinterpret_cast<uint8_t*>(&block); }

template <typename T>
T Load(const DeviceParamBlock& block, uint16_t offset)
{
    T v;
    std::memcpy(&v, Bytes(block) + offset, sizeof v);
    return v;
}

template <typename T>
void Store(DeviceParamBlock& block, uint16_t offset, T v)
{
    std::memcpy(Bytes(block) + offset, &v, sizeof v);
}

}  // namespace

const std::vector<ProjectFileKey>& ProjectFileLayout()
{
    static const std::vector<ProjectFileKey> layout = BuildLayout();
    return layout;
}

int64_t ReadProjectField(const DeviceParamBlock& block, const ProjectFileKey& e)
{
    switch (e.type) {
    case ProjectFieldType::U8:
        return Load<uint8_t>(block, e.offset);
    case ProjectFieldType::U16:
        return Load<uint16_t>(block, e.offset);
    case ProjectFieldType::I32:
        return Load<int32_t>(block, e.offset);
    case ProjectFieldType::F32:
        break;
    }
    return 0;
}

void WriteProjectField(DeviceParamBlock& block, const ProjectFileKey& e, int64_t value)
{
    switch (e.type) {
    case ProjectFieldType::U8:
        Store<uint8_t>(block, e.offset, static_cast<uint8_t>(value & 0xFF));
        break;
    case ProjectFieldType::U16:
        Store<uint16_t>(block, e.offset, static_cast<uint16_t>(value & 0xFFFF));
        break;
    case ProjectFieldType::I32:
        Store<int32_t>(block, e.offset, static_cast<int32_t>(static_cast<uint32_t>(value & 0xFFFFFFFF)));
        break;
    case ProjectFieldType::F32:
        break;
    }
}

float ReadProjectFloat(const DeviceParamBlock& block, const ProjectFileKey& e) { return Load<float>(block, e.offset); }

void WriteProjectFloat(DeviceParamBlock& block, const ProjectFileKey& e, float value)
{
    Store<float>(block, e.offset, value);
}

void ApplyProjectClamp(DeviceParamBlock& block, const ProjectFileKey& e)
{
    switch (e.clamp) {
    case ProjectClamp::None:
        return;
    case ProjectClamp::ResoIndex: {
        const int64_t v = ReadProjectField(block, e);
        if (v < 0) WriteProjectField(block, e, 0);
        else if (v >= 19) WriteProjectField(block, e, 17);
        return;
    }
    case ProjectClamp::Range: {
        const int64_t v = ReadProjectField(block, e);
        if (v < e.lo) WriteProjectField(block, e, e.lo);
        else if (v > e.hi) WriteProjectField(block, e, e.hi);
        return;
    }
    case ProjectClamp::Span: {
        // Unsigned on purpose: a position beyond the total gives a huge room and no change.
        const uint32_t act = Load<uint32_t>(block, e.offset);
        const uint32_t room = Load<uint32_t>(block, e.totalOffset) - Load<uint32_t>(block, e.posOffset);
        if (act > room) Store<uint32_t>(block, e.offset, room);
        return;
    }
    }
}

QString FormatProjectField(const DeviceParamBlock& block, const ProjectFileKey& e)
{
    if (e.type == ProjectFieldType::F32) return FloatToString(ReadProjectFloat(block, e));
    return IntToString(static_cast<int>(ReadProjectField(block, e)));
}
