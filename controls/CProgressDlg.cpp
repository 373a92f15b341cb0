#include "controls/CProgressDlg.h"

#include "controls/CPictureEx.h"
#include "controls/ImageResources.h"
#include "platform/ControlId.h"
#include "platform/DialogUnits.h"
#include "platform/Fonts.h"

#include <QLabel>
#include <QPalette>
#include <QProgressBar>

namespace {
constexpr COLORREF kDialogBack = 0x404040;
constexpr COLORREF kEditBack = 0x101010;
constexpr COLORREF kText = 0xEBEBEB;

QRect FromCorners(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }
} // namespace

ProgressDlgLayout ComputeProgressDlgLayout(int W, int H)
{
    const int third = W / 3;
    const int x0 = (W - third) / 2;
    const int h3 = H / 3;
    const int h2 = H / 2;
    ProgressDlgLayout l;
    l.text = FromCorners(x0, h3, x0 + third, h3 + h2);
    l.picture = FromCorners(x0, h3 - 30, x0 + third, h3 - 5);
    l.progress = FromCorners(third, h3 + h2 - 5, 2 * W / 3, h3 + h2 + 20);
    return l;
}

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent)
{
    // The dialog template is 255 x 95 dialog units.
    resize(DluToPixels(QSize(255, 95)));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(kDialogBack));
    pal.setColor(QPalette::WindowText, ToQColor(kText));
    pal.setColor(QPalette::Base, ToQColor(kEditBack));
    pal.setColor(QPalette::Text, ToQColor(kText));
    setPalette(pal);
    setAutoFillBackground(true);
}

void CProgressDlg::OnInitDialog()
{
    if (!text_) {
        text_ = new QLabel(QStringLiteral("TEST"), this);
        text_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        text_->setWordWrap(true);
        text_->setFont(MakeFont(QStringLiteral("Arial"), 15, 700));
        SetControlId(text_, IDC_PROGRESS_TEXT);
    }
    if (!picture_) {
        picture_ = new CPictureEx(this);
        picture_->SetBkColor(kDialogBack);
        SetControlId(picture_, IDC_PROGRESS_PICTURE);
    }
    if (!progress_) {
        progress_ = new QProgressBar(this);
        SetControlId(progress_, IDC_PROGRESS_BAR);
    }
    Layout();
    progress_->hide();
    initialised_ = true;
}

void CProgressDlg::Layout()
{
    const ProgressDlgLayout l = ComputeProgressDlgLayout(width(), height());
    text_->setGeometry(l.text);
    // A loaded picture keeps its own size; it is placed at the picture's corner.
    if (picture_->IsLoaded())
        picture_->move(l.picture.topLeft());
    else
        picture_->setGeometry(l.picture);
    progress_->setGeometry(l.progress);
}

void CProgressDlg::SetText(const QString& text)
{
    if (!initialised_)
        OnInitDialog();
    text_->setText(text);
}

QString CProgressDlg::Text() const { return text_ ? text_->text() : QString(); }

void CProgressDlg::showEvent(QShowEvent* e)
{
    if (!initialised_)
        OnInitDialog();
    QDialog::showEvent(e);
}

void CProgressDlg::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    if (initialised_)
        Layout();
}

Kordal_PrograssDlg::Kordal_PrograssDlg(QWidget* parent) : CProgressDlg(parent) {}

void Kordal_PrograssDlg::OnInitDialog()
{
    CProgressDlg::OnInitDialog();
    const QIcon icon = LoadIconResource(IDI_PROGRAM_ICON);
    if (!icon.isNull())
        setWindowIcon(icon);
    if (!Picture()->IsLoaded() && Picture()->Load(IDR_BUSY_GIF)) {
        Picture()->move(ComputeProgressDlgLayout(width(), height()).picture.topLeft());
        Picture()->Draw();
    }
}
