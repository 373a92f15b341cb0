#pragma once
// Every message box of the shell pages goes through ShowTipsMessage, so that one place decides
// how a box is shown: a modal QMessageBox normally, or a function installed by a test that answers
// at once (a modal box would block a test's event loop).

#include <QString>

#include <functional>

class QWidget;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

enum class TipsButtons { Ok, OkCancel };

struct TipsMessage {
    QString text;
    QString caption;
    TipsButtons buttons = TipsButtons::Ok;
};

// Shows the box and returns IDOK or IDCANCEL (IDOK for a box with only OK).
int ShowTipsMessage(QWidget* parent, const QString& text, const QString& caption,
                    TipsButtons buttons = TipsButtons::Ok);

// Installs the function that answers in place of the box; an empty function restores the box.
using TipsMessageHook = std::function<int(const TipsMessage&)>;
void SetTipsMessageHook(TipsMessageHook hook);
