#pragma once
// The popup of a drop button: a borderless top-level window with a one-pixel frame that hosts
// the drop list. It closes on a click outside it (a click on its own button closes it without
// opening it again), on Escape, and on a choice, which it hands to the button as
// WM_DROPLIST_SELECT (wParam = the chosen index).

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
    void hideEvent(QHideEvent* e) override;

private:
    void OnItemChosen(int index);

    QPointer<CDropButton> owner_;
    CDropList* list_ = nullptr;
};
