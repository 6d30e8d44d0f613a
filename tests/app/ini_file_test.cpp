#include <gtest/gtest.h>

#include "app/ini_file.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

TEST(IniFile, ReadsWindowsValuesVerbatimAndIgnoresCase) {
    IniFile ini(
        "; editor settings\r\n[Path]\r\nKvarPath = C:\\Games\\Foo \r\npl8=\r\n"
        "[LANGFILE]\r\ntextfile=\"K7.GER\"\r\n");
    EXPECT_EQ(ini.value("Path", "kvarpath"), "C:\\Games\\Foo");
    EXPECT_EQ(ini.value("path", "PL8"), "");
    EXPECT_TRUE(ini.has("Path", "pl8"));
    EXPECT_EQ(ini.value("LangFile", "textfile"), "K7.GER");
    EXPECT_EQ(ini.value("Other", "x"), "");
    EXPECT_FALSE(ini.has("Path", "x"));
}

TEST(IniFile, WritingChangesOnlyTheKeysLine) {
    const std::string text =
        "; keep me\r\n[Path]\r\nKvarPath=old\r\nunknown line\r\n\r\n[Other]\r\nx=1\r\n";
    IniFile ini(text);
    ini.setValue("path", "kvarpath", "/games/thornvale");
    EXPECT_EQ(ini.text(),
              "; keep me\r\n[Path]\r\nKvarPath=/games/thornvale\r\nunknown "
              "line\r\n\r\n[Other]\r\nx=1\r\n");
    ini.setValue("Path", "pl8", "/games/thornvale/pl8");
    EXPECT_EQ(ini.text(),
              "; keep me\r\n[Path]\r\nKvarPath=/games/thornvale\r\nunknown line\r\n"
              "pl8=/games/thornvale/pl8\r\n\r\n[Other]\r\nx=1\r\n");
    ini.setValue("LangFile", "textfile", "K7.ENG");
    EXPECT_EQ(ini.value("LangFile", "textfile"), "K7.ENG");
    EXPECT_NE(ini.text().find("x=1\r\n\r\n[LangFile]\r\ntextfile=K7.ENG\r\n"), std::string::npos);
}

TEST(IniFile, KeepsUnixLineEndingsAndAMissingFinalNewline) {
    IniFile ini("[Path]\nkvarpath=/a");
    ini.setValue("Path", "pl8", "/a/pl8");
    EXPECT_EQ(ini.text(), "[Path]\nkvarpath=/a\npl8=/a/pl8\n");
    IniFile untouched("[Path]\nkvarpath=/a");
    EXPECT_EQ(untouched.text(), "[Path]\nkvarpath=/a");
}

TEST(IniFile, NewFileGetsSectionsInOrderAndRoundTripsOnDisk) {
    test::TempDir dir;
    IniFile ini = IniFile::load(dir / "D7Irir.ini");  // missing: empty
    ini.setValue("Path", "kvarpath", "/g");
    ini.setValue("Path", "pl8", "/g/pl8");
    ini.setValue("LangFile", "textfile", "K7.ENG");
    ini.save(dir / "D7Irir.ini");
    IniFile again = IniFile::load(dir / "D7Irir.ini");
    EXPECT_EQ(again.text(),
              "[Path]\r\nkvarpath=/g\r\npl8=/g/pl8\r\n\r\n[LangFile]\r\ntextfile=K7.ENG\r\n");
    EXPECT_EQ(again.value("Path", "pl8"), "/g/pl8");
}

}  // namespace
}  // namespace d7
