#include "shell/StoreName.h"

#include "device/IniFile.h"
#include "pagekit/UiText.h"
#include "platform/MessageBox.h"

#include <QString>

void StoreName(QWidget* window, const QString& ini, const QString& section, const QString& key, const QString& text)
{
    QString why;
    if (IniWriteString(ini, section, key, text, &why)) return;
    ShowMessageBox(window, QStringLiteral("\"%1\" was not saved in %2: %3").arg(text, ini, why), g_UiText[UI_TEXT_TIPS]);
}
