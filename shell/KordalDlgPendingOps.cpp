// Operations of the preset bar and the port-switch texts that the reply dispatcher already calls.
// They do nothing until the preset and project work gives them their bodies.

#include "shell/KordalDlg.h"

void KordalDlg::RefreshPresetMarks() {}

void KordalDlg::UpdatePortSwitchTexts() {}
