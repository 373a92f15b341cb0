#include "pages/signal/MMosaicDlg.h"

#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/ImageResources.h"
#include "controls/oRealEdit.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/PageControls.h"
#include "pagekit/UiText.h"
#include "pages/signal/MosaicIds.h"
#include "platform/ControlId.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace cm = ctl::mosaic;
using namespace splicing;

namespace {

constexpr unsigned kOnOffImage = 128;
constexpr unsigned kOnOffAltImage = 130;
constexpr unsigned kPanelImage = 113;
constexpr unsigned kPanelAltImage = 114;
constexpr unsigned kWindowImage = 144;
constexpr unsigned kWindowAltImage = 148;
constexpr COLORREF kCaptionColor = 0xEBEBEB;
constexpr COLORREF kSelectedCaptionColor = 0x009CEF;
constexpr COLORREF kSeparatorColor = 0x1E1E1E;
constexpr int kEditMax = 9999;

constexpr std::array<int, kPanelModeCount> kPanelIds = {cm::IDC_PANEL_X1, cm::IDC_PANEL_X2, cm::IDC_PANEL_X2_1,
                                                        cm::IDC_PANEL_X3, cm::IDC_PANEL_X4};
constexpr std::array<int, 4> kWindowIds = {cm::IDC_WINDOW_MAIN, cm::IDC_WINDOW_PIP1, cm::IDC_WINDOW_PIP2,
                                           cm::IDC_WINDOW_PIP3};
// The six edits in the order of ManualWindow: H start, V start, width, height, H total, V total.
constexpr std::array<int, 6> kEditIds = {cm::IDC_H_START_EDIT, cm::IDC_V_START_EDIT, cm::IDC_WIDTH_EDIT,
                                         cm::IDC_HEIGHT_EDIT,  cm::IDC_H_TOTAL_EDIT, cm::IDC_V_TOTAL_EDIT};
constexpr std::array<int, 6> kLabelIds = {cm::IDC_H_START_LABEL, cm::IDC_V_START_LABEL, cm::IDC_WIDTH_LABEL,
                                          cm::IDC_HEIGHT_LABEL,  cm::IDC_H_TOTAL_LABEL, cm::IDC_V_TOTAL_LABEL};
const std::array<const char*, 6> kLabelTexts = {"H Start :", "V Start :", "Width :", "Height :", "H Total :",
                                                "V Total :"};
const std::array<const char*, kPanelModeCount> kPanelTexts = {"Panel x 1", "Panel x 2", "Panel x2_1", "Panel x 3",
                                                              "Panel x 4"};
const std::array<const char*, 4> kWindowTexts = {"MAIN", "PIP-1", "PIP-2", "PIP-3"};

// Page geometry (pixels at 96 DPI).
const QRect kOnOffRect(16, 36, 60, 26);
const QRect kAutoGroupRect(6, 144, 308, 112);
const QRect kManualGroupRect(6, 266, 308, 222);
constexpr int kWindowRowTop = 290;
constexpr int kEditRowTop = 332;
constexpr int kEditRowPitch = 34;

int IndexOf(const auto& ids, int id)
{
    for (size_t i = 0; i < ids.size(); ++i)
        if (ids[i] == id) return static_cast<int>(i);
    return -1;
}

ManualWindow StoredWindow(int w)
{
    const auto& win = GetDeviceData().mosaic.win;
    return {win.hPos[w], win.vPos[w], win.hAct[w], win.vAct[w], win.hTotal[w], win.vTotal[w]};
}

std::array<int, 6> Values(const ManualWindow& m) { return {m.hPos, m.vPos, m.hAct, m.vAct, m.hTotal, m.vTotal}; }

ManualWindow FromValues(const std::array<int, 6>& v) { return {v[0], v[1], v[2], v[3], v[4], v[5]}; }

void StoreWindow(int w, const ManualWindow& m)
{
    auto& win = GetDeviceData().mosaic.win;
    win.hPos[w] = m.hPos;
    win.vPos[w] = m.vPos;
    win.hAct[w] = m.hAct;
    win.vAct[w] = m.vAct;
    win.hTotal[w] = m.hTotal;
    win.vTotal[w] = m.vTotal;
}

} // namespace

MMosaicDlg::MMosaicDlg(QWidget* parent) : MBaseDialog(IDD_MOSAIC, parent, true)
{
    setWindowTitle(QStringLiteral("Mosaic Setting"));
}

CGdipButton* MMosaicDlg::MakeButton(int id, unsigned stdImage, unsigned altImage, const QRect& rect)
{
    auto* button = new CGdipButton(this);
    button->Create(QString(), this, id, rect);
    button->LoadStdImage(stdImage);
    if (altImage) button->LoadAltImage(altImage);
    button->SetCaptionFont(&ControlFont());
    button->SetColorAndRedraw(kCaptionColor);
    connect(button, &CGdipButton::clickedId, this, &MMosaicDlg::OnButton);
    return button;
}

void MMosaicDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();

    autoGroup_ = MakePageGroup(this, cm::IDC_AUTO_ARRANGEMENT_GROUP, g_UiText[5], kAutoGroupRect);
    manualGroup_ = MakePageGroup(this, cm::IDC_MANUAL_ARRANGEMENT_GROUP, g_UiText[6], kManualGroupRect);

    onOff_ = MakeButton(cm::IDC_ON_OFF, kOnOffImage, kOnOffAltImage, kOnOffRect);
    onOff_->SetCheck(true);

    for (int i = 0; i < kPanelModeCount; ++i) {
        // Three in the first row, two centred below.
        const QRect rect = i < 3 ? QRect(10 + 102 * i, 72, 96, 30) : QRect(61 + 102 * (i - 3), 106, 96, 30);
        panels_[i] = MakeButton(kPanelIds[i], kPanelImage, kPanelAltImage, rect);
        panels_[i]->setText(QString::fromLatin1(kPanelTexts[i]));
        panels_[i]->SetRadio(true);
    }
    for (int w = 0; w < 4; ++w) {
        windows_[w] = MakeButton(kWindowIds[w], kWindowImage, kWindowAltImage, QRect(12 + 74 * w, kWindowRowTop, 72, 30));
        windows_[w]->setText(QString::fromLatin1(kWindowTexts[w]));
        windows_[w]->SetRadio(true);
    }
    windows_[0]->SetPressed(true);
    windows_[0]->SetColorAndRedraw(kSelectedCaptionColor);

    const CDeviceData& dev = GetDeviceData();
    for (int k = 0; k < 6; ++k) {
        const int column = k % 2;
        const int row = k / 2;
        const int top = kEditRowTop + kEditRowPitch * row;
        auto* label = new QLabel(QString::fromLatin1(kLabelTexts[k]), this);
        SetControlId(label, kLabelIds[k]);
        label->setGeometry(14 + 148 * column, top, 82, 24);
        labels_[k] = label;
        auto* edit = new oRealEdit(this);
        SetControlId(edit, kEditIds[k]);
        SetControlOwner(edit, this);
        edit->Init(false, 0, static_cast<float>(dev.mosaicSeeds[k][0]), kEditMax, QStringLiteral("%d"));
        edit->setGeometry(98 + 148 * column, top, 58, 24);
        edits_[k] = edit;
    }
    reset_ = MakeButton(cm::IDC_RESET, kPanelImage, 0, QRect(112, 442, 96, 30));
    reset_->setText(QStringLiteral("Reset"));

    StylePageGroups(this, {autoGroup_, manualGroup_}, false);

    for (int c = 0; c < kCellCount; ++c) LoadPngResource(cellImages_[static_cast<size_t>(c)], CellImage(c));
    LoadPngResource(marker_, kMarkerImage);
    LoadPngResource(selectedMarker_, kSelectedMarkerImage);
    const QSize markerSize = marker_.isNull() ? QSize(16, 16) : marker_.size();
    layout_ = ComputePreviewLayout(kAutoGroupRect, markerSize);

    ApplyFontToChildren();
    CreateCaptionButtons(false);
    SetSplicingOn(false);
}

void MMosaicDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_MOSAIC);
    if (autoGroup_) autoGroup_->SetCaption(g_UiText[5]);
    if (manualGroup_) manualGroup_->SetCaption(g_UiText[6]);
    update();
}

CGdipButton* MMosaicDlg::PanelButton(int index) const
{
    return index >= 0 && index < kPanelModeCount ? panels_[static_cast<size_t>(index)] : nullptr;
}

CGdipButton* MMosaicDlg::WindowButton(int w) const { return w >= 0 && w < 4 ? windows_[static_cast<size_t>(w)] : nullptr; }

oRealEdit* MMosaicDlg::Edit(int id) const
{
    const int k = IndexOf(kEditIds, id);
    return k < 0 ? nullptr : edits_[static_cast<size_t>(k)];
}

bool MMosaicDlg::IsCellFlagged(int cell) const
{
    return cell >= 0 && cell < kCellCount && cellFlags_[static_cast<size_t>(cell)];
}

void MMosaicDlg::SetSplicingOn(bool on)
{
    on_ = on;
    if (!onOff_) return;
    onOff_->SetPressed(on);
    reset_->setEnabled(on);
    reset_->SetDisabledLook(!on);
    for (int i = 0; i < kPanelModeCount; ++i) {
        const bool current = i == panelIndex_;
        panels_[i]->SetPressed(current);
        panels_[i]->SetColorAndRedraw(current ? kSelectedCaptionColor : kCaptionColor);
        panels_[i]->setEnabled(on);
        panels_[i]->SetDisabledLook(!on);
    }
    for (oRealEdit* edit : edits_) edit->setEnabled(on);
}

void MMosaicDlg::OnButton(int id)
{
    if (id == cm::IDC_ON_OFF)
        OnSplicingOnOff();
    else if (id == cm::IDC_RESET)
        OnReset();
    else if (IndexOf(kPanelIds, id) >= 0)
        OnPanelMode(id);
    else if (IndexOf(kWindowIds, id) >= 0)
        OnWindowButton(id);
}

void MMosaicDlg::SendSplicingWindow(int subOp) { GetDeviceData().SendCommand(CMD_SET_SPLICING_WINDOW, window_, subOp); }

void MMosaicDlg::ShowBusy()
{
    if (MainWindow()) SendMsg(MainWindow(), WM_BUSY_DIALOG, 1, 0, UiText(UI_TEXT_WAIT_OPERATION));
}

void MMosaicDlg::ClearCellFlags() { cellFlags_.fill(false); }

// An arrangement belongs to the mode it was picked in: the processor keeps the cell that comes
// with a mode change as its arrangement, so a new mode goes out with none.
void MMosaicDlg::ForgetArrangement()
{
    GetDeviceData().mosaicCell = kNoCell;
    selectedCell_ = kNoCell;
}

void MMosaicDlg::RepaintPreview()
{
    if (autoGroup_) update(autoGroup_->geometry());
}

void MMosaicDlg::ShowWindowValues()
{
    const std::array<int, 6> values = Values(StoredWindow(window_));
    for (int k = 0; k < 6; ++k) edits_[k]->SetValue(static_cast<float>(values[k]));
}

void MMosaicDlg::OnPanelMode(int id)
{
    const int index = IndexOf(kPanelIds, id);
    if (index < 0) return;
    CDeviceData& dev = GetDeviceData();
    const int previous = panelIndex_;
    panels_[previous]->SetPressed(false);
    panels_[previous]->SetColorAndRedraw(kCaptionColor);
    panelIndex_ = index;
    panels_[index]->SetPressed(true);
    panels_[index]->SetColorAndRedraw(kSelectedCaptionColor);
    if (index == previous) return;

    const int mode = index + 1;
    dev.mosaic.mode = mode;
    dev.mosaicSubOp = 0;
    ForgetArrangement();
    SendSplicingWindow(0);
    if (MainWindow()) SendMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_SPLICING_MODE, mode);
    dev.SendCommand(CMD_QUERY_73);
    dev.SendCommand(CMD_QUERY_KEYER, 3);
    dev.SendCommand(CMD_QUERY_KEYER, 1);
    if (MainWindow()) PostMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_SPLICING_CELL, FirstCellOfMode(mode));
    ClearCellFlags();
    if (mode == 5) {
        // Four panels need PIP-3, so it stops being the logo layer.
        dev.logo.usage = 0;
        if (MainWindow()) PostMsg(MainWindow(), WM_LAYER_SET_CHANGED, 1, 0);
    }
    ShowBusy();
    RepaintPreview();
}

void MMosaicDlg::OnSplicingOnOff()
{
    CDeviceData& dev = GetDeviceData();
    SetSplicingOn(onOff_->IsPressed());
    dev.mosaic.mode = on_ ? panelIndex_ + 1 : 0;
    // Only reachable when turning on: switching off has already made the mode 0.
    if (dev.mosaic.mode == 5) {
        dev.logo.usage = 0;
        if (MainWindow()) PostMsg(MainWindow(), WM_LAYER_SET_CHANGED, 1, 0);
    }
    dev.SendCommand(CMD_QUERY_KEYER, 1);
    dev.SendCommand(CMD_QUERY_KEYER, 3);
    dev.mosaicSubOp = 0;
    ForgetArrangement();
    SendSplicingWindow(0);
    const int mode = dev.mosaic.mode;
    if (MainWindow()) SendMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_SPLICING_MODE, mode);
    if (on_) {
        ClearCellFlags();
        if (MainWindow()) PostMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_SPLICING_CELL, FirstCellOfMode(mode));
        ShowBusy();
        for (int w = 0; w < 4; ++w) dev.SendCommand(CMD_QUERY_SPLICING_WINDOW, w);
    }
    dev.SendCommand(CMD_QUERY_SPLICING);
    for (int w = 0; w < 4; ++w) dev.SendCommand(CMD_QUERY_LAYER_WINDOW, w);
    RepaintPreview();
}

void MMosaicDlg::OnWindowButton(int id)
{
    const int w = IndexOf(kWindowIds, id);
    if (w < 0) return;
    const int previous = window_;
    windows_[previous]->SetPressed(false);
    windows_[previous]->SetColorAndRedraw(kCaptionColor);
    window_ = w;
    windows_[w]->SetPressed(true);
    windows_[w]->SetColorAndRedraw(kSelectedCaptionColor);
    if (w != previous) ShowWindowValues();
}

void MMosaicDlg::OnReset()
{
    CDeviceData& dev = GetDeviceData();
    StoreWindow(window_, {0, 0, 1920, 1080, 1920, 1080});
    ShowWindowValues();
    dev.mosaicSubOp = 1;
    SendSplicingWindow(2);
    dev.mosaicSubOp = 0;
}

void MMosaicDlg::OnLButtonDown(QPoint point)
{
    const int mode = panelIndex_ + 1;
    if (!on_ || mode == 1) return;
    const int hit = HitTestCell(mode, layout_, point);
    if (hit == kNoCell) return;
    const CellRange cells = CellsOfMode(mode);
    for (int c = cells.first; c < cells.first + cells.count; ++c) cellFlags_[static_cast<size_t>(c)] = c == hit;
    RepaintPreview();
    if (hit == selectedCell_) return;

    selectedCell_ = hit;
    CDeviceData& dev = GetDeviceData();
    dev.mosaicCell = static_cast<uint8_t>(hit);
    dev.mosaic.autoArr = hit;
    dev.SendCommand(CMD_SET_SPLICING_WINDOW, 0, 1);
    ShowBusy();
    if (MainWindow()) PostMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_SPLICING_CELL, hit);
}

void MMosaicDlg::OnValueChanged(int id)
{
    if (!isVisible()) return;
    const int k = IndexOf(kEditIds, id);
    if (k < 0) return;
    std::array<int, 6> before{};
    for (int i = 0; i < 6; ++i) before[i] = static_cast<int>(edits_[i]->GetValue());
    const ManualWindow stored = StoredWindow(window_);
    const ManualWindow limited = LimitManualEdit(FromValues(before), static_cast<ManualField>(k), stored.hTotal,
                                                 stored.vTotal);
    const std::array<int, 6> after = Values(limited);
    for (int i = 0; i < 6; ++i)
        if (after[i] != before[i]) edits_[i]->SetValue(static_cast<float>(after[i]));
    StoreWindow(window_, limited);
    SendSplicingWindow(2);
}

void MMosaicDlg::RefreshFromDevice(int what)
{
    if (what != 3 || !onOff_) return;
    CDeviceData& dev = GetDeviceData();
    const int mode = ShownMode(dev.mosaic.mode);
    if (mode != 0) {
        panelIndex_ = mode - 1;
        SetSplicingOn(true);
    } else {
        SetSplicingOn(false);
    }
    ShowWindowValues();
    if (MainWindow()) SendMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_SPLICING_MODE, mode);
    ClearCellFlags();
    RepaintPreview();
    selectedCell_ = ShownCell(dev.mosaic.autoArr);
    if (selectedCell_ != kNoCell) {
        dev.mosaicCell = static_cast<uint8_t>(selectedCell_);
        cellFlags_[static_cast<size_t>(selectedCell_)] = true;
    }
    if (MainWindow()) PostMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_SPLICING_CELL, selectedCell_);
    RepaintPreview();
}

void MMosaicDlg::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) OnLButtonDown(e->position().toPoint());
    MBaseDialog::mousePressEvent(e);
}

void MMosaicDlg::PaintPreview(QPainter& p) const
{
    const CellRange cells = CellsOfMode(ShownMode(GetDeviceData().mosaic.mode));
    for (int c = cells.first; c < cells.first + cells.count; ++c) {
        const PreviewCell& pc = layout_[static_cast<size_t>(c)];
        DrawImageInRect(&p, &cellImages_[static_cast<size_t>(c)], &pc.cell);
        const QImage& marker = cellFlags_[static_cast<size_t>(c)] ? selectedMarker_ : marker_;
        if (!marker.isNull()) p.drawImage(pc.marker.topLeft(), marker);
    }
}

void MMosaicDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    // The band names the page by its own dialog title.
    DrawTitleBand(p, Title());
    if (manualGroup_ && windows_[0]) {
        const int y = windows_[0]->geometry().bottom() + 1;
        const QRect g = manualGroup_->geometry();
        p.fillRect(QRect(QPoint(g.left() + 5, y - 2), QPoint(g.right() - 5, y - 1)), ToQColor(kSeparatorColor));
    }
    PaintPreview(p);
}
