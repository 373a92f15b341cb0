#pragma once
// The base of every settings page: a child window of the main window with one dark look (body
// texture, a 26-pixel title band with a centred orange title), a close button in the band and,
// for the four-view window, a maximise toggle beside it. The main window shows, hides, closes and
// re-words pages through the four virtual operations without knowing their classes.
//
// Keys: a text entry on a page sees Enter and Escape first (edits commit and cancel on them);
// every other control never sees them, and what an edit leaves is eaten by the page, so neither
// key closes anything or presses a button. Key releases are handed to the parent when it is a PageKeyListener, so the main
// window's shortcuts work while a page has the focus.

#include "platform/ColorRef.h"
#include "platform/MessageTarget.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

class CGdipButton;
class QKeyEvent;

// The window that hears the key releases of its pages (the main window).
class PageKeyListener {
public:
    virtual ~PageKeyListener() = default;
    virtual void OnPageKeyRelease(QKeyEvent* event) = 0;
};

inline constexpr int kTitleBandHeight = 26;
inline constexpr int kCaptionButtonSize = 24;
inline constexpr unsigned kCloseButtonImage = 107;
inline constexpr unsigned kMaximizeImage = 1561;
inline constexpr unsigned kRestoreImage = 1562;

inline constexpr COLORREF kPageTitleColor = 0x009CEF;
inline constexpr COLORREF kPageStaticColor = 0xD5D5D5;
inline constexpr COLORREF kPageBandUpperFrom = 0x535353;
inline constexpr COLORREF kPageBandUpperTo = 0x2F2F2F;
inline constexpr COLORREF kPageBandLowerFrom = 0x171717;
inline constexpr COLORREF kPageBandLowerTo = 0x070707;

// Id of the label that names the current language (1251 "English", 1252 Chinese); the language
// switch updates it, and that label is drawn highlighted.
extern int g_LanguageLabelId;

// The colour of an enabled static text with that control id: orange for the highlighted ids
// (and the current language label), light grey for every other.
COLORREF StaticTextColorForId(int controlId);

class MBaseDialog : public MessageReceiver<QWidget> {
    Q_OBJECT
public:
    // parent: the main window (or, for the four-view window, the operating page). notifyOnClose:
    // ClosePage posts WM_PAGE_CLOSED (0, 0) to the parent.
    MBaseDialog(int templateId, QWidget* parent, bool notifyOnClose);
    ~MBaseDialog() override;

    int TemplateId() const { return templateId_; }
    bool NotifiesOnClose() const { return notifyOnClose_; }

    // Builds the look: fonts, close button; pages extend it. Runs once; later calls do nothing.
    virtual void OnInitDialog();
    bool IsInitialised() const { return initialised_; }

    virtual void ShowPage(bool show);
    // Reloads the page's texts from the current language file. The base does nothing.
    virtual void ApplyLanguage();
    // Hides the page and, with notify-on-close, tells the parent.
    virtual void ClosePage();
    // Fills the parent's client area (or the screen, for a window) while the maximise button is
    // pressed; back to the size before when it is not.
    virtual void ToggleMaximize();
    bool IsMaximized() const { return maximized_; }

    // The text of the title band (the window title unless set).
    QString Title() const;
    void SetTitle(const QString& title);
    // The text the title band was last painted with: what the operator reads there.
    QString PaintedTitle() const { return paintedTitle_; }

    // A picture the page paints itself rather than through a control, in page coordinates, with
    // a name for reports. Layout checks treat it like a control: nothing may cover it.
    struct PaintedArea {
        QString name;
        QRect rect;
    };
    // The pictures the page paints at present; none by default.
    virtual QList<PaintedArea> PaintedAreas() const { return {}; }

    // Places the caption buttons in the title band, creating them the first time. Only the
    // four-view window asks for the maximise button.
    void CreateCaptionButtons(bool withMaximize);
    CGdipButton* CloseButton() const { return closeButton_; }
    CGdipButton* MaximizeButton() const { return maximizeButton_; }
    // A tab of the system page: the page above carries the title band and the close button, so
    // this one paints the body only and hides its caption buttons.
    void UseTabLook();

    // Gives every child control the control font and the page colours (static texts by id,
    // orange edit texts on the body colour).
    void ApplyFontToChildren();
    // Re-applies the text colours that depend on state outside the page (the highlighted language
    // label) to every static text and edit; the main window calls it after a language switch.
    void ApplyStaticColours();
    const QFont& TitleFont() const { return titleFont_; }
    const QFont& ControlFont() const { return controlFont_; }
    // The page's own font for what it draws: "Arial" at 10 points, regular weight.
    const QFont& PageFont() const { return pageFont_; }

    // A page that may be dragged by its title band.
    void SetDragByBand(bool on) { dragByBand_ = on; }
    bool DragsByBand() const { return dragByBand_; }

    // Hands the page's control notifications to the two handlers below; every other message is
    // left alone.
    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override;

protected:
    // An edit of the page committed its value (WM_VALUE_CHANGED).
    virtual void OnValueChanged(int id) {}
    // A drop list of the page chose a row (WM_DROPLIST_SELECT).
    virtual void OnDropSelect(int id, int index) {}

    void PaintBackground(QPainter& p);
    void DrawTitleBand(QPainter& p, const QString& title);

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void childEvent(QChildEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Watches the keys of every widget on the page, however deep: a control that takes a key
    // (an edit accepts its key releases) would otherwise keep it from the page.
    void WatchKeysOf(QObject* object);
    void ForwardKeyRelease(QKeyEvent* e);
    void CreateFonts();
    void PlaceCaptionButtons();
    void OnCaptionButton(int id);

    int templateId_;
    bool notifyOnClose_;
    bool initialised_ = false;
    bool dragByBand_ = false;
    bool dragging_ = false;
    bool maximized_ = false;
    QPoint dragOffset_;
    // The key release last handed on from a control, so that the page does not hand it on a
    // second time when the control lets it travel up.
    const QEvent* forwardedRelease_ = nullptr;
    quint64 forwardedStamp_ = 0;
    int forwardedKey_ = 0;
    QRect normalGeometry_;
    QString title_;
    QString paintedTitle_;
    bool titleSet_ = false;
    bool tabLook_ = false;
    QFont titleFont_;
    QFont controlFont_;
    QFont pageFont_;
    CGdipButton* closeButton_ = nullptr;
    CGdipButton* maximizeButton_ = nullptr;
};
