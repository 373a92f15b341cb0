#include "pages/system/LayerPageWidgets.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oRealEdit.h"
#include "pagekit/MBaseDialog.h"
#include "pagekit/PageControls.h"
#include "platform/ControlId.h"
#include "platform/DialogUnits.h"

#include <QLabel>

namespace layerpage {

QRect Dlu(int x, int y, int w, int h)
{
    const int left = DluToPixelsX(x);
    const int top = DluToPixelsY(y);
    return QRect(left, top, DluToPixelsX(x + w) - left, DluToPixelsY(y + h) - top);
}

QLabel* MakeStatic(QWidget* page, int id, const QString& text, const QRect& rect)
{
    return MakePageLabel(page, id, text, rect);
}

CGdipButton* MakeImageButton(MBaseDialog* page, int id, const QString& caption, unsigned stdImage, unsigned altImage,
                             const QRect& rect)
{
    auto* button = new CGdipButton(page);
    button->Create(caption, page, id, rect);
    button->LoadStdImage(stdImage);
    if (altImage) button->LoadAltImage(altImage);
    button->SetCaptionFont(&page->ControlFont());
    return button;
}

CGdipButton* MakeSwitch(MBaseDialog* page, int id, const QRect& rect)
{
    CGdipButton* button = MakeImageButton(page, id, QString(), kSwitchOffImage, kSwitchOnImage, rect);
    button->SetCheck(true);
    return button;
}

CSxGroupBox* MakeGroup(MBaseDialog* page, int id, const QString& caption, const QRect& rect)
{
    CSxGroupBox* group = MakePageGroup(page, id, caption, rect);
    group->SetTitleFont(&page->PageFont());
    group->SetTitleColor(0xEBEBEB);
    group->SetBackColor(0x1E1E1E);
    group->lower();
    return group;
}

CSxGroupBox* MakeFramedGroup(QWidget* page, int id)
{
    auto* group = new CSxGroupBox(page);
    SetControlId(group, id);
    // Light titles on the dark page: the group's two colours the other way round.
    group->SetTitleColor(kColorLightText);
    group->SetBackColor(kColorGroupText);
    group->SetFrameStyle(2);
    group->lower();
    return group;
}

CDropButton* MakeDropList(MBaseDialog* page, int id, const QRect& rect)
{
    return MakePageDropList(page, id, rect, nullptr);
}

oRealEdit* MakeIntEdit(QWidget* page, int id, int minimum, int initial, int maximum, const QRect& rect)
{
    return MakePageEdit(page, id, static_cast<float>(minimum), static_cast<float>(initial), static_cast<float>(maximum),
                        QStringLiteral("%d"), rect);
}

void EnableButton(CGdipButton* button, bool on)
{
    if (!button) return;
    button->SetDisabledLook(!on);
    button->setEnabled(on);
}

}  // namespace layerpage
