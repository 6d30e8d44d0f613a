#include <gtest/gtest.h>

#include <functional>

#include "core/edit/area_copy.h"
#include "core/edit/area_rect.h"
#include "core/edit/geometry.h"
#include "core/edit/placement.h"
#include "core/edit/tile_groups.h"
#include "core/edit/whole_map.h"
#include "core/model/undo.h"
#include "edit_fixture.h"

namespace d7::test {
namespace {

class AreaOps : public EditTest {
  protected:
    void building(int x, int y, int tile) {
        placeTile(*st, prompt, x, y, tile, 2, TileKind::Buildings);
    }
    // A piece of a 2 x 2 or 3 x 3 object, written as placement would.
    void piece(int x, int y, int flags, int tileset, int tile, int part, int code) {
        setCell(*st, kMap, x, y,
                {.flags = flags, .tileset = tileset, .tile = tile, .part = part, .code = code});
    }
    Bytes image() const {
        Bytes b(kMapImageSize);
        readMapImage(*st, kMap, b.data());
        return b;
    }
    int m(int plane, int x, int y) const { return st->planes.cellPlane(plane).at(x, y); }
    ScriptedPrompt prompt;
};

TEST_F(AreaOps, CopyCutsBuildingsAtTheEdgeAndPasteCarriesNoMarkers) {
    building(10, 10, building::kCastle);
    building(20, 10, building::kTown);
    setMarker(*st, kMap, 3, 11, 10);          // a starting position
    setMarker(*st, kMap, 2, 21, 11);          // a trader
    copyArea(*st, CellRect{13, 11, 11, 10});  // corners in any order: the castle's right half
    EXPECT_EQ(st->clipboard.rect, (CellRect{11, 10, 13, 11}));
    EXPECT_EQ(st->clipboard.M0.at(11, 10), 0);
    EXPECT_EQ(st->clipboard.Ext4.at(11, 11), feature::kGrass);
    pasteArea(*st, 40, 40, st->clipboard);
    EXPECT_FALSE(isCastle(st->planes, 40, 40));
    EXPECT_EQ(sink.mapRedraws, 1);

    copyArea(*st, CellRect{10, 10, 21, 11});
    pasteArea(*st, 10, 30, st->clipboard);
    for (int part = 0; part < 4; ++part) {
        const int dx = part % 2, dy = part / 2;
        EXPECT_EQ(m(3, 10 + dx, 30 + dy), part);
        EXPECT_EQ(st->planes.Ext4.at(10 + dx, 30 + dy), feature::kCastle);
        EXPECT_EQ(st->planes.Ext4.at(20 + dx, 30 + dy), feature::kTown);
        EXPECT_EQ(m(4, 10 + dx, 30 + dy) + m(4, 20 + dx, 30 + dy), 0);
    }
    expectConsistent();

    // A cut town becomes grassland; a block that is town and castle at once
    // pastes with marker 0 rather than code - 25 (which would be negative).
    copyArea(*st, CellRect{21, 10, 22, 11});
    EXPECT_EQ(st->clipboard.M0.at(21, 10), 0);
    EXPECT_TRUE(between(st->clipboard.M2.at(21, 10), 6, 20));
    for (int part = 0; part < 4; ++part)
        piece(50 + part % 2, 50 + part / 2, 0xC0, 0, part, part, feature::kTown);
    copyArea(*st, CellRect{50, 50, 51, 51});
    EXPECT_EQ(st->clipboard.Ext4.at(50, 50), feature::kCastle);
    pasteArea(*st, 5, 50, st->clipboard);
    EXPECT_EQ(m(4, 5, 50), 0);
    EXPECT_EQ(storeByte(4, 5, 50), 0);
    EXPECT_EQ(recordByte(kExt4Offset, 5, 50), feature::kCastle);
}

TEST_F(AreaOps, TransformTurnsTheRectangleAndThePiecesOfEveryObject) {
    copyArea(*st, CellRect{10, 20, 12, 21});
    transformArea(*st, AreaTransform::Rotate90);
    EXPECT_EQ(st->transformed.rect, (CellRect{42, 10, 43, 12}));
    EXPECT_EQ(st->transformed.width, 2);
    EXPECT_EQ(st->transformed.height, 3);

    building(30, 30, building::kCastle);
    copyArea(*st, CellRect{30, 30, 31, 31});
    transformArea(*st, AreaTransform::Rotate180);
    for (int part = 0; part < 4; ++part)
        EXPECT_EQ(st->transformed.M3.at(33 - part % 2, 33 - part / 2), 3 - part);

    // A 3 x 3 mountain turned by 90°: cell (i, j) goes to (2 - j, i) of the block.
    placeTile(*st, prompt, 40, 40, kMountain3x3Index, 3, TileKind::Mountains);
    building(44, 40, building::kTown);
    placeTile(*st, prompt, 40, 44, 1, 2, TileKind::Mountains);
    piece(46, 40, flags::kBuilding, 0, 6, 7, feature::kCastle);  // a part outside its block
    copyArea(*st, CellRect{40, 40, 46, 45});
    transformArea(*st, AreaTransform::Rotate90);
    const AreaBuffer& t = st->transformed;
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) {
            const int x = 63 - (40 + j), y = 40 + i, part = (2 - j) + 3 * i;
            EXPECT_EQ(t.M3.at(x, y), part);
            EXPECT_EQ(t.M2.at(x, y), kMountain3x3Tiles[std::size_t(part)]);
        }
    for (int part = 0; part < 4; ++part) {
        const int x = 63 - (40 + part / 2), y = 44 + part % 2;
        const int want = (1 - part / 2) + 2 * (part % 2);
        EXPECT_EQ(t.M3.at(x, y), want);
        EXPECT_EQ(t.M2.at(x, y), kTownPartTiles[std::size_t(want)]);
        EXPECT_EQ(t.M2.at(63 - (44 + part / 2), 40 + part % 2),
                  4 + kMountain2x2PartTiles[std::size_t(want)]);
    }
    EXPECT_EQ(t.M3.at(63 - 40, 46), 7);
    EXPECT_EQ(t.M2.at(63 - 40, 46), 6);

    // Mirrors keep the size; an empty clipboard gives an empty buffer.
    transformArea(*st, AreaTransform::MirrorX);
    EXPECT_EQ(st->transformed.rect, (CellRect{40, 18, 46, 23}));
    pasteSpecial(*st, 10, 10, st->transformed);
    expectConsistent();
    st->clipboard.clear();
    transformArea(*st, AreaTransform::MirrorY);
    EXPECT_FALSE(st->transformed.valid);
}

TEST_F(AreaOps, PasteFitsAndPasteSpecialJoinsRoadsCoastAndBorders) {
    copyArea(*st, CellRect{0, 0, 3, 1});
    EXPECT_FALSE(pasteAreaFits(st->clipboard, 60, 0));
    EXPECT_TRUE(pasteAreaFits(st->clipboard, 59, 0));
    EXPECT_TRUE(areaFits(st->clipboard, 60, 62));
    EXPECT_FALSE(areaFits(st->clipboard, 60, 63));

    for (int x = 5; x <= 7; ++x) road(x, 5, 0);
    sea(8, 5);
    road(19, 20);
    domainRect(20, 19, 21, 19, 2);
    for (auto [x, y] :
         {std::pair{22, 19}, {23, 19}, {24, 19}, {24, 20}, {22, 21}, {23, 21}, {24, 21}})
        sea(x, y);
    copyArea(*st, CellRect{5, 5, 8, 5});
    pasteSpecial(*st, 20, 20, st->clipboard);
    EXPECT_EQ(m(2, 19, 20) / 4 * 4, 4);                      // the road beside the area is joined
    EXPECT_EQ(m(0, 21, 20), flags::kRoad | flags::kBorder);  // domain 2 above
    EXPECT_EQ(m(2, 21, 20), 49);
    EXPECT_TRUE(between(m(2, 23, 20), 50, 53));  // sea with land on its left only
    expectConsistent();

    st->undoValid = false;
    pasteSpecial(*st, 0, 0, AreaBuffer{});
    EXPECT_FALSE(st->undoValid);
}

TEST_F(AreaOps, RectangleCommands) {
    fillRect(*st, FillKind::Forest, CellRect{12, 12, 10, 10});
    EXPECT_TRUE(isForest(st->planes, 10, 12) && isForest(st->planes, 12, 10));
    EXPECT_FALSE(isForest(st->planes, 13, 10));
    EXPECT_GE(sink.cells.size(), 9u);

    domainRect(0, 0, 1, 0, 3);
    sea(2, 0);
    blackRect(*st, CellRect{0, 0, 3, 0});
    EXPECT_EQ(m(0, 2, 0) + m(2, 0, 0) + m(1, 3, 0), 0);
    EXPECT_EQ(m(5, 0, 0), 3);
    setDomainRect(*st, kNoDomain, false, CellRect{0, 0, 3, 1});  // "Set to No Domain"
    EXPECT_EQ(m(5, 0, 0), 3);
    EXPECT_EQ(m(5, 3, 1), 1);
    setDomainRect(*st, 5, true, CellRect{0, 0, 3, 0});
    EXPECT_EQ(m(5, 1, 0), 5);
    EXPECT_EQ(m(5, 2, 0), 5);  // the black cell became grassland of domain 5
    EXPECT_TRUE(between(m(2, 2, 0), 6, 20));
    sea(4, 0);
    setDomainRect(*st, 7, true, CellRect{4, 0, 4, 0});
    EXPECT_EQ(m(5, 4, 0), 0);

    // A road line joins the roads beside it; a line of one cell is a straight piece.
    road(30, 29);
    EXPECT_TRUE(setRoadLine(*st, CellRect{33, 30, 30, 30}));
    EXPECT_EQ(m(2, 31, 30) / 4 * 4, 4);
    EXPECT_EQ(m(2, 30, 30) / 4 * 4, 8);
    EXPECT_EQ(m(2, 30, 29) / 4 * 4, 0);
    EXPECT_TRUE(setRoadLine(*st, CellRect{50, 50, 50, 50}));
    EXPECT_EQ(storeByte(0, 50, 50), flags::kRoad);
    EXPECT_EQ(storeByte(1, 50, 50), tileset::kRoad);
    EXPECT_TRUE(between(storeByte(2, 50, 50), 0, 3));
    EXPECT_FALSE(setRoadLine(*st, CellRect{0, 0, 1, 1}));
    removeRoadsRect(*st, CellRect{30, 29, 31, 30});
    EXPECT_FALSE(isRoad(st->planes, 30, 29) || isRoad(st->planes, 31, 30));
    EXPECT_TRUE(isRoad(st->planes, 32, 30));
    expectConsistent();
}

TEST_F(AreaOps, WholeMapCommandsAndShifts) {
    fillMap(*st, FillKind::Sea);
    EXPECT_EQ(m(0, 63, 63), flags::kSea);
    EXPECT_EQ(m(5, 0, 0), 0);
    blackRect(*st, CellRect{0, 0, 1, 0});
    fillBlack(*st, FillKind::Grass);
    EXPECT_EQ(m(0, 0, 0), 0);
    EXPECT_EQ(m(0, 2, 0), flags::kSea);
    setLandWithoutDomain(*st);
    EXPECT_EQ(m(5, 1, 0), kLandWithoutDomain);
    EXPECT_EQ(m(5, 2, 0), 0);
    expectConsistent();

    fillMap(*st, FillKind::Grass);
    domainRect(0, 0, 63, 63, 1);
    for (const char* bad : {"0", "64", "ten", ""})
        EXPECT_FALSE(shiftMap(*st, prompt, readShiftDistance(bad), ShiftDirection::XPlus)) << bad;
    EXPECT_EQ(prompt.messages.back(),
              (std::pair<std::string, std::string>{"Warning", "Only positive values<64!"}));
    EXPECT_EQ(readShiftDistance(" 12 "), 12);

    // Y-: rows 54..63 come from beyond the edge. A castle at rows 10..11 is
    // cut by the far edge (row 0) after a shift by 11: its lower half goes.
    building(20, 10, building::kCastle);
    setMarker(*st, kMap, 4, 21, 10);
    ASSERT_TRUE(shiftMap(*st, prompt, 10, ShiftDirection::YMinus));
    for (int x = 0; x < kGrid; ++x)
        for (int y = 54; y < kGrid; ++y) ASSERT_EQ(m(0, x, y) + m(2, x, y) + m(5, x, y), 0);
    EXPECT_EQ(m(4, 21, 0), 4);  // the starting position moved with its castle
    ASSERT_TRUE(shiftMap(*st, prompt, 1, ShiftDirection::YMinus));
    EXPECT_FALSE(isCastle(st->planes, 20, 0) || isCastle(st->planes, 21, 0));

    // X+ by 11: columns 0..10 are empty; a 3 x 3 mountain whose last column
    // went over the far edge loses the pieces left of it, one that ends at
    // the edge keeps all nine.
    placeTile(*st, prompt, 51, 30, kMountain3x3Index, 3, TileKind::Mountains);
    placeTile(*st, prompt, 50, 40, kMountain3x3Index, 3, TileKind::Mountains);
    ASSERT_TRUE(shiftMap(*st, prompt, 11, ShiftDirection::XPlus));
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x <= 10; ++x) ASSERT_EQ(m(0, x, y) + m(1, x, y) + m(5, x, y), 0);
    for (int y = 30; y <= 32; ++y)
        EXPECT_FALSE(isMountain(st->planes, 62, y) || isMountain(st->planes, 63, y)) << y;
    for (int y = 40; y <= 42; ++y)
        for (int x = 61; x <= 63; ++x) EXPECT_TRUE(isMountain(st->planes, x, y)) << x << " " << y;
    expectConsistent();
}

// Every command that takes an undo snapshot can be undone to the byte.
TEST_F(AreaOps, UndoRestoresTheMapImageAfterEveryCommand) {
    building(10, 10, building::kCastle);
    building(20, 20, building::kTown);
    for (int x = 5; x <= 9; ++x) road(x, 30);
    sea(40, 40);
    domainRect(0, 63, 5, 63, kNoDomain);
    put(0, 62, 0, 0, 0, 0);  // black
    copyArea(*st, CellRect{9, 9, 21, 21});
    transformArea(*st, AreaTransform::Rotate270);
    const std::vector<std::function<void()>> commands = {
        [&] { pasteArea(*st, 30, 30, st->clipboard); },
        [&] { pasteSpecial(*st, 1, 40, st->transformed); },
        [&] {
            fillRect(*st, FillKind::Sea, CellRect{0, 0, 11, 11});
        },
        [&] {
            blackRect(*st, CellRect{0, 0, 11, 11});
        },
        [&] {
            setDomainRect(*st, 9, true, CellRect{0, 0, 63, 63});
        },
        [&] {
            removeRoadsRect(*st, CellRect{0, 30, 63, 30});
        },
        [&] {
            setRoadLine(*st, CellRect{10, 5, 10, 40});
        },
        [&] { fillMap(*st, FillKind::Grass); },
        [&] { fillBlack(*st, FillKind::Sea); },
        [&] { setLandWithoutDomain(*st); },
        [&] { shiftMap(*st, prompt, 7, ShiftDirection::YPlus); },
        [&] { shiftMap(*st, prompt, 7, ShiftDirection::XMinus); },
    };
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const Bytes before = image();
        commands[i]();
        expectConsistent();
        ASSERT_NE(image(), before) << i;
        undoLastEdit(*st);
        ASSERT_EQ(image(), before) << i;
    }
}

}  // namespace
}  // namespace d7::test
