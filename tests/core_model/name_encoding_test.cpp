#include <gtest/gtest.h>

#include "core/model/name_encoding.h"
#include "core/model/windows1252.h"

namespace d7 {
namespace {

TEST(NameEncoding, EveryStorableCharacterBecomesItsOwnByte) {
    int storable = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, char(b));
        const std::string text = utf8FromWindows1252(byte);
        const EncodedName name = encodeName(text, NameKind::Map);
        const char32_t c = charOfWindows1252(std::uint8_t(b));
        EXPECT_EQ(windows1252ByteOf(c), std::uint8_t(b)) << b;
        EXPECT_EQ(name.bytes.has_value(), isNameCharacter(c)) << b;
        if (!name.bytes) continue;
        EXPECT_EQ(*name.bytes, byte) << b;
        ++storable;
    }
    // 256 less 32 C0 controls, DEL, the five undefined bytes and ";".
    EXPECT_EQ(storable, 256 - 32 - 1 - 5 - 1);
    EXPECT_EQ(encodeName("\xC3\x85lborg \xE2\x82\xAC", NameKind::Map).bytes, "\xC5lborg \x80");
}

TEST(NameEncoding, RefusalsNameTheTextAndTheReason) {
    const auto problem = [](std::string_view text, NameKind kind) {
        const EncodedName name = encodeName(text, kind);
        EXPECT_FALSE(name.bytes) << text;
        return name.problem;
    };
    EXPECT_TRUE(encodeName("Elevenchars", NameKind::Map).bytes);
    EXPECT_EQ(problem("Twelve chars", NameKind::Map),
              "the map name \"Twelve chars\" has 12 characters; a map name holds at most 11; "
              "nothing written");
    EXPECT_TRUE(encodeName(std::string(20, 'd'), NameKind::Domain).bytes);
    EXPECT_NE(problem(std::string(21, 'd'), NameKind::Domain).find("at most 20"),
              std::string::npos);
    // A multi-byte character counts once, as it is one byte when stored.
    EXPECT_TRUE(encodeName("\xC3\x85\xC3\x85\xC3\x85\xC3\x85\xC3\x85\xC3\x85\xC3\x85\xC3\x85"
                           "\xC3\x85\xC3\x85\xC3\x85",
                           NameKind::Map)
                    .bytes);
    EXPECT_EQ(problem("Kyiv \xD0\x96", NameKind::Map),
              "the map name \"Kyiv \xD0\x96\" holds '\xD0\x96' (U+0416), which has no "
              "Windows-1252 byte; nothing written");
    EXPECT_NE(problem("a;b", NameKind::Map).find("separates names"), std::string::npos);
    EXPECT_NE(problem("a\nb", NameKind::Map).find("\"a\\x0Ab\" holds (U+000A), which is a control"),
              std::string::npos);
    EXPECT_NE(problem("ab\xFF", NameKind::Map).find("\"ab\\xFF\" is no UTF-8 text (byte \\xFF)"),
              std::string::npos);
    EXPECT_FALSE(encodeName("\xC0\x80", NameKind::Map).bytes);      // overlong zero
    EXPECT_FALSE(encodeName("\xED\xA0\x80", NameKind::Map).bytes);  // a surrogate
}

TEST(NameEncoding, PrintedNamesAreOneLineOfUtf8AndQuotesAreCut) {
    EXPECT_EQ(nameForTerminal("\xC5lborg\x80"), "\xC3\x85lborg\xE2\x82\xAC");
    EXPECT_EQ(nameForTerminal("a\nb\x7F\x81\x9D\x9F"), "a\\x0Ab\\x7F\\x81\\x9D\xC5\xB8");
    EXPECT_EQ(escapedName("a\r\x8D\xE9"), "a\\x0D\\x8D\xE9");
    EXPECT_EQ(nameForTerminal("abcdef", 3), "abc...");
    EXPECT_EQ(nameForTerminal("abc", 3), "abc");

    const std::string longName(300, 'n');
    EXPECT_EQ(quotedName(longName), '"' + std::string(80, 'n') + "...\"");
    std::string longText;
    for (int i = 0; i < 100; ++i) longText += "\xC3\x85";
    std::string first80;
    for (int i = 0; i < 80; ++i) first80 += "\xC3\x85";
    EXPECT_EQ(quotedText(longText), '"' + first80 + "...\"");
    EXPECT_EQ(quotedText("tab\there"), "\"tab\\x09here\"");
}

}  // namespace
}  // namespace d7
