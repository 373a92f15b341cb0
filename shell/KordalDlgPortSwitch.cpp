// The port-switch list follows the composite board: its texts name the board's connectors and
// are kept in both language files, so they survive a language switch and a restart.

#include "controls/CDropButton.h"
#include "controls/CDropList.h"
#include "device/CDeviceData.h"
#include "shell/KordalDlg.h"
#include "pagekit/LanguageFiles.h"
#include "shell/PortSwitchTexts.h"
#include "pagekit/UiText.h"

namespace {

void StoreText(DeferredLangWrites& files, int id, const QString& english, const QString& chinese,
               const QString& language)
{
    const QString key = QStringLiteral("SIDS_%1").arg(id);
    files.Write(1, key, english);
    files.Write(0, key, chinese);
    if (language == QLatin1String("English"))
        SetUiText(id, english);
    else if (language == QLatin1String("Chinese"))
        SetUiText(id, chinese);
}

} // namespace

void KordalDlg::UpdatePortSwitchTexts()
{
    CDropList* list = portSwitchList_ ? portSwitchList_->GetList() : nullptr;
    if (list) list->ResetContent();

    const CDeviceData& device = GetDeviceData();
    const QString language = GetLanguageSetting();
    for (int source = 0; source < 2; ++source) {
        PortSwitchTexts texts;
        if (!PortSwitchTextsFor(source, device.cmpBoard.ipSrc[source], texts)) continue;
        StoreText(portSwitchWrites_, PortSwitchFixedTextId(source), texts.fixedEnglish, texts.fixedChinese, language);
        StoreText(portSwitchWrites_, PortSwitchAutoTextId(source), texts.autoEnglish, texts.autoChinese, language);
    }

    if (!list) return;
    int selected = -1;
    for (int i = 0; i < UI_TEXT_PORT_SWITCH_LAST - UI_TEXT_PORT_SWITCH_FIRST + 1; ++i) {
        const int row = list->AddString(UiText(UI_TEXT_PORT_SWITCH_FIRST + i));
        list->SetItemData(row, static_cast<DropItemData>(i));
        if (device.cmpBoard.mode == i) selected = row;
    }
    if (selected >= 0) portSwitchList_->SetCurSel(selected);
}
