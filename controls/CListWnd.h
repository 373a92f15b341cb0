#pragma once
// The popup of a drop button: a borderless top-level window with a one-pixel frame that hosts
// the drop list. It closes when the pointer, once over the button or the list, leaves both; on
// a click outside it, which then acts on whatever lies under it (a click on its own button only
// closes it); on Escape; and on a choice, which it hands to the button as WM_DROPLIST_SELECT
// (wParam = the chosen index).

#include <QPointer>
#include <QWidget>

class CDropButton;
class CDropList;

class CListWnd : public QWidget {
    Q_OBJECT
public:
    // owner is also the Qt parent, so the popup dies with its button.
    explicit CListWnd(CDropButton* owner);
    ~CListWnd() override;

    CDropList* List() const { return list_; }
    CDropButton* Owner() const { return owner_; }
    // The button is going away: from now on the popup tells it nothing.
    void DetachOwner() { owner_ = nullptr; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void OnItemChosen(int index);
    // Whether a screen point lies on the popup or on its button.
    bool Covers(QPoint global) const;
    void PassPressOn(const QMouseEvent& e);

    bool pointerSeen_ = false;  // the pointer has been over the button or the list since the drop

    QPointer<CDropButton> owner_;
    CDropList* list_ = nullptr;
};
