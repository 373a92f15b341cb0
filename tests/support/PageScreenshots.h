#pragma once
// Pictures of a page in English and Chinese for a look (kept in the test's build folder), and the
// layout checks that go with them: controls that leave the page's visible area or overlap.
// Screenshot tests run under Xvfb (files named *_x11_test.cpp).

#include "pagekit/LanguageFiles.h"
#include "pagekit/MBaseDialog.h"
#include "platform/ControlId.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>

// Copies the shipped language files into the application folder's "Language/".
inline bool InstallShippedLanguageFiles(const QString& languageDir)
{
    const QString source = QStringLiteral(SVP_SOURCE_DIR) + QStringLiteral("/resources/Language/");
    if (!QDir().mkpath(languageDir)) return false;
    for (const char* name : {"English.ini", "Chinese.ini"}) {
        const QString to = languageDir + QLatin1String(name);
        QFile::remove(to);
        if (!QFile::copy(source + QLatin1String(name), to)) return false;
    }
    return true;
}

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

// Saves "<name>_english.png" and "<name>_chinese.png" in the test's build folder, re-wording the
// page with its own language operation before each picture; the language is English afterwards.
// The application folder must hold the language files (InstallShippedLanguageFiles).
inline bool SavePageScreenshots(MBaseDialog& page, const QString& name)
{
    bool ok = true;
    for (const char* language : {"Chinese", "English"}) {
        SelectLanguage(QString::fromLatin1(language));
        // As the main window's language switch does: the numbered texts first, then the page.
        ReloadUiText();
        page.ApplyLanguage();
        page.ApplyStaticColours();
        SettleForPicture();
        const QImage picture = page.grab().toImage();
        const QString file = QStringLiteral(SVP_BINARY_DIR "/") + name + QLatin1Char('_') +
                             QString::fromLatin1(language).toLower() + QStringLiteral(".png");
        ok = !picture.isNull() && picture.save(file) && ok;
    }
    return ok;
}
