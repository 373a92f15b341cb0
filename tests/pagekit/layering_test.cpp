// The page kit sits below the pages, the preview and the shell: nothing in it includes them, and
// neither pages nor preview include the shell.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// "file: include" for every include of a forbidden folder in the folder's sources.
QStringList IncludesOf(const QString& folder, const QStringList& forbidden)
{
    QStringList found;
    const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""));
    QDirIterator it(QStringLiteral(SVP_SOURCE_DIR "/") + folder, {"*.h", "*.cpp"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const auto m = include.match(QString::fromUtf8(line));
            if (!m.hasMatch()) continue;
            for (const QString& prefix : forbidden)
                if (m.captured(1).startsWith(prefix)) found << QFileInfo(path).fileName() + ": " + m.captured(1);
        }
    }
    return found;
}

TEST(Layering, NoFolderIncludesOneAboveIt)
{
    const QStringList above = {"pagekit/", "shell/", "pages/", "preview/"};
    const struct {
        const char* folder;
        QStringList forbidden;
    } rows[] = {
        {"pagekit", {"shell/", "pages/", "preview/"}},
        {"pages", {"shell/", "preview/"}},
        {"preview", {"shell/", "pages/"}},
        {"device", above},
        {"comm", above},
        {"platform", above},
        {"controls", above},
    };
    for (const auto& r : rows) EXPECT_EQ(IncludesOf(r.folder, r.forbidden), QStringList()) << r.folder;
}

} // namespace
