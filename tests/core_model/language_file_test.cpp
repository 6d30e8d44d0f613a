#include <gtest/gtest.h>

#include "core/model/language_file.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

using Names = std::vector<std::string>;

std::uint32_t offsetOf(const Bytes& f, int k) {
    std::size_t at = 12 + 4 * std::size_t(k);
    return std::uint32_t(f[at]) | std::uint32_t(f[at + 1]) << 8 | std::uint32_t(f[at + 2]) << 16 |
           std::uint32_t(f[at + 3]) << 24;
}

void setOffset(Bytes& f, int k, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        f[12 + 4 * std::size_t(k) + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

TEST(LanguageFile, ReadsTheThreeNameEntries) {
    Bytes f = test::makeLanguageFile({"T1", "T2"}, {"Land", "A", "B"}, {"Isle", "Coast"});
    EXPECT_EQ(readNameEntry(f, 4), (Names{"T1", "T2"}));
    EXPECT_EQ(readNameEntry(f, 99), (Names{"Land", "A", "B"}));
    EXPECT_EQ(readNameEntry(f, 100), (Names{"Isle", "Coast"}));
    EXPECT_EQ(readNameEntry(f, 7), Names{"text 7"});
}

TEST(LanguageFile, LongerEntryShiftsOnlyLaterOffsets) {
    Bytes f = test::makeDefaultLanguageFile();
    Bytes before = f;
    Names maps = readNameEntry(f, 100);
    maps[0] += "x";  // one byte longer
    writeNameEntry(f, 100, maps);

    ASSERT_EQ(f.size(), before.size() + 1);
    for (int k = 0; k <= 100; ++k) EXPECT_EQ(offsetOf(f, k), offsetOf(before, k)) << k;
    for (int k = 101; k < 320; ++k) EXPECT_EQ(offsetOf(f, k), offsetOf(before, k) + 1) << k;
    // Header, the end value after the table and the texts before entry 100 are untouched.
    EXPECT_TRUE(std::equal(f.begin(), f.begin() + 12, before.begin()));
    EXPECT_TRUE(
        std::equal(f.begin() + 1292, f.begin() + offsetOf(before, 100), before.begin() + 1292));
    // The texts after entry 100 moved by one byte, unchanged.
    EXPECT_TRUE(
        std::equal(f.begin() + offsetOf(f, 101), f.end(), before.begin() + offsetOf(before, 101)));
    EXPECT_EQ(readNameEntry(f, 100), maps);
    EXPECT_EQ(readNameEntry(f, 101), Names{"text 101"});
}

TEST(LanguageFile, BytesBetweenTableAndFirstTextArePreserved) {
    Bytes f = test::makeDefaultLanguageFile();
    // Put a gap of 8 bytes in front of entry 0.
    f.insert(f.begin() + 1296, {1, 2, 3, 4, 5, 6, 7, 8});
    for (int k = 0; k < 320; ++k) setOffset(f, k, offsetOf(f, k) + 8);
    ASSERT_FALSE(languageFileProblem(f));
    writeNameEntry(f, 99, {"only"});
    EXPECT_EQ(Bytes(f.begin() + 1296, f.begin() + 1304), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(readNameEntry(f, 99), Names{"only"});
    EXPECT_EQ(readNameEntry(f, 98), Names{"text 98"});
}

TEST(LanguageFile, QuotedNamesRoundTripThroughTheFile) {
    Bytes f = test::makeDefaultLanguageFile();
    Names maps = readNameEntry(f, 100);
    maps[3] = "The \"Old\" Isle";
    maps[4] = "semi;colon";
    writeNameEntry(f, 100, maps);
    EXPECT_EQ(readNameEntry(f, 100), maps);
}

TEST(LanguageFile, DamagedFilesAreRecognised) {
    Bytes good = test::makeDefaultLanguageFile();
    EXPECT_FALSE(languageFileProblem(good));

    Bytes shortFile(good.begin(), good.begin() + 1000);
    EXPECT_TRUE(languageFileProblem(shortFile));

    Bytes outside = good;
    setOffset(outside, 150, std::uint32_t(good.size() + 1));
    EXPECT_TRUE(languageFileProblem(outside));

    Bytes backwards = good;
    setOffset(backwards, 200, offsetOf(good, 199) - 1);
    EXPECT_TRUE(languageFileProblem(backwards));

    Bytes intoTable = good;
    setOffset(intoTable, 0, 100);
    EXPECT_TRUE(languageFileProblem(intoTable));

    // Reading or writing a damaged image never goes outside it.
    EXPECT_TRUE(readNameEntry(outside, 150).empty());
    Bytes copy = outside;
    writeNameEntry(copy, 99, {"x"});
    EXPECT_EQ(copy, outside);
}

TEST(LanguageFile, StaleEndValueOfLastEntryIsTolerated) {
    // The end value after the table is never adjusted when entries change, so
    // it may lie before entry 319 in files the game has seen.
    Bytes f = test::makeDefaultLanguageFile();
    for (int i = 0; i < 4; ++i) f[1292 + std::size_t(i)] = 0;
    EXPECT_FALSE(languageFileProblem(f));
    EXPECT_TRUE(readNameEntry(f, 319).empty());
    EXPECT_EQ(readNameEntry(f, 100).size(), 60u);
}

}  // namespace
}  // namespace d7
