#pragma once
// Picture check for the drop buttons shown in a window: a disabled one draws its arrow in the
// disabled text colour, an open list's rows stand out from their fill by 3:1 at least and keep
// room from the list's frame, and a closed list shows each of its choices whole.

#include "tests/support/PageScreenshots.h"

#include "controls/CDropButton.h"
#include "controls/CDropList.h"

// What is wrong with the drop buttons showing in picture (a grab of root). Each list is dropped
// in turn (a disabled one enabled for it): a row's ink is the pixel that differs most from the
// fill right of its text, and its text the pixels that differ from that fill. Then each row is
// shown closed, and the shown row again. A closed list's face is dark, but for the lists named in
// ownColours.
inline QStringList DropListProblems(QWidget& root, const QImage& picture, const QList<int>& ownColours = {})
{
    QStringList out;
    for (CDropButton* b : root.findChildren<CDropButton*>()) {
        if (!b->IsCreated() || !ShowsAt(root, b, b->rect().center())) continue;
        const QPolygon arrow = b->ArrowPolygon();
        const QColor ink = picture.pixelColor(b->mapTo(&root, QPoint(arrow.point(2).x(), arrow.point(0).y() + 2)));
        if (!b->isEnabled() && ink != ToQColor(kColorDisabledText)) out << ControlName(b) + " not greyed " + ink.name();
        const QColor face = picture.pixelColor(b->mapTo(&root, QPoint(2, 2)));
        if (!ownColours.contains(b->ControlId()) && std::max({face.red(), face.green(), face.blue()}) > 0x40)
            out << ControlName(b) + " face " + face.name();

        const bool enabled = b->isEnabled();
        b->setEnabled(true);
        b->DropList();
        SettleForPicture();
        CDropList* list = b->GetList();
        const QImage rows = list->viewport()->grab().toImage();
        QWidget* popup = list->parentWidget();
        QRect text;  // the ink of the rows shown, in the popup
        for (int i = list->TopIndex(); i < list->GetCount() && list->ItemRect(i).bottom() < rows.height(); ++i) {
            const QRect r = list->ItemRect(i);
            const QRgb fillColour = rows.pixel(r.right() - 1, r.center().y());
            const double fill = RelativeLuminance(QColor(fillColour));
            double best = 1;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x < r.right(); ++x) {
                    best = std::max(best, ContrastRatio(fill, RelativeLuminance(rows.pixelColor(x, y))));
                    if (ColourDistance(rows.pixel(x, y), fillColour) > 24) text |= QRect(list->viewport()->mapTo(popup, QPoint(x, y)), QSize(1, 1));
                }
            if (best < 3.0) out << QStringLiteral("%1 row \"%2\" %3:1").arg(ControlName(b), list->GetText(i)).arg(best, 0, 'f', 1);
        }
        // The first and last rows shown keep room from the popup's frame (its outer pixel lines).
        const int room = std::min(text.top() - 1, popup->height() - 2 - text.bottom());
        if (!text.isEmpty() && room < kTextEndRoom) out << QStringLiteral("%1 rows %2 px from the frame").arg(ControlName(b)).arg(room);
        b->CloseList();
        b->setEnabled(enabled);

        const int shown = b->GetCurSel();
        const QString caption = b->Caption();
        for (int i = 0; i < list->GetCount(); ++i) {
            b->SetCurSel(i);
            if (b->ShownCaption() != b->Caption().trimmed()) out << ControlName(b) + " cuts \"" + b->Caption() + '"';
        }
        list->SetCurrentIndex(shown);
        list->RestoreSelection();
        b->SetCaption(caption);
    }
    return out;
}
