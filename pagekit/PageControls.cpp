#include "pagekit/PageControls.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oRealEdit.h"
#include "pagekit/MBaseDialog.h"
#include "platform/ControlId.h"

#include <QLabel>

CGdipButton* MakePageButton(MBaseDialog* page, int id, const QString& caption, unsigned stdImage, unsigned altImage,
                            const QRect& rect, COLORREF captionColor)
{
    auto* button = new CGdipButton(page);
    button->Create(caption, page, id, rect);
    button->LoadStdImage(stdImage);
    if (altImage) button->LoadAltImage(altImage);
    button->SetCaptionFont(&page->ControlFont());
    button->SetColorAndRedraw(captionColor);
    return button;
}

CDropButton* MakePageDropList(QWidget* page, int id, const QRect& rect, const QFont* font)
{
    auto* list = new CDropButton(page);
    list->Create(QString(), page, id, kPageDropFace, kPageDropFace, kPageDropText, kDropDefaultColor, font,
                 kDropDefaultColor, rect);
    return list;
}

oRealEdit* MakePageEdit(QWidget* page, int id, float low, float initial, float high, const QString& format,
                        const QRect& rect)
{
    auto* edit = new oRealEdit(page);
    SetControlId(edit, id);
    SetControlOwner(edit, page);
    edit->Init(true, low, initial, high, format);
    edit->setGeometry(rect);
    return edit;
}

QLabel* MakePageLabel(QWidget* page, int id, const QString& text, const QRect& rect, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, page);
    SetControlId(label, id);
    label->setGeometry(rect);
    label->setAlignment(alignment);
    return label;
}

CSxGroupBox* MakePageGroup(QWidget* page, int id, const QString& caption, const QRect& rect)
{
    auto* group = new CSxGroupBox(page, caption);
    SetControlId(group, id);
    group->setGeometry(rect);
    return group;
}

void StylePageGroups(MBaseDialog* page, std::initializer_list<CSxGroupBox*> groups, bool framed)
{
    for (CSxGroupBox* group : groups) {
        group->SetTitleFont(&page->TitleFont());
        group->SetTitleColor(kPageCaptionColor);
        group->SetBackColor(kPageGroupBack);
        if (framed) group->SetFrameStyle(2);
        group->lower();
    }
}
