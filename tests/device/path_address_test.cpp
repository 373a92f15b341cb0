// Path, address and INI-line routines.

#include "device/PathUtils.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <cstdlib>
#include <filesystem>

namespace {

// Sets or clears an environment variable for one scope.
class EnvScope {
public:
    EnvScope(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~EnvScope()
    {
        if (had_) setenv(name_, old_.c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

}  // namespace

TEST(AppDirectory, IsTheExecutablesFolderOrTheOverride)
{
    {
        EnvScope env("SVP_APP_DIR", nullptr);
        const std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe");
        EXPECT_EQ(GetAppDirectory(), QString::fromStdString(exe.parent_path().string()) + "/");
    }
    {
        EnvScope env("SVP_APP_DIR", "/tmp/svp-app");
        EXPECT_EQ(GetAppDirectory(), "/tmp/svp-app/");
    }
    {
        EnvScope env("SVP_APP_DIR", "/tmp/svp-app/");
        EXPECT_EQ(GetAppDirectory(), "/tmp/svp-app/");
    }
}

TEST(PathRoutines, DirectoryAndFileTitle)
{
    EXPECT_EQ(GetPathDirectory("/A/B/x.exe"), "/A/B/");
    EXPECT_EQ(GetPathDirectory("/x"), "/");
    EXPECT_EQ(GetPathDirectory("x.exe"), "");
    EXPECT_EQ(GetPathDirectory(""), "");

    struct Row { const char* path; const char* title; };
    const Row rows[] = {
        {"/p/file.tar.gz", "file"},
        {"/p/name", "/p/name"},          // no extension: the whole path
        {"/dir.v2/name", "/dir.v2/name"},  // a dot in a folder name is no extension
        {"/dir.v2/name.txt", "name"},
        {"/p/.hidden", ""},
        {"file.tar.gz", "file"},
        {"name", "name"},
        {"", ""},
        {"/p/dir/", "/p/dir/"},
    };
    for (const Row& row : rows) EXPECT_EQ(GetPathFileTitle(row.path), row.title) << row.path;
}

TEST(AddressRoutines, SplitIpOctets)
{
    struct Row { const char* text; QStringList pieces; };
    const Row rows[] = {
        {"192.168.1.110", {"192", "168", "1", "110"}},
        {"1..2", {"1", "", "2"}},
        {"1.2.", {"1", "2"}},
        {".1", {"", "1"}},
        {"abc", {"abc"}},
        {"", {}},
        {".", {""}},
    };
    for (const Row& row : rows) {
        QStringList pieces{"stale"};
        SplitIpOctets(row.text, pieces);
        EXPECT_EQ(pieces, row.pieces) << row.text;
    }
}

TEST(AddressRoutines, ValidityAndLastOctet)
{
    struct Row { const char* text; bool valid; int last; };
    const Row rows[] = {
        {"192.168.1.110", true, 110},
        {"127.0.0.1", true, 1},
        {"192.168.1", false, 0},
        {"192.1680.1.1", false, 0},
        {"a.b.c.d", true, 0},
        {"1.2.3.4x", true, 4},
        {"1.2.3.x4", true, 0},
        {"1.2.3.999", true, 999},
        {"1.2..4", false, 0},
        {"1.2.3.4.", true, 4},  // a trailing dot gives no fifth piece
        {"1.2.3.4.5", false, 0},
        {"", false, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsValidIpAddress(row.text), row.valid) << row.text;
        EXPECT_EQ(GetIpLastOctet(row.text), row.last) << row.text;
    }
}

TEST(IniLines, SplitKeyValue)
{
    struct Row { const char* line; const char* key; const char* value; };
    const Row rows[] = {
        {"Language=English", "Language", "English"},
        {"Key=", "Key", ""},
        {"a=b=c", "a", "b=c"},
        {"=v", "", "v"},
        {"no equals", "", ""},
        {"", "", ""},
    };
    for (const Row& row : rows) {
        QString key = "old", value = "old";
        SplitKeyValue(row.line, key, value);
        EXPECT_EQ(key, row.key) << row.line;
        EXPECT_EQ(value, row.value) << row.line;
    }
}

TEST(IniLines, ParseSectionName)
{
    struct Row { const char* line; const char* section; };
    const Row rows[] = {
        {"[Setting]", "Setting"},
        {"  [COM] ; port", "COM"},
        {"x[a]y[b]", "a"},
        {"[]", ""},
        {"[open", ""},
        {"close]", ""},
        {"]x[", ""},
        {"Key=Value", ""},
    };
    for (const Row& row : rows) {
        g_IniSection = "stale";
        ParseSectionName(row.line);
        EXPECT_EQ(g_IniSection, row.section) << row.line;
    }
}
