#pragma once
// The program's combo box: a flat button that shows the current choice (elided) and a small
// down arrow. A left click drops a popup list (CListWnd hosting a CDropList) directly below the
// button; choosing an enabled row closes it, copies the row's text into the caption (with
// auto-text on) and posts WM_DROPLIST_SELECT (wParam = control id, lParam = chosen index) to the
// button's owner (the parent given to Create, unless SetControlOwner names another).
//
// Pages fill the list through GetList() (ResetContent, AddString, SetItemData, ...), then show a
// row with SetCurSel or SelectDropItemByData. The popup closes when the button is hidden,
// disabled or destroyed.

#include "controls/CDropList.h"
#include "platform/ColorRef.h"
#include "platform/MessageTarget.h"

#include <QFont>
#include <QPointer>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QWidget>

class CListWnd;

// "Use the default" for a colour argument of Create.
inline constexpr COLORREF kDropDefaultColor = 0xFFFFFFFF;
inline constexpr COLORREF kDropNormalDefault = 0xCDD9DD;
inline constexpr COLORREF kDropHoverDefault = 0xD9E5E9;
inline constexpr COLORREF kDropFrameColor = 0x1E1E1E;
inline constexpr COLORREF kDropDisabledFace = 0x2E2E2E;
inline constexpr int kDropHeightLimitDefault = 100;

class CDropButton : public MessageReceiver<QWidget> {
    Q_OBJECT
public:
    explicit CDropButton(QWidget* parent = nullptr);
    ~CDropButton() override;

    // Makes the button a visible child of parent at rect (parent coordinates) with control id
    // id, and makes its popup. normal = kDropDefaultColor gives the face pair 0xCDD9DD / 0xD9E5E9
    // (hover is then ignored); text = kDropDefaultColor gives black; extra is kept, not drawn.
    // listBack = kDropDefaultColor gives the theme's list: background 0x2E2E2E, under the rows'
    // light text, and the selection colour 0x50FFFF.
    // font null gives 15-pixel "Arial". False for a null parent, a negative id or a second call.
    bool Create(const QString& caption, QWidget* parent, int id, COLORREF normal, COLORREF hover, COLORREF text,
                COLORREF extra, const QFont* font, COLORREF listBack, const QRect& rect);
    bool IsCreated() const { return popup_ != nullptr; }

    // Shows row n (caption with auto-text on) and makes it the list's current row. Posts nothing.
    // Nothing at all happens for an index outside the list (an empty list included).
    void SetCurSel(int n);
    // Shows no row (an empty caption with auto-text on) until one is chosen or set. Posts nothing.
    void ClearSel();
    // The row the button shows, or -1.
    int GetCurSel() const;

    // Null before Create.
    CDropList* GetList() const;
    CListWnd* GetPopup() const { return popup_; }

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool AutoText() const { return autoText_; }
    void SetAutoText(bool on) { autoText_ = on; }
    int DropHeightLimit() const { return heightLimit_; }
    void SetDropHeightLimit(int pixels);  // at least 1

    // Height of the list area when the list drops: the limit for an empty list; otherwise all
    // rows when they fit under the limit with the list's padding, else as many whole rows as fit
    // (at least one), and the padding.
    int DropHeight() const;
    // Opens the popup below the button (nothing when it is open already or before Create).
    void DropList();
    void CloseList();
    bool IsListShown() const;

    bool IsHovering() const { return hover_; }
    COLORREF NormalColor() const { return normalColor_; }
    COLORREF HoverColor() const { return hoverColor_; }
    COLORREF TextColor() const { return textColor_; }
    COLORREF ExtraColor() const { return extraColor_; }
    int ControlId() const;
    // The colour the caption and arrow are drawn in: the text colour, or the theme's disabled
    // text colour while the button takes no input (the face alone does not say so).
    COLORREF InkColor() const;
    // The arrow's triangle and the caption's room, in button coordinates.
    QPolygon ArrowPolygon() const;
    QRect CaptionRect() const;
    // The caption as drawn: without the blanks around it, drawn narrower (down to 85%) when it
    // is a little too wide for its room, and cut short with an ellipsis only beyond that.
    QString ShownCaption() const;

    // Messages: WM_DROPLIST_SELECT (wParam = index) from the popup chooses that row; returns 1,
    // or 0 for a bad or disabled row.
    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override;

    // Called by the popup when it has been hidden.
    void OnPopupHidden();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    struct CaptionLayout {
        QString text;
        double squeeze = 1.0;  // horizontal scale the text is drawn at
    };
    CaptionLayout LayOutCaption() const;
    LRESULT ChooseItem(WPARAM index);

    CListWnd* popup_ = nullptr;  // a Qt child; deleted first in the destructor
    QString caption_;
    QFont font_;
    int heightLimit_ = kDropHeightLimitDefault;
    bool autoText_ = true;
    bool hover_ = false;
    COLORREF normalColor_ = kDropNormalDefault;
    COLORREF hoverColor_ = kDropHoverDefault;
    COLORREF textColor_ = 0;
    COLORREF extraColor_ = 0;
};

// Shows the first row whose item data equals data; row 0 when none does (or the list is empty,
// in which case nothing changes). Nothing for a null or uncreated button.
void SelectDropItemByData(CDropButton* button, DropItemData data);
// The first row whose item data equals data, or -1 (null or uncreated button, empty list, no
// match).
int FindDropItemByData(const CDropButton* button, DropItemData data);
