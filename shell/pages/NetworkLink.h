#pragma once
// The link that carries the commands. The library keeps one kind at a time: a network connect
// closes the serial port, a serial open closes the network links. The connection page and the
// search page link over the network here, which keeps netMode in step and tells the main window
// (the link icon, the port's controls). The links the operator chooses on the connection page are
// counted here: a search's joint link, due a moment after its first answer, must not undo one.

class QString;
class QWidget;

// A network link to the address ip names; false, and nothing changed, when it names none.
bool LinkOverNetwork(QWidget* mainWindow, const QString& ip);

// The operator's own connects on the connection page, serial or typed, so far.
unsigned OperatorLinkCount();
void CountOperatorLink();
