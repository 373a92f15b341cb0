#include "pages/system/MMediaPlayerDlg.h"

#include "controls/CGdipButton.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/PageControls.h"
#include "pagekit/UiText.h"
#include "pages/system/MediaPlayerIds.h"
#include "pages/system/SystemPageRules.h"
#include "platform/ControlId.h"

namespace ids = ctl::media_player;

namespace {

constexpr unsigned kKeyImage = 114;
// A disk button shows its alternate image while chosen (radio behaviour): the chosen disk wears the
// pressed face the other pages give a pressed button, the other one the plain face.
constexpr unsigned kDiskImage = kPageActionImage;
constexpr unsigned kDiskAltImage = kPageActionPressedImage;
constexpr int kMediaPageWidth = 320;
constexpr int kMediaPageHeight = 250;

// Greying sets the image button's disabled look, then disables the window; clearing reverses it.
void Grey(CGdipButton* b, bool grey)
{
    b->SetDisabledLook(grey);
    b->setEnabled(!grey);
}

}  // namespace

MMediaPlayerDlg::MMediaPlayerDlg(QWidget* parent) : MBaseDialog(IDD_MEDIA_PLAYER, parent, false)
{
    setWindowTitle(QStringLiteral("Media Player Setting"));
    const char* captions[7] = {"OK", "Return", "Switch", "Up", "Down", "Left", "Right"};
    for (int k = 0; k < 7; ++k) MakeButton(ids::IDC_KEY_OK + k, QString::fromLatin1(captions[k]));
    disk1_ = MakeButton(ids::IDC_DISK_1, QStringLiteral("UDISK1"));
    disk2_ = MakeButton(ids::IDC_DISK_2, QStringLiteral("UDISK2"));
    for (CGdipButton* d : {disk1_, disk2_}) d->SetRadio(true);
    disk1_->SetPressed(true);
    // A floating page keeps the size it is given.
    resize(kMediaPageWidth, kMediaPageHeight);
    Layout();
}

CGdipButton* MMediaPlayerDlg::MakeButton(int id, const QString& caption)
{
    auto* b = new CGdipButton(this);
    b->Create(caption, this, id, QRect(0, 0, 10, 10));
    SetControlOwner(b, this);
    b->SetColorAndRedraw(kColorLightText);
    connect(b, &CGdipButton::clickedId, this, &MMediaPlayerDlg::OnButton);
    return b;
}

CGdipButton* MMediaPlayerDlg::Button(int id) const
{
    return FindControlAs<CGdipButton>(this, id);
}

void MMediaPlayerDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    for (int id = ids::IDC_KEY_OK; id <= ids::IDC_KEY_RIGHT; ++id) Button(id)->LoadStdImage(kKeyImage);
    for (CGdipButton* d : {disk1_, disk2_}) {
        d->LoadStdImage(kDiskImage);
        d->LoadAltImage(kDiskAltImage);
    }
    ApplyFontToChildren();
    ApplyLanguage();
}

void MMediaPlayerDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_MEDIA_PLAYER);
    SetTitle(UiText(151));
    update();
}

void MMediaPlayerDlg::OnKey(int id)
{
    if (id < ids::IDC_KEY_OK || id > ids::IDC_KEY_RIGHT) return;
    const int disk = KeyDisk(disk1_->IsPressed(), disk2_->IsPressed());
    GetDeviceData().SendCommand(CMD_MEDIA_KEY, id - kMediaKeyIdBase, disk);
}

void MMediaPlayerDlg::OnDisk(int id)
{
    disk1_->SetPressed(id == ids::IDC_DISK_1);
    disk2_->SetPressed(id == ids::IDC_DISK_2);
}

void MMediaPlayerDlg::RefreshFromDevice()
{
    const CDeviceData& d = GetDeviceData();
    const DiskButtons rule = DiskRule(d.input[6].src, d.input[7].src);
    Grey(disk1_, !rule.disk1Enabled);
    Grey(disk2_, !rule.disk2Enabled);
    if (rule.chosen >= 0) OnDisk(rule.chosen == 0 ? ids::IDC_DISK_1 : ids::IDC_DISK_2);
}

void MMediaPlayerDlg::OnButton(int id)
{
    if (id == ids::IDC_DISK_1 || id == ids::IDC_DISK_2)
        OnDisk(id);
    else
        OnKey(id);
}

void MMediaPlayerDlg::resizeEvent(QResizeEvent* e)
{
    MBaseDialog::resizeEvent(e);
    Layout();
}

// Disks on top, the arrows as a cross around "OK", "Return" and "Switch" below.
void MMediaPlayerDlg::Layout()
{
    const int cx = width() / 2;
    auto place = [this](int id, int x, int y, int w, int h) {
        if (CGdipButton* b = Button(id)) b->setGeometry(x, y, w, h);
    };
    constexpr int kW = 86;
    constexpr int kH = 30;
    place(ids::IDC_DISK_1, cx - kW - 6, 36, kW, kH);
    place(ids::IDC_DISK_2, cx + 6, 36, kW, kH);
    place(ids::IDC_KEY_UP, cx - kW / 2, 80, kW, kH);
    place(ids::IDC_KEY_LEFT, cx - kW / 2 - kW - 8, 116, kW, kH);
    place(ids::IDC_KEY_OK, cx - kW / 2, 116, kW, kH);
    place(ids::IDC_KEY_RIGHT, cx + kW / 2 + 8, 116, kW, kH);
    place(ids::IDC_KEY_DOWN, cx - kW / 2, 152, kW, kH);
    place(ids::IDC_KEY_RETURN, cx - kW - 6, 198, kW, kH);
    place(ids::IDC_KEY_SWITCH, cx + 6, 198, kW, kH);
}
