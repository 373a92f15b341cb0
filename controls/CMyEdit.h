#pragma once
// Plain text edit with the rounded frame, for in-place renaming. Reports Enter and focus loss
// (WM_EDIT_DONE 13), Escape (WM_EDIT_DONE 27) and every typed character (WM_EDIT_CHAR) to its
// owner; Enter and Escape never reach the page.

#include <QLineEdit>

inline constexpr int kEditDoneEnter = 13;
inline constexpr int kEditDoneEscape = 27;

class CMyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CMyEdit(QWidget* parent = nullptr);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
};
