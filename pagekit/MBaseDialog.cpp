#include "pagekit/MBaseDialog.h"

#include "controls/CGdipButton.h"
#include "controls/FillGradient.h"
#include "controls/PickerLook.h"
#include "controls/SharedBackground.h"
#include "platform/ControlId.h"
#include "platform/Fonts.h"
#include "platform/MessageIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/PageBaseIds.h"

#include <QAbstractSpinBox>
#include <QChildEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>

int g_LanguageLabelId = 1251;

namespace {

constexpr int kHighlightedStaticIds[] = {1290, 1254, 1491, 32781, 1560, 1561, 1562, 1563};

// Sets the enabled looks only: a disabled control keeps the system's disabled text colour.
void SetTextColours(QWidget* w, COLORREF text, COLORREF base)
{
    QPalette pal = w->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, ToQColor(text));
        pal.setColor(group, QPalette::Text, ToQColor(text));
        if (base != 0xFFFFFFFF) pal.setColor(group, QPalette::Base, ToQColor(base));
    }
    if (base != 0xFFFFFFFF) pal.setColor(QPalette::Disabled, QPalette::Base, ToQColor(base));
    // Every language change sets the colours again; an own palette that already holds them is
    // left alone (setting it would resolve it against the parent's all the same).
    const QPalette& now = w->palette();
    if (w->testAttribute(Qt::WA_SetPalette) && pal == now && pal.resolveMask() == now.resolveMask()) return;
    w->setPalette(pal);
}

bool IsTextEntry(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

bool TakesEnterAndEscape(const QWidget* w)
{
    return IsTextEntry(w) || w->window()->windowType() == Qt::Popup;
}

} // namespace

COLORREF StaticTextColorForId(int controlId)
{
    if (controlId == g_LanguageLabelId) return kPageTitleColor;
    for (int id : kHighlightedStaticIds)
        if (id == controlId) return kPageTitleColor;
    return kPageStaticColor;
}

MBaseDialog::MBaseDialog(int templateId, QWidget* parent, bool notifyOnClose)
    : MessageReceiver<QWidget>(parent), templateId_(templateId), notifyOnClose_(notifyOnClose)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    // A page re-words itself: the language of an enclosing window does not reach into it.
    SetDialogId(this, templateId);
    // Constructed hidden: the main window shows one page at a time.
    hide();
}

MBaseDialog::~MBaseDialog() = default;

void MBaseDialog::OnInitDialog()
{
    if (initialised_) return;
    initialised_ = true;
    CreateFonts();
    CreateCaptionButtons(false);
}

void MBaseDialog::CreateFonts()
{
    titleFont_ = MakeFont(QStringLiteral("Arial"), 18, 700);
    controlFont_ = MakeFont(QStringLiteral("Arial"), 15, 700);
    pageFont_ = MakePointFont(QStringLiteral("Arial"), 100, 400);
}

void MBaseDialog::CreateCaptionButtons(bool withMaximize)
{
    if (!closeButton_) {
        closeButton_ = new CGdipButton(this);
        closeButton_->Create(QString(), this, ctl::page_base::IDC_CLOSE,
                             QRect(0, 0, kCaptionButtonSize, kCaptionButtonSize));
        closeButton_->LoadStdImage(kCloseButtonImage);
        connect(closeButton_, &CGdipButton::clickedId, this, &MBaseDialog::OnCaptionButton);
    }
    if (withMaximize && !maximizeButton_) {
        maximizeButton_ = new CGdipButton(this);
        maximizeButton_->Create(QString(), this, ctl::page_base::IDC_MAXIMIZE,
                                QRect(0, 0, kCaptionButtonSize, kCaptionButtonSize));
        maximizeButton_->LoadStdImage(kMaximizeImage);
        maximizeButton_->LoadAltImage(kRestoreImage);
        maximizeButton_->SetToggle(true);
        maximizeButton_->SetPressed(false);
        connect(maximizeButton_, &CGdipButton::clickedId, this, &MBaseDialog::OnCaptionButton);
    }
    PlaceCaptionButtons();
}

void MBaseDialog::PlaceCaptionButtons()
{
    const int right = width();
    if (closeButton_) closeButton_->setGeometry(right - 24, 1, kCaptionButtonSize, kCaptionButtonSize);
    if (maximizeButton_) maximizeButton_->setGeometry(right - 56, 1, kCaptionButtonSize, kCaptionButtonSize);
}

void MBaseDialog::OnCaptionButton(int id)
{
    if (id == ctl::page_base::IDC_CLOSE)
        ClosePage();
    else if (id == ctl::page_base::IDC_MAXIMIZE)
        ToggleMaximize();
}

void MBaseDialog::ShowPage(bool show)
{
    if (show) {
        setVisible(true);
        raise();
    } else {
        setVisible(false);
    }
}

void MBaseDialog::ApplyLanguage() {}

void MBaseDialog::ClosePage()
{
    ShowPage(false);
    if (notifyOnClose_ && parentWidget()) PostMsg(parentWidget(), WM_PAGE_CLOSED, 0, 0);
}

void MBaseDialog::ToggleMaximize()
{
    const bool maximize = maximizeButton_ && maximizeButton_->IsPressed();
    if (maximize == maximized_) return;
    if (maximize) {
        normalGeometry_ = geometry();
        if (isWindow()) {
            showMaximized();
        } else if (parentWidget()) {
            setGeometry(parentWidget()->rect());
        }
    } else {
        if (isWindow())
            showNormal();
        else
            setGeometry(normalGeometry_);
    }
    maximized_ = maximize;
}

QString MBaseDialog::Title() const
{
    return titleSet_ ? title_ : windowTitle();
}

void MBaseDialog::SetTitle(const QString& title)
{
    title_ = title;
    titleSet_ = true;
    update(0, 0, width(), kTitleBandHeight);
}

void MBaseDialog::ApplyFontToChildren()
{
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* w : children) {
        if (w == closeButton_ || w == maximizeButton_) continue;
        w->setFont(controlFont_);
    }
    ApplyStaticColours();
}

void MBaseDialog::ApplyStaticColours()
{
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* w : children) {
        if (HasDarkPickerLook(w))
            continue;  // a date or time picker keeps the colours of its own look
        if (IsTextEntry(w))
            SetTextColours(w, kPageTitleColor, kColorBody);
        else if (qobject_cast<QLabel*>(w))
            SetTextColours(w, StaticTextColorForId(GetControlId(w)), 0xFFFFFFFF);
    }
}

void MBaseDialog::PaintBackground(QPainter& p)
{
    shared_background::Paint(p, rect());
}

void MBaseDialog::DrawTitleBand(QPainter& p, const QString& title)
{
    const QRect band(0, 0, width(), kTitleBandHeight);
    const int half = kTitleBandHeight / 2;
    FillGradient(p, QRect(0, 0, width(), half), kPageBandUpperFrom, kPageBandUpperTo, 1);
    FillGradient(p, QRect(0, half, width(), kTitleBandHeight - half), kPageBandLowerFrom, kPageBandLowerTo, 1);
    p.save();
    p.setFont(titleFont_);
    p.setPen(ToQColor(kPageTitleColor));
    p.drawText(band, Qt::AlignCenter, title);
    p.restore();
    paintedTitle_ = title;
}

void MBaseDialog::UseTabLook()
{
    tabLook_ = true;
    if (closeButton_) closeButton_->hide();
    if (maximizeButton_) maximizeButton_->hide();
    update();
}

void MBaseDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    if (!tabLook_) DrawTitleBand(p, Title());
}

void MBaseDialog::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    PlaceCaptionButtons();
}

void MBaseDialog::showEvent(QShowEvent* e)
{
    OnInitDialog();
    QWidget::showEvent(e);
}

void MBaseDialog::keyPressEvent(QKeyEvent* e)
{
    // Controls see Enter and Escape first (an edit commits or cancels on them); what they leave
    // ends here, so neither key travels on to close a window or press a default button.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void MBaseDialog::ForwardKeyRelease(QKeyEvent* e)
{
    if (auto* listener = dynamic_cast<PageKeyListener*>(parentWidget())) listener->OnPageKeyRelease(e);
}

void MBaseDialog::keyReleaseEvent(QKeyEvent* e)
{
    const bool seen = e == forwardedRelease_ && e->timestamp() == forwardedStamp_ && e->key() == forwardedKey_;
    forwardedRelease_ = nullptr;
    if (dynamic_cast<PageKeyListener*>(parentWidget())) {
        if (!seen) ForwardKeyRelease(e);
        e->accept();  // heard once; the parent must not see it a second time by propagation
        return;
    }
    QWidget::keyReleaseEvent(e);
}

void MBaseDialog::childEvent(QChildEvent* e)
{
    if (e->added()) WatchKeysOf(e->child());
    QWidget::childEvent(e);
}

void MBaseDialog::WatchKeysOf(QObject* object)
{
    if (!object || !object->isWidgetType()) return;
    object->removeEventFilter(this);
    object->installEventFilter(this);
    for (QObject* child : object->children()) WatchKeysOf(child);
}

bool MBaseDialog::eventFilter(QObject* watched, QEvent* e)
{
    switch (e->type()) {
    case QEvent::ChildAdded:
        WatchKeysOf(static_cast<QChildEvent*>(e)->child());
        break;
    case QEvent::KeyPress: {
        // Text entries commit and cancel on Enter and Escape, and so does an open drop list in
        // its popup; on any other control (a focused button would take Enter as a press) the
        // keys are eaten before it sees them.
        const int key = static_cast<QKeyEvent*>(e)->key();
        const bool enterOrEscape = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
        if (enterOrEscape && watched->isWidgetType() && !TakesEnterAndEscape(static_cast<QWidget*>(watched))) {
            e->accept();
            return true;
        }
        break;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(e);
        const bool seen = e == forwardedRelease_ && key->timestamp() == forwardedStamp_ && key->key() == forwardedKey_;
        if (!seen) {
            ForwardKeyRelease(key);
            forwardedRelease_ = e;
            forwardedStamp_ = key->timestamp();
            forwardedKey_ = key->key();
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, e);
}

void MBaseDialog::mousePressEvent(QMouseEvent* e)
{
    if (dragByBand_ && e->button() == Qt::LeftButton && e->position().y() < kTitleBandHeight && !maximized_) {
        dragging_ = true;
        dragOffset_ = e->position().toPoint();
        e->accept();
        return;
    }
    QWidget::mousePressEvent(e);
}

void MBaseDialog::mouseMoveEvent(QMouseEvent* e)
{
    if (dragging_) {
        const QPoint inParent = isWindow() ? e->globalPosition().toPoint() : mapToParent(e->position().toPoint());
        move(inParent - dragOffset_);
        e->accept();
        return;
    }
    QWidget::mouseMoveEvent(e);
}

void MBaseDialog::mouseReleaseEvent(QMouseEvent* e)
{
    if (dragging_ && e->button() == Qt::LeftButton) {
        dragging_ = false;
        e->accept();
        return;
    }
    QWidget::mouseReleaseEvent(e);
}

LRESULT MBaseDialog::OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant&)
{
    switch (msg) {
    case WM_VALUE_CHANGED: OnValueChanged(static_cast<int>(wParam)); break;
    case WM_DROPLIST_SELECT: OnDropSelect(static_cast<int>(wParam), static_cast<int>(lParam)); break;
    default: break;
    }
    return 0;
}
