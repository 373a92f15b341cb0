// Renaming in place: a double click under a slot button or an input icon opens a small edit over
// the name; Enter (or the edit's done message) stores it in "Info.ini", Escape drops it.

#include "controls/CGdipButton.h"
#include "device/CDeviceData.h"
#include "device/IniFile.h"
#include "platform/ControlId.h"
#include "shell/MainWindowIds.h"
#include "shell/KordalDlg.h"
#include "pagekit/LanguageFiles.h"
#include "shell/PresetNames.h"
#include "shell/StoreName.h"

#include <QLineEdit>
#include <QMouseEvent>

namespace mw = ctl::main_window;

void KordalDlg::EnsureRenameEdit()
{
    if (renameEdit_) return;
    renameEdit_ = new QLineEdit(this);
    SetControlId(renameEdit_, mw::IDC_RENAME_EDIT);
    renameEdit_->setFont(font());
    renameEdit_->setFrame(true);
    renameEdit_->setAlignment(Qt::AlignCenter);
    renameEdit_->setMaxLength(kRenameMaxChars);
    renameEdit_->hide();
    renameEdit_->installEventFilter(this);
}

void KordalDlg::OpenRenameEdit(const QRect& band, const QString& text)
{
    EnsureRenameEdit();
    renameEdit_->setGeometry(band);
    // Names longer than the edit's limit (written into "Info.ini" by hand) are shown cut.
    renameEdit_->setText(text);
    renameEdit_->selectAll();
    renameEdit_->show();
    renameEdit_->raise();
    renameEdit_->setFocus();
}

bool KordalDlg::BeginRenameAt(const QPoint& pos)
{
    for (int i = 0; i < kPresetSlotCount; ++i) {
        const CGdipButton* b = PresetButton(i);
        if (!b) continue;
        const QRect band = SlotNameBand(b->geometry());
        if (!band.contains(pos)) continue;
        // One item at a time: the other kind's pending rename is dropped, so that a commit can
        // never write this text under the other item.
        renameInput_ = -1;
        renameSlot_ = i;
        renameSet_ = NameSet();
        OpenRenameEdit(band, PresetName(renameSet_, i));
        return true;
    }
    const CDeviceData& device = GetDeviceData();
    for (int k = 0; k < kInputIconCount; ++k) {
        if (!device.inputNames[k].enabled) continue;
        const QRect band = InputRemarkBand(inputIconRects_[static_cast<size_t>(k)]);
        if (!band.contains(pos)) continue;
        renameSlot_ = -1;
        renameInput_ = k;
        OpenRenameEdit(band, device.inputNames[k].displayName);
        return true;
    }
    return false;
}

QRect KordalDlg::RenameBand() const
{
    if (renameInput_ >= 0 && renameInput_ < kInputIconCount)
        return InputRemarkBand(inputIconRects_[static_cast<size_t>(renameInput_)]).adjusted(-2, -2, 2, 2);
    if (const CGdipButton* b = PresetButton(renameSlot_)) return SlotNameBand(b->geometry()).adjusted(-2, -2, 2, 2);
    return {};
}

void KordalDlg::CommitRename()
{
    if (!renameEdit_ || !renameEdit_->isVisible()) return;
    const QString text = renameEdit_->text().left(kRenameMaxChars);
    const QString ini = GetInfoIniPath();
    if (renameInput_ >= 0 && renameInput_ < kInputIconCount) {
        const QRect band = RenameBand();
        renameEdit_->hide();
        GetDeviceData().inputNames[renameInput_].displayName = text;
        update(band);
        const int input = renameInput_;
        renameInput_ = -1;
        StoreName(this, ini, InputRemarkSection(input), QString::fromLatin1(kInputRemarkKey), text);
        return;
    }
    // Under the names the edit was opened for: a mode the processor reported meanwhile has a
    // name set of its own, which the bar shows.
    const int index = PresetNameIndex(renameSet_, renameSlot_);
    if (index < 0) {
        renameEdit_->hide();
        renameSlot_ = -1;
        return;
    }
    const QRect band = RenameBand();
    renameEdit_->hide();
    presetNames_[static_cast<size_t>(index)] = text;
    update(band);
    const QString section = PresetNameSection(renameSet_, renameSlot_);
    renameSlot_ = -1;
    StoreName(this, ini, section, QString::fromLatin1(kPresetNameKey), text);
}

void KordalDlg::CancelRename()
{
    if (!renameEdit_ || !renameEdit_->isVisible()) return;
    const QRect band = RenameBand();
    renameEdit_->hide();
    update(band);
    renameSlot_ = -1;
    renameInput_ = -1;
}

LRESULT KordalDlg::OnEditDone(WPARAM, LPARAM)
{
    CommitRename();
    return 0;
}

void KordalDlg::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && BeginRenameAt(e->position().toPoint())) {
        e->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(e);
}
