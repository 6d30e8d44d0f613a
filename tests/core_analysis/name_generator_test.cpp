#include <gtest/gtest.h>

#include <set>

#include "core/analysis/name_generator.h"

namespace d7 {
namespace {

TEST(NameGenerator, ReadsSectionsAndLengthLimits) {
    NameGenerator g;
    g.load(
        "ignored before any header\n"
        "[Prefixes]\r\n"
        "  Ash  \r\n"
        "Elevenchars\n"  // 11 characters: too long
        "TenCharsOk\n"
        "\n"
        "[Infixes]\n"
        "an \n"  // kept with its blank
        "long\n"
        "[prefixes]\n"  // headers are case-sensitive: this is a word of the infixes? no, too long
        "[Suffixes]\n"
        "ford\n");
    EXPECT_EQ(g.prefixes(), (std::vector<std::string>{"Ash", "TenCharsOk"}));
    EXPECT_EQ(g.infixes(), (std::vector<std::string>{"an "}));
    EXPECT_EQ(g.suffixes(), (std::vector<std::string>{"ford"}));
    EXPECT_TRUE(g.namesAvailable());

    NameGenerator onlyPrefixes;
    onlyPrefixes.load("[Prefixes]\nAsh\n");
    EXPECT_FALSE(onlyPrefixes.namesAvailable());
    NameGenerator empty;
    empty.load("");
    EXPECT_FALSE(empty.namesAvailable());
}

TEST(NameGenerator, ComposesEveryCombination) {
    NameGenerator g;
    g.load("[Prefixes]\nAsh\nBram\n[Suffixes]\nford\n");
    Random rng(5);
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        g.drawAll(rng);
        auto name = g.compose(NameGenerator::kAll, rng);
        ASSERT_TRUE(name);
        seen.insert(*name);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"Ashford", "Bramford"}));
}

TEST(NameGenerator, SemicolonBreaksWords) {
    NameGenerator g;
    g.load("[Prefixes]\nHay\n[Suffixes]\nton;hill\n");
    Random rng(1);
    g.drawPrefix(rng);
    g.drawSuffix(rng);
    EXPECT_EQ(g.compose(NameGenerator::kSuffix, rng), "Hayton Hill");
}

TEST(NameGenerator, EqualPrefixAndSuffixAreNeverCombined) {
    NameGenerator g;
    g.load("[Prefixes]\nFord\n[Suffixes]\nford\nham\n");
    Random rng(3);
    for (int i = 0; i < 50; ++i) {
        g.drawAll(rng);
        EXPECT_EQ(g.compose(NameGenerator::kAll, rng), "Fordham");
    }
    // Only one pair, and it is equal: the redrawing still ends.
    NameGenerator stuck;
    stuck.load("[Prefixes]\nOak\n[Suffixes]\noak\n");
    stuck.drawAll(rng);
    EXPECT_TRUE(stuck.compose(NameGenerator::kInfix, rng).has_value());
}

TEST(NameGenerator, EmptyInfixListGivesNoInfix) {
    NameGenerator g;
    g.load("[Prefixes]\nA\n[Suffixes]\nb\n");
    Random rng(9);
    for (int i = 0; i < 50; ++i) {
        g.drawInfix(rng);
        EXPECT_EQ(g.infix(), "");
    }
}

TEST(NameGenerator, TooLongNamesDropTheInfix) {
    NameGenerator g;
    g.load("[Prefixes]\nAbcdefghij\n[Infixes]\nxyz\n[Suffixes]\nKlmnopqrst\n");
    Random rng(2);
    // 10 + 3 + 10 letters with the infix; 20 without it.
    for (int i = 0; i < 20; ++i) {
        g.drawAll(rng);
        auto name = g.compose(NameGenerator::kAll, rng);
        ASSERT_TRUE(name);
        EXPECT_EQ(name->size(), 20u);
    }
    NameGenerator tooLong;
    tooLong.load("[Prefixes]\nAbcdefghij\n[Suffixes]\nk;lmnopqrs\n");
    tooLong.drawAll(rng);
    EXPECT_EQ(tooLong.compose(NameGenerator::kAll, rng), "Abcdefghijk Lmnopqrs");
}

TEST(NameGenerator, UpperCaseCoversWesternLetters) {
    EXPECT_EQ(upperCase1252('a'), 'A');
    EXPECT_EQ(upperCase1252('\xE9'), '\xC9');
    EXPECT_EQ(upperCase1252('\xF7'), '\xF7');
    EXPECT_TRUE(equalsIgnoringCase1252("\xC9toile", "\xE9TOILE"));
}

}  // namespace
}  // namespace d7
