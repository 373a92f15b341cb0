#pragma once
// Pictures of a page in English and Chinese for a look (kept in the test's build folder), and the
// layout checks that go with them: controls that leave the page's visible area or overlap.
// Screenshot tests run under Xvfb (files named *_x11_test.cpp).

#include "tests/support/QtPrinters.h"

#include "pagekit/LanguageFiles.h"
#include "pagekit/MBaseDialog.h"
#include "pagekit/UiText.h"
#include "platform/ControlId.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>

inline QString ControlName(const QWidget* w)
{
    return QStringLiteral("%1 #%2").arg(QString::fromLatin1(w->metaObject()->className())).arg(GetControlId(w));
}

// The page's visible direct controls that do not lie wholly inside the page.
inline QStringList ControlsOutside(const QWidget& page)
{
    QStringList out;
    for (QWidget* w : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isVisibleTo(&page) || w->isWindow()) continue;
        if (!page.rect().contains(w->geometry())) out << ControlName(w);
    }
    return out;
}

// Pairs of visible direct controls whose rectangles intersect. Group boxes frame other controls
// and are left out.
inline QStringList OverlappingControls(const QWidget& page, const QStringList& framingClasses = {"CSxGroupBox"})
{
    std::vector<QWidget*> shown;
    for (QWidget* w : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isVisibleTo(&page) || w->isWindow()) continue;
        if (framingClasses.contains(QString::fromLatin1(w->metaObject()->className()))) continue;
        shown.push_back(w);
    }
    QStringList out;
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j)
            if (shown[i]->geometry().intersects(shown[j]->geometry()))
                out << ControlName(shown[i]) + QStringLiteral(" / ") + ControlName(shown[j]);
    return out;
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
