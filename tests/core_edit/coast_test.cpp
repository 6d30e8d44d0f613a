#include <gtest/gtest.h>

#include "core/edit/coast.h"
#include "edit_fixture.h"

namespace d7::test {
namespace {

class Coast : public EditTest {
  protected:
    void SetUp() override {
        EditTest::SetUp();
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) sea(x, y);
    }
    void land(int x, int y) { put(x, y, 0, 0, 6, feature::kGrass, 1); }
};

TEST_F(Coast, NeighbourhoodsGiveTheirCoastGroups) {
    struct Case {
        const char* pattern;  // land ('1') around (30, 30), row above first
        int group;
    };
    // clang-format off
    const Case cases[] = {
        {"000" "000" "000", 22}, {"010" "000" "000", 38}, {"000" "001" "000", 42},
        {"000" "000" "010", 46}, {"000" "100" "000", 50}, {"100" "000" "000", 100},
        {"001" "000" "000", 104}, {"000" "000" "100", 96}, {"000" "000" "001", 108},
        {"101" "000" "101", 122}, {"100" "000" "100", 112}, {"010" "101" "010", 78},
        {"010" "000" "010", 54}, {"000" "101" "000", 56}, {"110" "001" "110", 75},
        {"011" "101" "000", 74}, {"000" "101" "011", 76}, {"010" "100" "010", 77},
        {"111" "001" "000", 58}, {"001" "001" "111", 62}, {"100" "100" "111", 66},
        {"111" "100" "100", 70}, {"010" "000" "001", 80}, {"010" "000" "100", 81},
        {"010" "000" "101", 82}, {"000" "001" "100", 83}, {"100" "001" "000", 84},
        {"100" "001" "100", 85}, {"100" "000" "010", 86}, {"001" "000" "010", 87},
        {"101" "000" "010", 86}, {"001" "100" "000", 89}, {"000" "100" "001", 90},
        {"001" "100" "001", 89}, {"010" "001" "100", 92}, {"100" "001" "010", 93},
        {"001" "100" "010", 94}, {"010" "100" "001", 95}, {"111" "101" "111", 78},
    };
    // clang-format on
    for (const Case& c : cases) {
        for (int k = 0; k < 9; ++k)
            if (c.pattern[k] == '1')
                land(29 + k % 3, 29 + k / 3);
            else
                sea(29 + k % 3, 29 + k / 3);
        EXPECT_EQ(coastTileFor(st->planes, 30, 30), c.group) << c.pattern;
    }
    EXPECT_EQ(coastTileFor(st->planes, 29, 29), -1);  // land
}

TEST_F(Coast, TheMapEdgeReadsTheCentresOwnRowAndColumn) {
    for (auto [x, y] : {std::pair{0, 0}, {63, 0}, {0, 63}, {63, 63}, {0, 30}})
        EXPECT_EQ(coastTileFor(st->planes, x, y), 22) << x << ", " << y;
    land(0, 11);
    EXPECT_EQ(coastTileFor(st->planes, 0, 10), 46);  // below-left reads (0, 11)
    land(1, 9);
    EXPECT_EQ(coastTileFor(st->planes, 0, 10), 87);
}

TEST_F(Coast, CreateCoastRetilesEverySeaCellWithoutUndo) {
    for (int y = 20; y < 30; ++y)
        for (int x = 20; x < 30; ++x) land(x, y);
    sink.cells.clear();
    createCoast(*st);
    EXPECT_FALSE(st->undoValid);
    EXPECT_EQ(sink.mapRedraws, 1);
    EXPECT_TRUE(sink.cells.empty());
    EXPECT_TRUE(between(st->planes.M2.at(25, 19), 46, 49));  // land below
    EXPECT_EQ(st->planes.M2.at(25, 25), 6);
    bool sawLast = false;  // open sea gets a fresh variant 22..37
    for (int x = 0; x < 64; ++x) {
        EXPECT_TRUE(between(st->planes.M2.at(x, 0), 22, 37));
        sawLast |= st->planes.M2.at(x, 0) == 37 || st->planes.M2.at(x, 63) == 37;
    }
    EXPECT_TRUE(sawLast);
    expectConsistent();
}

}  // namespace
}  // namespace d7::test
