#include "preview/MMainDlg.h"

#include "controls/CGdipButton.h"
#include "device/CDeviceData.h"
#include "device/VideoPacketSink.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/LanguageFiles.h"
#include "platform/ControlId.h"
#include "platform/MessageEvent.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "preview/CCell.h"
#include "preview/CPictureCtrl.h"
#include "preview/MShowVideoDlg.h"
#include "preview/OperatingIds.h"
#include "preview/OperatingRules.h"
#include "preview/SdlRelayoutNotifier.h"
#include "preview/SdlVideoWidget.h"
#include "preview/VideoChannelSet.h"

#include <QContextMenuEvent>
#include <QMoveEvent>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>
#include <QWheelEvent>

#include <SDL.h>

#include <algorithm>

using cellgeo::CellRect;

namespace {

constexpr int kCellMarkMs = 5000;
constexpr int kTopButtonsMs = 5000;
constexpr WPARAM kLayerGeometryFromCanvas = 1452;

// The page whose channels the reply-26 sink feeds (one page per program; a later page wins).
std::atomic<const MMainDlg*> g_sinkOwner{nullptr};

CellRect WindowRect(int left, int top, int width, int height)
{
    return cellgeo::SizedRect(left, top, width, height);
}

int ClampedLogoSlot(const CDeviceData& d)
{
    return std::min<int>(d.logo.curId, kLogoSlotCount - 1);
}

oprules::Window LogoWindow(const CDeviceData& d)
{
    const int s = ClampedLogoSlot(d);
    return {d.logo.win.hPos[s], d.logo.win.vPos[s], d.logo.win.hAct[s], d.logo.win.vAct[s]};
}

bool InRange(int w)
{
    return w >= 0 && w < kWindowCount;
}

} // namespace

MMainDlg::MMainDlg(QWidget* parent) : MBaseDialog(IDD_OPERATING, parent, false)
{
    Construct(DefaultVideoDecoderApi());
}

MMainDlg::MMainDlg(QWidget* parent, const VideoDecoderApi& decoderApi) : MBaseDialog(IDD_OPERATING, parent, false)
{
    Construct(decoderApi);
}

void MMainDlg::Construct(const VideoDecoderApi& decoderApi)
{
    canvas = new CPictureCtrl(this);
    SetControlId(canvas, ctl::operating::IDC_CANVAS);
    cellMarkTimer = new QTimer(this);
    cellMarkTimer->setSingleShot(true);
    cellMarkTimer->setInterval(kCellMarkMs);
    connect(cellMarkTimer, &QTimer::timeout, this, &MMainDlg::OnCellMarkTimer);
    topButtonsTimer = new QTimer(this);
    topButtonsTimer->setSingleShot(true);
    topButtonsTimer->setInterval(kTopButtonsMs);
    connect(topButtonsTimer, &QTimer::timeout, this, &MMainDlg::OnTopButtonsTimer);

    channels = std::make_unique<VideoChannelSet>(decoderApi);
    canvas->channel = channels.get();
    showVideo = new MShowVideoDlg(this);
    // Posted, so the re-layout never runs on the thread that noticed the need (a render thread).
    relayoutNotifier = std::make_unique<SdlRelayoutNotifier>([this] { PostMsg(this, WM_SDL_RELAYOUT, 0, 0); });
    showVideo->SetRelayoutNotifier(relayoutNotifier.get());
    InstallVideoSink();
}

MMainDlg::~MMainDlg()
{
    // Nothing may push into the channels once they start to go.
    RemoveVideoSink();
    previewOn.store(false, std::memory_order_release);
    channels->StopAll();
    cellMarkTimer->stop();
    topButtonsTimer->stop();
    // The SDL surfaces (and with the cells their fonts) go before SDL does.
    showVideo->LayoutViews(nullptr, false, previewWidth, previewHeight);
    canvas->RemoveLayerCells();
    canvas->channel = nullptr;
    StopSdl();
}

void MMainDlg::InstallVideoSink()
{
    VideoChannelSet* set = channels.get();
    std::atomic<bool>* on = &previewOn;
    SetVideoPacketSink([set, on](int channel, const uint8_t* data, std::size_t length) {
        if (!on->load(std::memory_order_acquire) || length > UINT32_MAX) return;
        set->PushPacket(channel, data, static_cast<uint32_t>(length));
    });
    g_sinkOwner.store(this, std::memory_order_release);
    sinkInstalled = true;
}

void MMainDlg::RemoveVideoSink()
{
    if (!sinkInstalled) return;
    sinkInstalled = false;
    const MMainDlg* self = this;
    // Another page may have taken the sink over since; its sink stays.
    if (g_sinkOwner.compare_exchange_strong(self, nullptr, std::memory_order_acq_rel)) SetVideoPacketSink(nullptr);
}

void MMainDlg::StartSdl()
{
    if (sdlStarted) return;
    // SDL would turn SIGINT and SIGTERM into quit events nobody reads: the program keeps its own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A failure leaves the cells without live video; nothing more is said.
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    sdlStarted = true;
    relayoutNotifier->WatchSdlEvents();
}

void MMainDlg::StopSdl()
{
    relayoutNotifier->StopWatchingSdlEvents();
    if (!sdlStarted) return;
    sdlStarted = false;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void MMainDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    if (CloseButton()) CloseButton()->hide();
    BuildCells();
    showVideo->OnInitDialog();
    showVideo->setGeometry(40, 40, 600, 400);
    StartSdl();
}

// --- cells ---

CCell* MMainDlg::LayerCell(int w) const
{
    return InRange(w) ? canvas->LayerCell(w) : nullptr;
}

QString MMainDlg::InputNameOf(int w) const
{
    const CDeviceData& d = GetDeviceData();
    if (!InRange(w)) return {};
    const int code = d.chnl[w].input;
    if (code < 0 || code >= kInputIndexCount) return {};
    return d.inputNames[code].name;
}

QString MMainDlg::LayerName(const QString& prefix, int w) const
{
    return prefix + InputNameOf(w);
}

void MMainDlg::SetAllScales(double sx, double sy)
{
    canvas->scaleX = canvas->fixedScaleX = canvas->layerScaleX = sx;
    canvas->scaleY = canvas->fixedScaleY = canvas->layerScaleY = sy;
}

void MMainDlg::BuildCells()
{
    const CDeviceData& d = GetDeviceData();
    canvas->setGeometry(0, 0, kCanvasSize, kCanvasSize);
    canvas->gridOn = 1;
    canvas->resizeSnap = 1;
    zoom = kDefaultZoom;
    SetAllScales(zoom, zoom);
    canvas->videoOn = previewOn.load();
    canvas->previewWidth = previewWidth;
    canvas->previewHeight = previewHeight;
    const CellRect output1 = WindowRect(kMarginX, kMarginY, 1920, 1080);
    for (int w = 0; w < kWindowCount; ++w) {
        const QString prefix = w == 0 ? QStringLiteral("Main : ") : QStringLiteral("PIP-%1 : ").arg(w);
        const LayerSeed& seed = d.layerSeeds[w];
        // Layer-relative: moving the cell into output 1 adds the output's origin once.
        CCell* cell = canvas->AddLayerCell(seed.width, seed.height, seed.x, seed.y, LayerName(prefix, w), w,
                                           d.chnl[w].input);
        if (!cell) continue;
        cell->SetHidden(w != selectedLayer);
        canvas->MoveCellBy(cell, output1);
        canvas->PlaceCellWindow(cell->outputRect, cell);
    }
    for (int i = 0; i < 4; ++i) {
        CCell* cell = canvas->AddFixedCell(CellRect{}, QStringLiteral("OUTPUT:DVI-%1").arg(i + 1), kMarginX + 1920 * i,
                                           kMarginY, i);
        cell->originX = kMarginX;
        cell->originY = kMarginY;
        cell->state = 1;
        cell->frameOnly = 1;
        cell->SetHidden(i != 0);
        fixedCells[static_cast<size_t>(kOutput1 + i)] = cell;
    }
    const char* kinds[] = {"PREVIEW", "PREVIEW", "PROGRAM", "PROGRAM"};
    for (int i = 0; i < 4; ++i) {
        CCell* cell = canvas->AddFixedCell(CellRect{}, QStringLiteral("%1-%2").arg(QLatin1String(kinds[i])).arg(i % 2 + 1),
                                           kMarginX, kMarginY, 4 + i);
        cell->state = 1;
        cell->frameOnly = 1;
        cell->SetHidden(true);
        fixedCells[static_cast<size_t>(kPreview1 + i)] = cell;
    }
    cachedWorkMode = 0;
}

void MMainDlg::MoveLayerInto(int w, int fixedIndex)
{
    CCell* cell = LayerCell(w);
    CCell* target = FixedCellAt(fixedIndex);
    if (!cell || !target) return;
    canvas->MoveCellBy(cell, target->outputRect);
    canvas->PlaceCellWindow(cell->outputRect, cell);
}

bool MMainDlg::LayerSwitchedOn(int w) const
{
    if (!InRange(w)) return false;
    const CDeviceData& d = GetDeviceData();
    return (w == 3 && d.logo.usage == 1 ? d.logo.onOff : d.chnl[w].onOff) != 0;
}

void MMainDlg::ShowLayerAsOnAir(int w, bool switchedOn)
{
    CCell* cell = LayerCell(w);
    if (!cell) return;
    const CDeviceData& d = GetDeviceData();
    oprules::LayerShowInput in;
    in.workMode = d.pvwMode;
    in.switchedOn = switchedOn;
    in.pgm = d.pgmState[w] != 0;
    in.pvw = d.pvwState[w] != 0;
    in.layersInOutputs = layersInOutputs;
    const bool shown = oprules::LayerCellShown(in);
    cell->SetHidden(!shown);
    if (!shown && canvas->Selected() == cell) canvas->SelectCell(nullptr);
}

void MMainDlg::ApplyLayerVisibility()
{
    for (int w = 0; w < kWindowCount; ++w) ShowLayerAsOnAir(w, LayerSwitchedOn(w));
}

void MMainDlg::ApplyLayout()
{
    const CDeviceData& d = GetDeviceData();
    // Laid out anew, the layers show as on the processor: an off layer never shows its quadrant.
    ApplyLayerVisibility();
    const oprules::SplicePlan plan = oprules::PlanForMosaicMode(d.mosaic.mode, d.pvwMode, d.mosaicCell);
    // The output cells belong to the normal work mode; the two-area modes keep them hidden.
    if (d.pvwMode == oprules::kWorkNormal)
        for (int o = 0; o < 4; ++o)
            if (CCell* out = FixedCellAt(kOutput1 + o)) out->SetHidden(plan.outputHidden[static_cast<size_t>(o)]);
    for (int w = 0; w < kWindowCount; ++w) {
        const int o = plan.layerOutput[static_cast<size_t>(w)];
        CCell* cell = LayerCell(w);
        CCell* out = o > 0 ? FixedCellAt(kOutput1 + o - 1) : nullptr;
        if (cell && out) canvas->MoveCellBy(cell, out->outputRect);
    }
    canvas->RelayoutCells();
    SyncVideoWindows();
    canvas->update();
    update();
}

void MMainDlg::PlaceOutputCells(int code)
{
    const CDeviceData& d = GetDeviceData();
    std::array<CellRect, 4> current{};
    for (int i = 0; i < 4; ++i) {
        CCell* out = FixedCellAt(kOutput1 + i);
        if (!out) return;
        current[static_cast<size_t>(i)] = out->outputRect;
    }
    const auto arranged = oprules::ArrangeOutputs(code, current, d.outputReso.hReso, d.outputReso.vReso);
    if (!arranged) return;
    for (int i = 1; i < 4; ++i) canvas->PlaceCellWindow((*arranged)[static_cast<size_t>(i)], FixedCellAt(kOutput1 + i));
    ApplyLayout();
}

void MMainDlg::ShowLayerCell(int layer, int on)
{
    ShowLayerAsOnAir(layer, on != 0);
    canvas->update();
    update();
}

void MMainDlg::ShowLayersInOutputs(int on, int apply)
{
    layersInOutputs = on != 0;
    for (int i = 0; i < 4; ++i) {
        if (CCell* out = FixedCellAt(kOutput1 + i)) {
            out->state = on ? 1 : 0;
            out->frameOnly = on ? 1 : 0;
        }
    }
    if (apply) ApplyLayerVisibility();
    canvas->update();
}

void MMainDlg::SetLayerCellsLocked(bool locked)
{
    layersLocked = locked;
    // The canvas takes no presses while locked: no layer can be picked, moved or grown.
    canvas->setEnabled(!locked);
}

void MMainDlg::UpdateLayerLabel(int w)
{
    CCell* cell = LayerCell(w);
    if (!cell) return;
    const CDeviceData& d = GetDeviceData();
    const oprules::LayerLabel label = oprules::LabelForLayer(w, d.pvwMode, d.pgmState[w] != 0, d.pvwState[w] != 0,
                                                             d.logo.usage);
    if (!label.change) return;
    const QString prefix = QString::fromStdString(label.prefix);
    cell->SetName(label.withInput ? LayerName(prefix, w) : prefix);
    cell->id = d.chnl[w].input;
    canvas->update();
}

void MMainDlg::UpdateLayerCellRect(int w)
{
    CCell* cell = LayerCell(w);
    if (!cell) return;
    const CDeviceData& d = GetDeviceData();
    oprules::Window win{d.chnl[w].hPos, d.chnl[w].vPos, d.chnl[w].hAct, d.chnl[w].vAct};
    switch (d.pvwMode) {
    case oprules::kWorkSwitcher: MoveLayerInto(w, d.pgmState[w] ? kProgram1 : kPreview1); break;
    case oprules::kWorkDual: {
        const bool even = w == 0 || w == 2;
        if (d.pgmState[w])
            MoveLayerInto(w, even ? kProgram1 : kProgram2);
        else if (d.pvwState[w])
            MoveLayerInto(w, even ? kPreview1 : kPreview2);
        break;
    }
    default:
        if (w == 3 && d.logo.usage == 1) {
            win = LogoWindow(d);
        } else if (w == 3 && d.logo.usage != 0) {
            SelectLayerQuadrant(w);
            return;
        }
        break;
    }
    canvas->PlaceCellWindow(oprules::WindowOutputRect(cell->originX, cell->originY, win), cell);
    SelectLayerQuadrant(w);
}

void MMainDlg::UpdateLogoLabel(int flag)
{
    CCell* cell = LayerCell(3);
    if (!cell) return;
    const CDeviceData& d = GetDeviceData();
    if (flag == 1 && d.logo.usage == 1) {
        cell->SetName(QStringLiteral("LOGO"));
        cell->state = 1;
    } else if (flag == 1 && d.logo.usage == 0 && d.pvwMode == oprules::kWorkDual) {
        return;
    } else {
        cell->SetName(LayerName(QStringLiteral("PIP-%1 : ").arg(3), 3));
        // The label is the layer's own again: so is its lock, which the logo may have set.
        cell->state = d.pvwMode != oprules::kWorkNormal && d.pgmState[3] == 1 ? 1 : 0;
    }
    ShowLayerAsOnAir(3, LayerSwitchedOn(3));
    UpdateLayerCellRect(3);
    canvas->update();
}

void MMainDlg::SelectLayerQuadrant(int w)
{
    if (!InRange(w)) return;
    const CDeviceData& d = GetDeviceData();
    oprules::QuadrantInput in;
    in.workMode = d.pvwMode;
    in.autoArr = d.mosaic.autoArr;
    in.mosaicMode = d.mosaic.mode;
    in.pgm = d.pgmState[w] != 0;
    in.pvw = d.pvwState[w] != 0;
    if (const auto q = oprules::SelectQuadrant(w, in)) SetLayerSourceRect(w, *q);
}

void MMainDlg::SetLayerSourceRect(int w, int q)
{
    CCell* cell = LayerCell(w);
    if (!cell) return;
    const CDeviceData& d = GetDeviceData();
    const bool logo = w == 3 && d.logo.usage == 1;
    const oprules::Window win =
        logo ? LogoWindow(d) : oprules::Window{d.chnl[w].hPos, d.chnl[w].vPos, d.chnl[w].hAct, d.chnl[w].vAct};
    const auto src = oprules::LayerSourceRect(win, q, previewWidth, previewHeight, d.outputReso.hReso,
                                              d.outputReso.vReso, logo);
    if (!src) return;
    cell->SetCropRect(oprules::QuadrantRect(q, previewWidth, previewHeight), *src);
}

// --- work modes ---

void MMainDlg::LayoutOutputCells()
{
    const CDeviceData& d = GetDeviceData();
    const int hAct = d.outputReso.hReso, vAct = d.outputReso.vReso;
    const auto scales = oprules::TwoAreaScale(d.pvwMode, width(), height(), hAct, vAct);
    // A small or minimised window has no room: the layout stays as it is.
    if (!scales) return;
    SetAllScales(scales->x, scales->y);
    const oprules::TwoAreaPlaces p = oprules::TwoAreaPlacement(d.pvwMode, width(), height(), *scales, hAct, vAct);
    canvas->PlaceCellWindow(p.preview1, FixedCellAt(kPreview1));
    canvas->PlaceCellWindow(p.program1, FixedCellAt(kProgram1));
    if (d.pvwMode == oprules::kWorkDual) {
        canvas->PlaceCellWindow(p.preview2, FixedCellAt(kPreview2));
        canvas->PlaceCellWindow(p.program2, FixedCellAt(kProgram2));
    }
}

void MMainDlg::OnRelayout()
{
    if (!FixedCellAt(kOutput1)) return;
    const CDeviceData& d = GetDeviceData();
    const int mode = d.pvwMode;
    canvas->twoArea = mode != oprules::kWorkNormal;
    if (mode == oprules::kWorkNormal) {
        SetAllScales(zoom, zoom);
        if (mode != cachedWorkMode)
            for (int w = 0; w < kWindowCount; ++w)
                if (CCell* cell = LayerCell(w)) cell->state = 0;
        if (d.logo.usage == 1)
            if (CCell* logo = LayerCell(3)) logo->state = 1;
        for (int k = kPreview1; k <= kProgram2; ++k) FixedCellAt(k)->SetHidden(true);
        if (CCell* main = LayerCell(0)) main->SetName(LayerName(QStringLiteral("Main : "), 0));
        cachedWorkMode = mode;
        ApplyLayout();
        return;
    }
    LayoutOutputCells();
    const bool dual = mode == oprules::kWorkDual;
    for (int w = 0; w < kWindowCount; ++w) {
        CCell* cell = LayerCell(w);
        if (!cell) continue;
        const bool even = w == 0 || w == 2;
        if (d.pgmState[w]) {
            MoveLayerInto(w, dual && !even ? kProgram2 : kProgram1);
            cell->state = 1;
            if (dual)
                cell->SetName(LayerName(even ? QStringLiteral("PGM1 : ") : QStringLiteral("PGM2 : "), w));
            else if (w < 2)
                cell->SetName(LayerName(QStringLiteral("PGM : "), w));
        } else if (dual) {
            if (d.pvwState[w]) {
                MoveLayerInto(w, even ? kPreview1 : kPreview2);
                cell->SetName(LayerName(even ? QStringLiteral("PVW1 : ") : QStringLiteral("PVW2 : "), w));
                cell->state = 0;
            }
        } else {
            MoveLayerInto(w, kPreview1);
            cell->state = 0;
            if (w < 2 && d.pvwState[w]) cell->SetName(LayerName(QStringLiteral("PVW : "), w));
        }
    }
    if (d.logo.usage == 1)
        if (CCell* logo = LayerCell(3)) logo->state = 1;
    FixedCellAt(kPreview1)->SetHidden(false);
    FixedCellAt(kProgram1)->SetHidden(false);
    FixedCellAt(kPreview2)->SetHidden(!dual);
    FixedCellAt(kProgram2)->SetHidden(!dual);
    for (int o = 0; o < 4; ++o) FixedCellAt(kOutput1 + o)->SetHidden(true);
    ApplyLayerVisibility();
    canvas->RelayoutCells();
    SyncVideoWindows();
    cachedWorkMode = mode;
    canvas->update();
    update();
}

void MMainDlg::ResizeOutputCells()
{
    if (!FixedCellAt(kOutput1)) return;
    const CDeviceData& d = GetDeviceData();
    const int hAct = d.outputReso.hReso, vAct = d.outputReso.vReso;
    if (hAct <= 0 || vAct <= 0) return;
    for (int k = kPreview1; k <= kProgram2; ++k) {
        CCell* cell = FixedCellAt(k);
        canvas->PlaceCellWindow(WindowRect(cell->outputRect.left, cell->outputRect.top, hAct, vAct), cell);
    }
    if (d.pvwMode == oprules::kWorkNormal)
        SetAllScales(zoom, zoom);
    else
        LayoutOutputCells();
    if (!rect().isEmpty()) {
        for (int o = 0; o < 4; ++o) {
            CCell* out = FixedCellAt(kOutput1 + o);
            const CellRect r = out->outputRect;
            canvas->PlaceCellWindow(
                oprules::RescaleOutputRect(r, kMarginX, kMarginY, r.Width(), r.Height(), hAct, vAct), out);
        }
    }
    if (d.pvwMode == oprules::kWorkNormal) {
        ApplyLayout();
    } else {
        const bool dual = d.pvwMode == oprules::kWorkDual;
        for (int w = 0; w < kWindowCount; ++w) {
            const bool even = w == 0 || w == 2;
            if (!dual)
                MoveLayerInto(w, d.pgmState[w] ? kProgram1 : kPreview1);
            else if (d.pgmState[w])
                MoveLayerInto(w, even ? kProgram1 : kProgram2);
            else if (d.pvwState[w])
                MoveLayerInto(w, even ? kPreview1 : kPreview2);
        }
    }
    canvas->update();
    update();
}

// --- preview ---

void MMainDlg::CheckOutputModeChanged()
{
    const bool available = GetDeviceData().previewAvailable != 0;
    if (available != canvas->videoOn) SendMsg(this, WM_VALUE_CHANGED, available ? 1 : 0, 0);
}

void MMainDlg::SetPreviewFormat(int format)
{
    const auto size = oprules::PreviewSizeForFormat(format);
    if (!size) return;
    previewWidth = size->width;
    previewHeight = size->height;
    canvas->previewWidth = previewWidth;
    canvas->previewHeight = previewHeight;
    RelayoutPreview();
}

void MMainDlg::RebuildLayerSurface(CCell* cell)
{
    cell->DestroyVideoSurface();
    cell->SetTextureRects(previewWidth, previewHeight);
    cell->CreateVideoSurface();
    if (SdlVideoWidget* window = cell->Window()) window->Surface().SetNotifier(relayoutNotifier.get());
    cell->OpenLabelFont();
    cell->PlaceWindow(cell->rect);
    // Its window shows again only while the cell does.
    canvas->AttachCellToVideoChannel(cell);
    SelectLayerQuadrant(cell->layer);
}

void MMainDlg::RelayoutPreview()
{
    const bool on = previewOn.load(std::memory_order_acquire);
    if (on) {
        channels->StopAll();
        CVideoChannel* c0 = channels->Channel(0);
        c0->SetSize(previewWidth, previewHeight);
        c0->Start();
    }
    showVideo->LayoutViews(channels.get(), on, previewWidth, previewHeight);
    canvas->videoOn = on;
    canvas->channel = channels.get();
    for (int w = 0; w < kWindowCount; ++w) {
        CCell* cell = LayerCell(w);
        if (cell && cell->Window()) RebuildLayerSurface(cell);
    }
    SyncVideoWindows();
}

void MMainDlg::OnRebuildCells(bool on)
{
    const CDeviceData& d = GetDeviceData();
    if (on) {
        CVideoChannel* c0 = channels->Channel(0);
        if (!previewOn.load(std::memory_order_acquire)) {
            channels->StopAll();
            c0->SetSize(previewWidth, previewHeight);
        }
        c0->Start();
        previewOn.store(true, std::memory_order_release);
    } else {
        previewOn.store(false, std::memory_order_release);
        channels->StopAll();
    }
    showVideo->LayoutViews(channels.get(), on, previewWidth, previewHeight);
    canvas->videoOn = on;
    canvas->channel = channels.get();
    canvas->previewWidth = previewWidth;
    canvas->previewHeight = previewHeight;
    canvas->RemoveLayerCells();
    zoom = kDefaultZoom;
    SetAllScales(zoom, zoom);
    const CCell* out1 = FixedCellAt(kOutput1);
    for (int w = 0; w < kWindowCount; ++w) {
        const LayerWindow& L = d.chnl[w];
        const oprules::Window win = oprules::ShownWindow({L.hPos, L.vPos, L.hAct, L.vAct});
        CCell* cell = canvas->AddLayerCell(win.hAct, win.vAct, win.hPos, win.vPos, QString(), w, L.input);
        if (!cell) continue;
        // Layer-relative, then into output 1: its origin is added once, before anything is raised
        // to 0, so that a window overhanging the output's top-left keeps its place.
        if (out1) canvas->MoveCellBy(cell, out1->outputRect);
        canvas->PlaceCellWindow(oprules::WindowOutputRect(cell->originX, cell->originY, win), cell);
        if (SdlVideoWidget* window = cell->Window()) window->Surface().SetNotifier(relayoutNotifier.get());
        cell->SetName(LayerName(w == 0 ? QStringLiteral("Main : ") : QStringLiteral("PIP-%1 : ").arg(w), w));
        ShowLayerAsOnAir(w, LayerSwitchedOn(w));
        canvas->AttachCellToVideoChannel(cell);
        SelectLayerQuadrant(w);
        UpdateLayerLabel(w);
    }
    relayoutNotifier->Arm();
    SendMsg(this, WM_MAINPAGE_RELAYOUT, 0, 0);
}

bool MMainDlg::NotifySdlRelayout()
{
    return relayoutNotifier->Notify();
}

bool MMainDlg::IsSdlRelayoutArmed() const
{
    return relayoutNotifier->IsArmed();
}

void MMainDlg::OnSdlRelayout()
{
    RelayoutPreview();
    relayoutNotifier->Arm();
}

void MMainDlg::ShowFourView()
{
    if (!showVideo->isVisible() && !fourViewPlaced) {
        // The first time at the page's right, clear of output 1 where the layers usually are.
        const QSize size(600, 400);
        showVideo->setGeometry(std::max(0, width() - size.width() - 20), 40, size.width(), size.height());
        fourViewPlaced = true;
    }
    showVideo->ShowPage(true);
    showVideo->raise();
}

// --- canvas messages ---

void MMainDlg::OnCellSelected(CCell* cell)
{
    if (!canvas->HasCell(cell) || cell->fixed || !InRange(cell->layer) || !CPictureCtrl::IsShown(cell)) return;
    CDeviceData& d = GetDeviceData();
    selectedLayer = cell->layer;
    canvas->MoveCellToTail(cell);
    canvas->ApplyZOrder();
    PostMsg(parentWidget(), WM_SELECT_LAYER, static_cast<WPARAM>(selectedLayer), 0);
    cellMarkTimer->start();
    PostMsg(parentWidget(), WM_LAYER_GEOMETRY, kLayerGeometryFromCanvas, selectedLayer);
    if (d.logoDirty) {
        d.SendCommand(CMD_LOGO, 3);
        d.logoDirty = 0;
    }
}

void MMainDlg::OnCellMoved(CCell* cell, bool fixed)
{
    if (fixed) {
        ApplyLayout();
        return;
    }
    // The posted cell, not the selected one: the selection may have moved on since the post.
    if (!canvas->HasCell(cell) || cell->fixed || !InRange(cell->layer)) return;
    const int w = cell->layer;
    if (layersLocked) {
        UpdateLayerCellRect(w);
        return;
    }
    CDeviceData& d = GetDeviceData();
    const CellRect& r = cell->outputRect;
    d.chnl[w].hPos = cellgeo::Saturated(std::max<int64_t>(0, int64_t{r.left} - cell->originX));
    d.chnl[w].vPos = cellgeo::Saturated(std::max<int64_t>(0, int64_t{r.top} - cell->originY));
    d.chnl[w].hAct = r.Width();
    d.chnl[w].vAct = r.Height();
    // A window left overhanging the output's top-left is sent on its edge: drawn where it is sent.
    if (int64_t{r.left} < cell->originX || int64_t{r.top} < cell->originY)
        canvas->PlaceCellWindow(oprules::WindowOutputRect(cell->originX, cell->originY,
                                                          {d.chnl[w].hPos, d.chnl[w].vPos, d.chnl[w].hAct, d.chnl[w].vAct}),
                                cell);
    d.SendCommand(CMD_SET_LAYER_WINDOW, w);
    PostMsg(parentWidget(), WM_LAYER_GEOMETRY, kLayerGeometryFromCanvas, w);
    SelectLayerQuadrant(w);
    cellMarkTimer->start();
}

void MMainDlg::OnCanvasMenuCommand()
{
    PostMsg(parentWidget(), WM_PAGE_NOTIFY, NOTIFY_TOP_BUTTONS, 1);
    topButtonsTimer->start();
}

void MMainDlg::OnTopButtonsTimer()
{
    PostMsg(parentWidget(), WM_PAGE_NOTIFY, NOTIFY_TOP_BUTTONS, 0);
}

bool MMainDlg::IsTopButtonsTimerActive() const
{
    return topButtonsTimer->isActive();
}

void MMainDlg::StartCellMarkTimer()
{
    cellMarkTimer->start();
}

bool MMainDlg::IsCellMarkTimerActive() const
{
    return cellMarkTimer->isActive();
}

void MMainDlg::OnCellMarkTimer()
{
    canvas->SortByLayer();
    canvas->ApplyZOrder();
    canvas->update();
}

bool MMainDlg::OnWheelZoom(Qt::KeyboardModifiers modifiers, int delta)
{
    if (GetDeviceData().pvwMode != oprules::kWorkNormal) return false;
    if ((modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier)) !=
        Qt::ControlModifier)
        return false;
    zoom = oprules::ZoomAfterWheel(zoom, delta);
    SetAllScales(zoom, zoom);
    ApplyLayout();
    return true;
}

void MMainDlg::wheelEvent(QWheelEvent* e)
{
    if (OnWheelZoom(e->modifiers(), e->angleDelta().y()))
        e->accept();
    else
        MBaseDialog::wheelEvent(e);
}

void MMainDlg::contextMenuEvent(QContextMenuEvent* e)
{
    QString text = LoadLangString(QString::fromLatin1(ctl::kTopMenuTopSettingKey));
    if (text.isEmpty()) text = QStringLiteral("TopSetting");
    QMenu menu(this);
    QAction* item = menu.addAction(text);
    if (menu.exec(e->globalPos()) == item) canvas->OnMenuCommand(ctl::operating::IDC_TOP_MENU_TOP_SETTING);
}

void MMainDlg::resizeEvent(QResizeEvent* e)
{
    MBaseDialog::resizeEvent(e);
    if (showVideo) showVideo->KeepInside(rect());
    if (canvas && FixedCellAt(kOutput1)) SendMsg(this, WM_MAINPAGE_RELAYOUT, 0, 0);
    SyncVideoWindows();
}

void MMainDlg::moveEvent(QMoveEvent* e)
{
    MBaseDialog::moveEvent(e);
    SyncVideoWindows();
}

void MMainDlg::SyncVideoWindows()
{
    for (int w = 0; w < kWindowCount; ++w)
        if (CCell* cell = LayerCell(w))
            if (SdlVideoWidget* window = cell->Window()) window->SyncNativeGeometry();
    showVideo->SyncViewWindows();
}

LRESULT MMainDlg::OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload)
{
    switch (msg) {
    case WM_MAINPAGE_RELAYOUT: OnRelayout(); return 0;
    case WM_CELL_SELECTED: OnCellSelected(reinterpret_cast<CCell*>(wParam)); return 0;
    case WM_CELL_CHANGED: OnCellMoved(reinterpret_cast<CCell*>(wParam), lParam != 0); return 0;
    case WM_CANVAS_MENU: OnCanvasMenuCommand(); return 0;
    case WM_SDL_RELAYOUT: OnSdlRelayout(); return 0;
    case WM_VALUE_CHANGED: OnRebuildCells(wParam != 0); return 0;
    default: return MBaseDialog::OnMessage(msg, wParam, lParam, payload);
    }
}

void MMainDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
}
