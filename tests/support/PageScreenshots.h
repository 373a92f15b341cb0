#pragma once
// Pictures of a page in English and Chinese for a look (kept in the test's build folder), and the
// checks that go with them: controls and the pictures a page paints itself that leave the page's
// visible area or overlap, texts that do not fit their controls or lack room in them (the layout),
// group frames that hardly show, numeric edits whose frame does not show whether they take input,
// button captions that do not stand out from their skins, and the texts a page shows after a
// language switch. Screenshot tests run under Xvfb (files named *_x11_test.cpp).

#include "tests/support/QtPrinters.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/EditFrame.h"
#include "controls/NumericEditBase.h"
#include "controls/oBitmapSlider.h"
#include "controls/oSliderEdit.h"  // completes the slider's buddy
#include "pagekit/DialogLanguage.h"
#include "pagekit/LanguageFiles.h"
#include "pagekit/MBaseDialog.h"
#include "pagekit/UiText.h"
#include "platform/CaptionTarget.h"
#include "platform/ControlId.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <cmath>
#include <utility>
#include <vector>

inline QString ControlName(const QWidget* w)
{
    return QStringLiteral("%1 #%2").arg(QString::fromLatin1(w->metaObject()->className())).arg(GetControlId(w));
}

// What the layout checks look at: the page's visible direct controls and, on a page, the pictures
// it paints itself, each with a name and its rectangle.
inline std::vector<std::pair<QString, QRect>> LaidOutItems(const QWidget& page,
                                                           const QStringList& framingClasses = {})
{
    std::vector<std::pair<QString, QRect>> items;
    for (QWidget* w : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isVisibleTo(&page) || w->isWindow()) continue;
        if (framingClasses.contains(QString::fromLatin1(w->metaObject()->className()))) continue;
        items.emplace_back(ControlName(w), w->geometry());
    }
    if (const auto* dialog = qobject_cast<const MBaseDialog*>(&page))
        for (const MBaseDialog::PaintedArea& a : dialog->PaintedAreas())
            items.emplace_back(QStringLiteral("painted ") + a.name, a.rect);
    return items;
}

// The page's visible direct controls and painted pictures that do not lie wholly inside the page.
inline QStringList ControlsOutside(const QWidget& page)
{
    QStringList out;
    for (const auto& [name, rect] : LaidOutItems(page))
        if (!page.rect().contains(rect)) out << name;
    return out;
}

// Pairs of visible direct controls and painted pictures whose rectangles intersect. Group boxes
// frame other controls and are left out.
inline QStringList OverlappingControls(const QWidget& page, const QStringList& framingClasses = {"CSxGroupBox"})
{
    const auto shown = LaidOutItems(page, framingClasses);
    QStringList out;
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j)
            if (shown[i].second.intersects(shown[j].second))
                out << shown[i].first + QStringLiteral(" / ") + shown[j].first;
    return out;
}

// Every value of a language file's [String] section.
inline QSet<QString> LanguageFileTexts(const QString& path)
{
    QSet<QString> texts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return texts;
    const LanguageStrings strings = LanguageStrings::FromFile(path);
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        QString value;
        if (eq > 0 && strings.Find(line.left(eq).trimmed(), value)) texts.insert(value);
    }
    return texts;
}

// The texts a page shows in the wrong language after a switch to the current one ("English" or
// "Chinese"; the application folder holds both files): its painted title and every caption of a
// button, label, group box or drop button, or a line of one, that only the other language's file
// holds; and every button or label with a key of its own (IDD<page>_IDS_<id>, else IDS_<id>) that
// does not show the key's text (a label may carry lines of state below it). Empty when all is well.
inline QStringList LanguageTextProblems(const MBaseDialog& page)
{
    const bool chinese = GetLanguageSetting() == QLatin1String("Chinese");
    const QString folder = GetLanguageFolder();
    const QSet<QString> current = LanguageFileTexts(folder + (chinese ? "Chinese.ini" : "English.ini"));
    QSet<QString> other = LanguageFileTexts(folder + (chinese ? "English.ini" : "Chinese.ini"));
    other.subtract(current);
    const LanguageStrings strings = LanguageStrings::Current();

    QStringList problems;
    const auto checkStale = [&](const QString& where, const QString& text) {
        if (other.contains(text)) {
            problems << where + QStringLiteral(": ") + text;
            return;
        }
        for (const QString& line : text.split(QLatin1Char('\n')))
            if (other.contains(line)) problems << where + QStringLiteral(": ") + text;
    };
    checkStale(QStringLiteral("title band"), page.PaintedTitle());
    for (QWidget* w : page.findChildren<QWidget*>()) {
        // Windows nested in the page have their own language operation and their own check.
        bool nested = false;
        for (const QWidget* p = w; p && p != &page; p = p->parentWidget())
            nested = nested || p->isWindow() || GetDialogId(p) != 0;
        if (nested) continue;
        QString text;
        bool keyed = true;
        if (dynamic_cast<ICaptionTarget*>(w))
            continue;  // its caption stands in another control, checked there
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            text = b->text();
        else if (auto* l = qobject_cast<QLabel*>(w))
            text = l->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            text = g->title();
        else if (auto* g = qobject_cast<CSxGroupBox*>(w))
            text = g->Caption(), keyed = false;
        else if (auto* d = qobject_cast<CDropButton*>(w))
            text = d->Caption(), keyed = false;
        else
            continue;
        const QString where = ControlName(w);
        checkStale(where, text);
        const int id = GetControlId(w);
        QString expected;
        if (!keyed || id == 0 ||
            !(strings.Find(QStringLiteral("IDD%1_IDS_%2").arg(page.TemplateId()).arg(id), expected) ||
              strings.Find(QStringLiteral("IDS_%1").arg(id), expected)))
            continue;
        if (text != expected && !text.startsWith(expected + QLatin1Char('\n')))
            problems << where + QStringLiteral(": \"") + text + QStringLiteral("\" instead of \"") + expected +
                            QLatin1Char('"');
    }
    return problems;
}

// Switches the language as an operator does, by a click on its label on the system page (1251
// "English", 1252 Chinese). False when the page has no such label.
inline bool ClickLanguageLabel(QWidget& systemPage, bool chinese)
{
    QLabel* label = FindControlAs<QLabel>(&systemPage, chinese ? 1252 : 1251);
    if (!label) return false;
    QTest::mouseClick(label, Qt::LeftButton);
    return true;
}

// Whether w shows at its own point p in a picture of root: visible and not covered there by
// another widget.
inline bool ShowsAt(const QWidget& root, const QWidget* w, QPoint p)
{
    if (!w->isVisibleTo(&root)) return false;
    const QWidget* top = root.childAt(w->mapTo(&root, p));
    return top == w || (top && w->isAncestorOf(top));
}

// The sum of two colours' channel differences (alpha left out).
inline int ColourDistance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// The numeric edits shown in picture (a grab of root) whose frame does not show whether they take
// input: the accent frame for one that does, the body colour for one that does not.
inline QStringList EditFramesNotShowingInput(const QWidget& root, const QImage& picture)
{
    QStringList out;
    for (NumericEditBase* e : root.findChildren<NumericEditBase*>()) {
        const QPoint top = e->mapTo(&root, QPoint(e->width() / 2, 0));
        if (e->FrameWidth() <= 0 || !ShowsAt(root, e, QPoint(e->width() / 2, 0)) || !picture.rect().contains(top)) continue;
        const QRgb wanted = ToQColor(e->isEnabled() ? kEditFrameColor : kEditFrameDisabledColor).rgb();
        if (ColourDistance(picture.pixel(top), wanted) > 24)
            out << ControlName(e) + (e->isEnabled() ? QStringLiteral(" takes input") : QStringLiteral(" is disabled"));
    }
    return out;
}

// Relative luminance of an sRGB colour and the contrast ratio of two luminances (1 to 21).
inline double RelativeLuminance(const QColor& c)
{
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

inline double ContrastRatio(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The least contrast of a caption with its skin: the floor for bold text, and for a greyed caption,
// which recedes but stays readable.
inline constexpr double kMinimumCaptionContrast = 3.0;
inline constexpr double kMinimumGreyedCaptionContrast = 2.0;

// The image buttons shown in a picture of root whose caption stands out from its skin by less than
// the minimum: the caption's colour (a greyed one's colour of the disabled look) against the mean
// luminance of the skin under the caption's glyphs (root is grabbed once with the captions taken off).
inline QStringList LowContrastCaptions(QWidget& root)
{
    std::vector<std::pair<CGdipButton*, QString>> captioned;
    for (CGdipButton* b : root.findChildren<CGdipButton*>())
        if (!b->text().trimmed().isEmpty() && ShowsAt(root, b, b->rect().center()))
            captioned.emplace_back(b, b->text());
    for (auto& [b, text] : captioned) b->setText(QString());
    const QImage skins = root.grab().toImage();
    for (auto& [b, text] : captioned) b->setText(text);

    QStringList out;
    for (const auto& [b, text] : captioned) {
        const QRect under = b->CaptionRect().intersected(b->rect()).translated(b->mapTo(&root, QPoint(0, 0))).intersected(skins.rect());
        if (under.isEmpty()) continue;
        double sum = 0;
        for (int y = under.top(); y <= under.bottom(); ++y)
            for (int x = under.left(); x <= under.right(); ++x) sum += RelativeLuminance(skins.pixelColor(x, y));
        const double skin = sum / (static_cast<double>(under.width()) * under.height());
        const bool greyed = b->ShowsDisabledLook();
        const double ratio = ContrastRatio(RelativeLuminance(ToQColor(greyed ? b->DisabledCaptionColor() : b->CaptionColor())), skin);
        if (ratio < (greyed ? kMinimumGreyedCaptionContrast : kMinimumCaptionContrast))
            out << QStringLiteral("%1 \"%2\" %3:1").arg(ControlName(b), text).arg(ratio, 0, 'f', 1);
    }
    return out;
}

// A widget drawn alone, as it stands.
inline QImage DrawnAlone(QWidget& w)
{
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The face of an image button's skin drawn alone: the smooth run around its centre, across and
// down, up to the first sharp step (its rim, a bevel's highlight) or a see-through pixel; the
// whole button where it has no skin there.
inline QRect SkinFace(CGdipButton& b)
{
    const QString text = b.text();
    b.setText(QString());
    const QImage skin = DrawnAlone(b);
    b.setText(text);
    const QPoint c(skin.width() / 2, skin.height() / 2);
    auto end = [&skin, c](QPoint step) {
        QPoint e = c;
        for (QPoint p = c + step; skin.rect().contains(p) && qAlpha(skin.pixel(p)) >= 128 && ColourDistance(skin.pixel(p), skin.pixel(e)) <= 24; p += step) e = p;
        return e;
    };
    if (!skin.rect().contains(c) || qAlpha(skin.pixel(c)) < 128) return b.rect();
    return QRect(QPoint(end({-1, 0}).x(), end({0, -1}).y()), QPoint(end({1, 0}).x(), end({0, 1}).y()));
}

// Where a label's or a button's text is inked, in its own coordinates: the pixels its text changes
// in a drawing of it alone.
template <class Texted>
QRect TextInk(Texted& w)
{
    const QString text = w.text();
    const QImage with = DrawnAlone(w);
    w.setText(QString());
    const QImage without = DrawnAlone(w);
    w.setText(text);
    QRect ink;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (ColourDistance(with.pixel(x, y), without.pixel(x, y)) > 24) ink |= QRect(x, y, 1, 1);
    return ink;
}

// The room the well-placed texts keep, which every text keeps: a caption's ink at rest four pixels
// inside its skin's face at the sides and two above and below (held, a pixel lower and right, it
// keeps no less than three and one); a label's ink four pixels from the frame of the group it
// stands in and from the controls beside it.
inline constexpr int kTextSideRoom = 4;
inline constexpr int kTextEndRoom = 2;

// The page's visible labels and image-button captions whose text (less blanks around it) does not
// fit inside them: its advance across, its glyphs' ink up and down; captions and labels without
// the room above; text displays; and group titles that a control covers.
inline QStringList ClippedTexts(const QWidget& page)
{
    QStringList out;
    auto rectText = [](const QRect& r) { return QStringLiteral("%1x%2 at %3,%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y()); };
    auto clipped = [&out, &rectText](const QWidget* w, const QString& text, const QRect& room, const QRect& need) {
        if (!room.contains(need))
            out << QStringLiteral("%1 \"%2\" needs %3, has %4").arg(ControlName(w), text, rectText(need), rectText(room));
    };
    for (QWidget* w : page.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&page) || w->isWindow()) continue;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            const QString text = l->text().trimmed();
            if (text.isEmpty() || l->textFormat() == Qt::RichText || !l->pixmap().isNull()) continue;
            // Its ink's clear pixels to the frame of its group and to the controls level with it.
            const QRect ink = TextInk(*l).translated(l->pos());
            for (QWidget* c : l->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (c == l || !c->isVisibleTo(&page) || ink.isEmpty()) continue;
                const QRect r = c->geometry();
                int gap = kTextSideRoom;
                if (auto* g = qobject_cast<CSxGroupBox*>(c); g && r.contains(ink.center())) {
                    const QPolygon frame = g->Geometry().paths.front().translated(r.topLeft());
                    gap = std::min(ink.left() - frame.point(1).x(), frame.point(3).x() - ink.right()) - 1;
                } else if (!g && r.top() <= ink.bottom() && r.bottom() >= ink.top() && !r.intersects(ink)) {
                    gap = (r.left() > ink.right() ? r.left() - ink.right() : ink.left() - r.right()) - 1;
                }
                if (gap < kTextSideRoom) out << QStringLiteral("%1 \"%2\" %3 px from %4").arg(ControlName(l), text).arg(gap).arg(ControlName(c));
            }
            if (l->wordWrap()) continue;
            const QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
            const QFontMetrics fm = l->fontMetrics();
            const QRect glyphs = fm.tightBoundingRect(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
            clipped(l, text, room,
                    fm.boundingRect(room, static_cast<int>(l->alignment()), text)
                        .adjusted(0, fm.ascent() + glyphs.top(), 0, glyphs.bottom() - fm.descent()));
        } else if (auto* b = qobject_cast<CGdipButton*>(w); b && !b->text().trimmed().isEmpty()) {
            // At rest; a caption above or below its picture keeps off the button's border.
            const QRect face = b->HasCaptionFont() || b->CaptionPlacement() == kCaptionCentre ? SkinFace(*b) : b->rect();
            clipped(b, b->text(), face.adjusted(kTextSideRoom, kTextEndRoom, -kTextSideRoom, -kTextEndRoom), TextInk(*b));
        } else if (auto* g = qobject_cast<CSxGroupBox*>(w); g && !g->Caption().trimmed().isEmpty()) {
            const QFontMetrics fm(g->TitleFont());
            const QRect glyphs = fm.tightBoundingRect(g->TitleText());
            const QRect title = fm.boundingRect(g->Geometry().titleRect, Qt::AlignLeft | Qt::AlignVCenter, g->TitleText())
                                    .adjusted(0, fm.ascent() + glyphs.top(), 0, glyphs.bottom() - fm.descent())
                                    .translated(g->pos());
            for (QWidget* c : g->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (c != g && !qobject_cast<CSxGroupBox*>(c) && c->isVisibleTo(&page) && c->geometry().intersects(title))
                    out << QStringLiteral("%1 \"%2\" under %3").arg(ControlName(g), g->Caption(), ControlName(c));
        } else if (auto* e = qobject_cast<QLineEdit*>(w); e && !e->text().isEmpty() && (!e->isEnabled() || e->isReadOnly())) {
            // From its first character, inside the edit's own two pixels a side, the cursor's pixel too.
            const QRect room = e->contentsRect().marginsRemoved(e->textMargins()).adjusted(2, 0, -2, 0);
            clipped(e, e->text(), room, QRect(room.topLeft(), QSize(e->fontMetrics().horizontalAdvance(e->text()) + 1, room.height())));
        }
    }
    return out;
}

// The page's visible labels whose glyphs their own edge cuts, in picture (a grab of page): ink of
// the label's text colour in its top or bottom row, which whole lines leave free.
inline QStringList TextsCutByTheirEdges(const QWidget& page, const QImage& picture)
{
    QStringList out;
    for (QLabel* l : page.findChildren<QLabel*>()) {
        if (!l->isVisibleTo(&page) || l->text().trimmed().isEmpty() || !l->pixmap().isNull()) continue;
        const QRgb ink = l->palette().color(QPalette::WindowText).rgb();
        const QRect r(l->mapTo(&page, QPoint(0, 0)), l->size());
        int inked = 0;
        for (int y : {r.top(), r.bottom()})
            for (int x = r.left(); x <= r.right(); ++x) inked += picture.rect().contains(x, y) && ColourDistance(picture.pixel(x, y), ink) <= 60;
        if (inked > 0) out << QStringLiteral("%1 \"%2\" %3 pixels on its edges").arg(ControlName(l), l->text()).arg(inked);
    }
    return out;
}

// The page's visible group frames that hardly show: along their left side, the line stands out
// from the page drawn without the groups by less than 3:1 (as any control's outline does) everywhere.
inline QStringList FaintGroupFrames(QWidget& page)
{
    QList<CSxGroupBox*> groups;
    for (CSxGroupBox* g : page.findChildren<CSxGroupBox*>()) groups << (g->isVisibleTo(&page) ? g : nullptr);
    groups.removeAll(nullptr);
    const QImage framed = page.grab().toImage();
    for (CSxGroupBox* g : groups) g->hide();
    const QImage bare = page.grab().toImage();
    QStringList out;
    for (CSxGroupBox* g : groups) {
        g->show();
        const QPolygon path = g->Geometry().paths.front();
        double best = 1;
        for (int i = 1; i < 8; ++i)
            if (const QPoint p = g->mapTo(&page, path.point(1) + (path.point(2) - path.point(1)) * i / 8); framed.rect().contains(p))
                best = std::max(best, ContrastRatio(RelativeLuminance(framed.pixelColor(p)), RelativeLuminance(bare.pixelColor(p))));
        if (best < 3.0) out << QStringLiteral("%1 \"%2\" %3:1").arg(ControlName(g), g->Caption()).arg(best, 0, 'f', 1);
    }
    return out;
}

// The page's visible image-button captions and labels not drawn in the page's control font (its
// pixel size and weight).
inline QStringList TextsInOtherFonts(const MBaseDialog& page)
{
    const QFontInfo control(page.ControlFont());
    QStringList out;
    for (QWidget* w : page.findChildren<QWidget*>()) {
        auto* b = qobject_cast<CGdipButton*>(w);
        auto* l = qobject_cast<QLabel*>(w);
        const QString text = b ? b->text() : l ? l->text() : QString();
        if (text.trimmed().isEmpty() || !w->isVisibleTo(&page) || w->isWindow()) continue;
        const QFontInfo drawn(b ? b->DrawnCaptionFont() : l->font());
        if (drawn.pixelSize() != control.pixelSize() || drawn.weight() != control.weight())
            out << QStringLiteral("%1 \"%2\" %3px weight %4").arg(ControlName(w), text).arg(drawn.pixelSize()).arg(drawn.weight());
    }
    return out;
}

inline void SettleForPicture()
{
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The spread of a picture's colours: the mean distance of its pixels from their mean colour.
inline double ColourSpread(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto* px = reinterpret_cast<const QRgb*>(rgb.constBits());
    const qsizetype n = static_cast<qsizetype>(rgb.width()) * rgb.height();
    if (n == 0) return 0;
    double r = 0, g = 0, b = 0, spread = 0;
    for (qsizetype i = 0; i < n; ++i) r += qRed(px[i]), g += qGreen(px[i]), b += qBlue(px[i]);
    for (qsizetype i = 0; i < n; ++i) spread += std::hypot(qRed(px[i]) - r / n, qGreen(px[i]) - g / n, qBlue(px[i]) - b / n);
    return spread / n;
}

// The image buttons and sliders showing in picture (a grab of root) that take no input yet look no
// duller than taking input: than in a second grab with them, and whatever disabled them, enabled
// and a button's disabled look cleared.
inline QStringList LiveLookingDisabledButtons(QWidget& root, const QImage& picture)
{
    std::vector<std::pair<QWidget*, bool>> off;  // with a button's disabled look, a slider's enabled field
    QList<QWidget*> switchedOff;
    for (QWidget* c : root.findChildren<QWidget*>()) {
        auto* b = qobject_cast<CGdipButton*>(c);
        auto* s = qobject_cast<oBitmapSlider*>(c);
        if (!(b || s) || c->isEnabled() || !ShowsAt(root, c, c->rect().center())) continue;
        off.emplace_back(c, b ? b->HasDisabledLook() : s->IsEnabledField());
        for (QWidget* w = c; w; w = w == &root ? nullptr : w->parentWidget())
            if (w->testAttribute(Qt::WA_ForceDisabled) && !switchedOff.contains(w)) switchedOff << w;
    }
    if (off.empty()) return {};
    auto setLive = [&](bool live) {
        for (auto& [c, flag] : off)
            if (auto* b = qobject_cast<CGdipButton*>(c)) b->SetDisabledLook(!live && flag);
            else if (!flag) static_cast<oBitmapSlider*>(c)->Enable(live);
        for (QWidget* w : switchedOff) w->setEnabled(live);
        SettleForPicture();
    };
    setLive(true);
    const QImage live = root.grab().toImage();
    setLive(false);
    QStringList out;
    for (const auto& [c, flag] : off) {
        const QRect r(c->mapTo(&root, QPoint(0, 0)), c->size());
        const double now = ColourSpread(picture.copy(r)), was = ColourSpread(live.copy(r));
        if (now > 0.8 * was) out << QStringLiteral("%1 %2 of %3").arg(ControlName(c)).arg(now, 0, 'f', 1).arg(was, 0, 'f', 1);
    }
    return out;
}

// What ScreenshotAndCheck looks for; each runs in tests of its own.
enum PictureCheck : unsigned { kCheckLayout = 1, kCheckEditFrames = 2, kCheckCaptionContrast = 4 };

// For Chinese, then English: re-words the page with its own language operation, saves
// "<name>_<language>.png" in the test's build folder and lists what the checks find ("chinese:
// ..."): by default every control that leaves the page or overlaps another and every text that
// does not fit. The language is English afterwards. The application folder must hold the language files
// (InstallShippedLanguageFiles). Empty when all is well.
inline QStringList ScreenshotAndCheck(MBaseDialog& page, const QString& name,
                                      const QStringList& framingClasses = {"CSxGroupBox"},
                                      unsigned checks = kCheckLayout)
{
    QStringList problems;
    for (const char* language : {"Chinese", "English"}) {
        const QString lang = QString::fromLatin1(language).toLower();
        SelectLanguage(QString::fromLatin1(language));
        ReloadUiText();
        page.ApplyLanguage();
        page.ApplyStaticColours();
        SettleForPicture();
        const QImage picture = page.grab().toImage();
        const QString file = QStringLiteral(SVP_BINARY_DIR "/") + name + QLatin1Char('_') + lang + QStringLiteral(".png");
        if (picture.isNull() || !picture.save(file)) problems << lang + QStringLiteral(": no picture");
        if (checks & kCheckLayout) {
            for (const QString& c : ControlsOutside(page)) problems << lang + QStringLiteral(": outside ") + c;
            for (const QString& c : OverlappingControls(page, framingClasses)) problems << lang + QStringLiteral(": overlap ") + c;
            for (const QString& c : ClippedTexts(page)) problems << lang + QStringLiteral(": clipped ") + c;
            for (const QString& c : TextsInOtherFonts(page)) problems << lang + QStringLiteral(": font ") + c;
        }
        if (checks & kCheckEditFrames)
            for (const QString& c : EditFramesNotShowingInput(page, picture)) problems << lang + QStringLiteral(": frame ") + c;
        if (checks & kCheckCaptionContrast)
            for (const QString& c : LowContrastCaptions(page)) problems << lang + QStringLiteral(": caption ") + c;
    }
    return problems;
}

inline QStringList ScreenshotAndCheck(MBaseDialog& page, const QString& name, unsigned checks)
{
    return ScreenshotAndCheck(page, name, {"CSxGroupBox"}, checks);
}

// The pictures alone: true when both were written.
inline bool SavePageScreenshots(MBaseDialog& page, const QString& name)
{
    for (const QString& problem : ScreenshotAndCheck(page, name))
        if (problem.endsWith(QStringLiteral(": no picture"))) return false;
    return true;
}
