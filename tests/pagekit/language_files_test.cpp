// The shipped language files: both parse as INI, declare their language, carry the same keys,
// every numbered UI text, and no empty value. English holds the built-in defaults exactly.

#include "pagekit/DialogIds.h"
#include "pagekit/UiText.h"

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

// A minimal reader with the Windows private-profile rules that matter here: section and key
// names compare case-insensitively, keys and values are trimmed, one surrounding pair of double
// quotes is dropped from a value, lines starting with ';' are comments, the first key wins.
struct IniFile {
    bool ok = false;
    QString error;
    QMap<QString, QMap<QString, QString>> sections;   // lower-case names -> lower-case key -> value
    QMap<QString, QStringList> keyOrder;              // keys as written, per lower-case section
    QByteArray raw;

    QString Value(const QString& section, const QString& key) const
    {
        return sections.value(section.toLower()).value(key.toLower());
    }
    bool Has(const QString& section, const QString& key) const
    {
        return sections.value(section.toLower()).contains(key.toLower());
    }
};

IniFile ParseIni(const QByteArray& bytes)
{
    IniFile ini;
    ini.raw = bytes;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError()) {
        ini.error = "not valid UTF-8";
        return ini;
    }
    QString section;
    bool inSection = false;
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const int close = line.indexOf(u']');
            if (close < 0) {
                ini.error = QStringLiteral("line %1: section without ]").arg(i + 1);
                return ini;
            }
            section = line.mid(1, close - 1).trimmed().toLower();
            inSection = true;
            continue;
        }
        const int eq = line.indexOf(u'=');
        if (eq <= 0 || !inSection) {
            ini.error = QStringLiteral("line %1: not key=value inside a section").arg(i + 1);
            return ini;
        }
        const QString key = line.left(eq).trimmed();
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        auto& keys = ini.sections[section];
        if (keys.contains(key.toLower())) {
            ini.error = QStringLiteral("line %1: key %2 twice").arg(i + 1).arg(key);
            return ini;
        }
        keys.insert(key.toLower(), value);
        ini.keyOrder[section].append(key);
    }
    ini.ok = true;
    return ini;
}

IniFile LoadLanguageFile(const char* name)
{
    QFile file(QStringLiteral(SVP_SOURCE_DIR "/resources/Language/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly)) {
        IniFile missing;
        missing.error = QStringLiteral("cannot open ") + file.fileName();
        return missing;
    }
    return ParseIni(file.readAll());
}

QSet<QString> StringKeys(const IniFile& ini)
{
    const QStringList keys = ini.keyOrder.value(QStringLiteral("string"));
    return QSet<QString>(keys.begin(), keys.end());
}

class LanguageFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        english = LoadLanguageFile("English.ini");
        chinese = LoadLanguageFile("Chinese.ini");
        ASSERT_TRUE(english.ok) << english.error.toStdString();
        ASSERT_TRUE(chinese.ok) << chinese.error.toStdString();
    }
    IniFile english;
    IniFile chinese;
};

TEST(IniReader, AppliesTheProfileRules)
{
    const IniFile ini = ParseIni(QByteArrayLiteral(
        "; comment\r\n[Setting]\r\n Language = English \r\n[String]\r\nIDS_1=\" User \"\r\nidS_2=a=b\r\n"));
    ASSERT_TRUE(ini.ok) << ini.error.toStdString();
    EXPECT_EQ(ini.Value("SETTING", "language"), QStringLiteral("English"));
    EXPECT_EQ(ini.Value("String", "IDS_1"), QStringLiteral(" User "));
    EXPECT_EQ(ini.Value("String", "IDS_2"), QStringLiteral("a=b"));
    EXPECT_FALSE(ParseIni(QByteArrayLiteral("[String]\r\nno equals sign\r\n")).ok);
    EXPECT_FALSE(ParseIni(QByteArrayLiteral("key=outside\r\n")).ok);
    EXPECT_FALSE(ParseIni(QByteArrayLiteral("[String]\r\nA=1\r\na=2\r\n")).ok);
    EXPECT_FALSE(ParseIni(QByteArray("[String]\r\nA=\xff\xfe\r\n")).ok);
}

TEST_F(LanguageFiles, AreUtf8WithoutBomAndCrLfOnly)
{
    for (const IniFile* ini : {&english, &chinese}) {
        EXPECT_FALSE(ini->raw.startsWith("\xEF\xBB\xBF"));
        EXPECT_TRUE(ini->raw.endsWith("\r\n"));
        for (qsizetype i = 0; i < ini->raw.size(); ++i) {
            if (ini->raw[i] == '\n') {
                ASSERT_TRUE(i > 0 && ini->raw[i - 1] == '\r') << "bare LF at byte " << i;
            }
            if (ini->raw[i] == '\r') {
                ASSERT_TRUE(i + 1 < ini->raw.size() && ini->raw[i + 1] == '\n') << "bare CR at byte " << i;
            }
        }
    }
}

TEST_F(LanguageFiles, DeclareTheirLanguage)
{
    EXPECT_EQ(english.Value("Setting", "Language"), QStringLiteral("English"));
    EXPECT_EQ(chinese.Value("Setting", "Language"), QStringLiteral("Chinese"));
}

TEST_F(LanguageFiles, HaveExactlyTheSameKeys)
{
    const QSet<QString> en = StringKeys(english);
    const QSet<QString> zh = StringKeys(chinese);
    for (const QString& key : en)
        EXPECT_TRUE(zh.contains(key)) << "only in English: " << key.toStdString();
    for (const QString& key : zh)
        EXPECT_TRUE(en.contains(key)) << "only in Chinese: " << key.toStdString();
    EXPECT_EQ(english.keyOrder.value("string"), chinese.keyOrder.value("string"));
}

TEST_F(LanguageFiles, KeysFollowTheKnownFormats)
{
    static const QRegularExpression format(
        QStringLiteral("^(IDD\\d+_Title|IDS_\\d+|IDD\\d+_IDS_\\d+|SIDS_\\d+|IDS_[A-Z_]+)$"));
    static const QRegularExpression windowKey(QStringLiteral("^IDD\\d+_IDS_(\\d+)$"));
    const QSet<QString> keys = StringKeys(english);
    for (const QString& key : keys) {
        EXPECT_TRUE(format.match(key).hasMatch()) << key.toStdString();
        // A window's own key always comes with the plain key that other windows fall back to.
        const auto m = windowKey.match(key);
        if (m.hasMatch()) {
            EXPECT_TRUE(keys.contains(QStringLiteral("IDS_") + m.captured(1))) << key.toStdString();
        }
    }
    EXPECT_TRUE(keys.contains(QStringLiteral("IDS_TOPMEN_TOPSET")));
}

TEST_F(LanguageFiles, CarryEveryNumberedTextAndNoOther)
{
    static const QRegularExpression sids(QStringLiteral("^SIDS_(\\d+)$"));
    int count = 0;
    for (const QString& key : StringKeys(english)) {
        const auto m = sids.match(key);
        if (!m.hasMatch())
            continue;
        ++count;
        const int n = m.captured(1).toInt();
        EXPECT_TRUE(n >= 0 && n < kUiTextCount) << key.toStdString();
    }
    EXPECT_EQ(count, kUiTextCount);
    for (int n = 0; n < kUiTextCount; ++n) {
        const QString key = QStringLiteral("SIDS_%1").arg(n);
        EXPECT_TRUE(english.Has("String", key)) << n;
        EXPECT_TRUE(chinese.Has("String", key)) << n;
    }
}

TEST_F(LanguageFiles, NoValueIsEmpty)
{
    for (const IniFile* ini : {&english, &chinese})
        for (auto s = ini->sections.begin(); s != ini->sections.end(); ++s)
            for (auto k = s->begin(); k != s->end(); ++k)
                EXPECT_FALSE(k->trimmed().isEmpty()) << k.key().toStdString();
}

TEST_F(LanguageFiles, EnglishNumberedTextsAreTheBuiltInDefaults)
{
    for (int n = 0; n < kUiTextCount; ++n)
        EXPECT_EQ(english.Value("String", QStringLiteral("SIDS_%1").arg(n)), UiTextDefault(n))
            << "SIDS_" << n;
}

TEST_F(LanguageFiles, ChineseTextsSpotCheck)
{
    EXPECT_EQ(chinese.Value("String", "SIDS_38"), QStringLiteral("提示"));
    EXPECT_EQ(chinese.Value("String", "SIDS_42"), QStringLiteral(" 用户 "));
    EXPECT_EQ(chinese.Value("String", "SIDS_145"), QStringLiteral("固定 HDMI"));
    EXPECT_EQ(chinese.Value("String", "SIDS_148"), QStringLiteral("自动(HDMI 优先)"));
    EXPECT_EQ(chinese.Value("String", "IDS_1515"), QStringLiteral("字幕设置"));
    // Texts that are not meant to be translated stay as they are.
    EXPECT_EQ(chinese.Value("String", "IDS_1194"), QStringLiteral("DVI-1"));
    // Every Chinese numbered text other than the few plain technical ones differs from English.
    int same = 0;
    for (int n = 0; n < kUiTextCount; ++n)
        same += chinese.Value("String", QStringLiteral("SIDS_%1").arg(n)) == UiTextDefault(n);
    EXPECT_EQ(same, 0);
}

TEST_F(LanguageFiles, SharedControlIdsHaveWindowKeys)
{
    EXPECT_EQ(english.Value("String", "IDD102_IDS_1344"), QStringLiteral("Dual CH."));
    EXPECT_EQ(english.Value("String", "IDD158_IDS_1344"), QStringLiteral("Open Project"));
    EXPECT_EQ(english.Value("String", "IDD127_IDS_1290"), QStringLiteral("Select All Machine"));
    EXPECT_EQ(english.Value("String", "IDD154_IDS_1290"), QStringLiteral("Notice : Chroma Keyer On PIP-3"));
    EXPECT_EQ(english.Value("String", "IDD160_IDS_1358"), QStringLiteral("H Position :"));
    EXPECT_EQ(english.Value("String", "IDD164_IDS_1358"), QStringLiteral("H Start :"));
    EXPECT_EQ(chinese.Value("String", "IDD164_IDS_1359"), QStringLiteral("垂直起点 :"));
}

TEST_F(LanguageFiles, ValuesKeepBlanksAndLineBreakMarks)
{
    EXPECT_EQ(english.Value("String", "IDS_1470"), QStringLiteral("H Start : "));
    EXPECT_EQ(english.Value("String", "IDS_1333"), QStringLiteral(" more "));
    EXPECT_EQ(english.Value("String", "IDS_1117"), QStringLiteral("Full\\nScreen"));
    EXPECT_EQ(english.Value("String", "SIDS_82"), QStringLiteral("Getting Data From Desitination... "));
    for (const IniFile* ini : {&english, &chinese})
        for (const QString& v : ini->sections.value("string"))
            for (QChar c : v)
                EXPECT_GE(c.unicode(), 0x20) << "control character in " << v.toStdString();
}

TEST_F(LanguageFiles, DialogIdsNameKnownWindows)
{
    static const QRegularExpression dialogKey(QStringLiteral("^IDD(\\d+)_"));
    QSet<int> known;
    for (int id : kAllDialogIds)
        known.insert(id);
    EXPECT_TRUE(known.contains(IDD_MAIN));
    for (const QString& key : StringKeys(english)) {
        const auto m = dialogKey.match(key);
        if (m.hasMatch()) {
            EXPECT_TRUE(known.contains(m.captured(1).toInt())) << key.toStdString();
        }
    }
}

TEST_F(LanguageFiles, WindowTitlesAndNamedKeys)
{
    EXPECT_EQ(english.Value("String", "IDD102_Title"), QStringLiteral("Tarvo Serial-VideoProcessor"));
    EXPECT_EQ(english.Value("String", "IDD117_Title"), UiTextDefault(69));
    EXPECT_EQ(english.Value("String", "IDS_TOPMEN_TOPSET"), QStringLiteral("TopSetting"));
    EXPECT_EQ(chinese.Value("String", "IDD1563_Title"), QStringLiteral("媒体播放器设置"));
}

} // namespace
