#pragma once
// Pictures of a page in English and Chinese for a look (kept in the test's build folder), and the
// layout checks that go with them: controls and the pictures a page paints itself that leave the
// page's visible area or overlap; the texts a page shows after a language switch.
// Screenshot tests run under Xvfb (files named *_x11_test.cpp).

#include "tests/support/QtPrinters.h"

#include "controls/CDropButton.h"
#include "controls/CSxGroupBox.h"
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
#include <QPixmap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

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

inline void SettleForPicture()
{
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// For Chinese, then English: re-words the page with its own language operation, saves
// "<name>_<language>.png" in the test's build folder and lists every control that leaves the page
// or overlaps another ("chinese: ..."). The language is English afterwards. The application folder
// must hold the language files (InstallShippedLanguageFiles). Empty when all is well.
inline QStringList ScreenshotAndCheck(MBaseDialog& page, const QString& name,
                                      const QStringList& framingClasses = {"CSxGroupBox"})
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
        for (const QString& c : ControlsOutside(page)) problems << lang + QStringLiteral(": outside ") + c;
        for (const QString& c : OverlappingControls(page, framingClasses)) problems << lang + QStringLiteral(": overlap ") + c;
    }
    return problems;
}

// The pictures alone: true when both were written.
inline bool SavePageScreenshots(MBaseDialog& page, const QString& name)
{
    for (const QString& problem : ScreenshotAndCheck(page, name))
        if (problem.endsWith(QStringLiteral(": no picture"))) return false;
    return true;
}
