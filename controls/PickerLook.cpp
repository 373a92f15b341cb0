#include "controls/PickerLook.h"

#include "controls/EditFrame.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QPolygon>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace {

constexpr char kLookProperty[] = "svpDarkPicker";

// The picker's frame, face and buttons; the text field inside is the picker's line edit.
class DarkPickerStyle : public QProxyStyle {
public:
    DarkPickerStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* opt, SubControl sc, const QWidget* w) const override
    {
        if ((cc != CC_SpinBox && cc != CC_ComboBox) || !opt) return QProxyStyle::subControlRect(cc, opt, sc, w);
        const QRect inner = EditClientRect(opt->rect, kEditFrameWidth);
        const QRect buttons(inner.right() - kPickerButtonWidth + 1, inner.top(), kPickerButtonWidth, inner.height());
        const QRect field(inner.left() + 2, inner.top(), std::max(0, inner.width() - kPickerButtonWidth - 3), inner.height());
        const int half = buttons.height() / 2;
        if (cc == CC_SpinBox) {
            switch (sc) {
            case SC_SpinBoxUp: return QRect(buttons.left(), buttons.top(), buttons.width(), half);
            case SC_SpinBoxDown: return QRect(buttons.left(), buttons.top() + half, buttons.width(), buttons.height() - half);
            case SC_SpinBoxEditField: return field;
            case SC_SpinBoxFrame: return opt->rect;
            default: break;
            }
        } else {
            switch (sc) {
            case SC_ComboBoxArrow: return buttons;
            case SC_ComboBoxEditField: return field;
            case SC_ComboBoxFrame:
            case SC_ComboBoxListBoxPopup: return opt->rect;
            default: break;
            }
        }
        return QProxyStyle::subControlRect(cc, opt, sc, w);
    }

    void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p, const QWidget* w) const override
    {
        if ((cc != CC_SpinBox && cc != CC_ComboBox) || !opt) {
            QProxyStyle::drawComplexControl(cc, opt, p, w);
            return;
        }
        const bool enabled = opt->state & State_Enabled;
        const bool held = opt->state & State_Sunken;
        DrawEditFrame(*p, opt->rect, kEditFrameWidth, enabled);
        if (cc == CC_ComboBox) {
            DrawButton(*p, subControlRect(cc, opt, SC_ComboBoxArrow, w), false, enabled,
                       held && (opt->activeSubControls & SC_ComboBoxArrow));
            return;
        }
        const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(opt);
        const QAbstractSpinBox::StepEnabled steps = spin ? spin->stepEnabled : QAbstractSpinBox::StepEnabled();
        DrawButton(*p, subControlRect(cc, opt, SC_SpinBoxUp, w), true, enabled && (steps & QAbstractSpinBox::StepUpEnabled),
                   held && (opt->activeSubControls & SC_SpinBoxUp));
        DrawButton(*p, subControlRect(cc, opt, SC_SpinBoxDown, w), false,
                   enabled && (steps & QAbstractSpinBox::StepDownEnabled), held && (opt->activeSubControls & SC_SpinBoxDown));
    }

private:
    // A dark-grey button with a triangle pointing up or down: light, the accent while held,
    // the disabled grey when it does nothing.
    static void DrawButton(QPainter& p, const QRect& r, bool up, bool enabled, bool held)
    {
        if (r.isEmpty()) return;
        p.save();
        p.fillRect(r, ToQColor(kPickerButtonFace));
        p.setRenderHint(QPainter::Antialiasing);
        const COLORREF ink = !enabled ? kColorDisabledText : held ? kColorAccent : kColorLightText;
        const int width = std::clamp(std::min(r.width() - 8, 2 * (r.height() - 4)), 4, 10);
        const int height = width / 2;
        const int left = r.left() + (r.width() - width) / 2, top = r.top() + (r.height() - height) / 2;
        QPolygon arrow;
        if (up)
            arrow << QPoint(left, top + height) << QPoint(left + width, top + height) << QPoint(left + width / 2, top);
        else
            arrow << QPoint(left, top) << QPoint(left + width, top) << QPoint(left + width / 2, top + height);
        p.setPen(Qt::NoPen);
        p.setBrush(ToQColor(ink));
        p.drawPolygon(arrow);
        p.restore();
    }
};

// One style for every picker, alive as long as the application.
QStyle* PickerStyle()
{
    static QPointer<DarkPickerStyle> style;
    if (!style) {
        style = new DarkPickerStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

QPalette DarkPalette(QPalette pal)
{
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        const QColor text = ToQColor(disabled ? kColorDisabledText : kColorLightText);
        pal.setColor(group, QPalette::Base, ToQColor(kEditFillColor));
        pal.setColor(group, QPalette::Window, ToQColor(kEditFillColor));
        pal.setColor(group, QPalette::AlternateBase, ToQColor(kColorListBack));
        pal.setColor(group, QPalette::Button, ToQColor(kPickerButtonFace));
        pal.setColor(group, QPalette::Text, text);
        pal.setColor(group, QPalette::WindowText, text);
        pal.setColor(group, QPalette::ButtonText, text);
        pal.setColor(group, QPalette::Highlight, ToQColor(kColorAccent));
        pal.setColor(group, QPalette::HighlightedText, ToQColor(kColorBody));
    }
    return pal;
}

} // namespace

void ApplyDarkPickerLook(QDateTimeEdit* picker)
{
    if (!picker) return;
    picker->setProperty(kLookProperty, true);
    picker->setStyle(PickerStyle());
    picker->setPalette(DarkPalette(picker->palette()));
    if (auto* field = picker->findChild<QLineEdit*>()) field->setPalette(DarkPalette(field->palette()));
    if (picker->calendarPopup())
        if (QCalendarWidget* calendar = picker->calendarWidget()) calendar->setPalette(DarkPalette(calendar->palette()));
}

bool HasDarkPickerLook(const QWidget* w)
{
    for (int depth = 0; w && depth < 2; ++depth, w = w->parentWidget())
        if (w->property(kLookProperty).toBool()) return true;
    return false;
}
