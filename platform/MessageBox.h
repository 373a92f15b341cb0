#pragma once
// The program's one way to show a message box or ask for a confirmation. Every box goes through
// ShowMessageBox, so a test can answer in place of the operator (no modal box ever blocks a test).

#include <QString>

#include <functional>

class QWidget;

// Button sets and answers, with the numbers the program's windows have always used.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

struct MessageBoxRequest {
    QWidget* parent = nullptr;
    QString text;
    QString caption;
    unsigned type = MB_OK;
};

using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Shows a modal box (or asks the installed handler) and returns IDOK or IDCANCEL. A box with
// only OK returns IDOK. UI thread only.
int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type = MB_OK);

// A result box with only OK, for what the processor reports (a reply handler must not run an
// event loop inside itself). Shown without waiting: the call returns at once. The program shows
// one result box at a time: while it is up, a further result replaces its text and caption
// instead of opening another. Modal to the application like the boxes above. An installed
// handler answers it at once, as it does ShowMessageBox.
// The box is raised whenever it is shown or its text changes, so a result never waits unseen.
void ShowResultBox(QWidget* parent, const QString& text, const QString& caption);

// Raises the result box and the box that waits for an answer, while they are up (nothing
// otherwise): for a window that has just raised itself over them.
void RaiseOpenBoxes();

// Installs a handler that answers every box instead of a modal window (empty: real boxes again).
// Returns the handler that was installed before.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
