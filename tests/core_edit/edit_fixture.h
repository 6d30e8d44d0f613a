// A map set in memory for the editing tests: every map zeroed, map 5 current
// (map file 2, record 1, so that no offset is zero) and painted as grassland
// of domain 1 through the cell writers, a seeded generator and a recording
// cell sink. expectConsistent() checks what every edit must keep true.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "core/analysis/analyse_map.h"
#include "core/edit/cell_writer.h"
#include "core/edit/feature_codes.h"
#include "core/model/map_access.h"

namespace d7::test {

struct RecordingSink : CellSink {
    void cellChanged(int x, int y) override { cells.push_back({x, y}); }
    void buildingPieceChanged(int x, int y, std::uint8_t bits) override {
        pieces.push_back({{x, y}, bits});
    }
    void mapChanged() override { ++mapRedraws; }
    std::vector<Point> cells;
    std::vector<std::pair<Point, std::uint8_t>> pieces;
    int mapRedraws = 0;
};

// The feature code a cell's planes call for; -1 where either mountain code
// fits (tiles 16..19 on parts 0..3 are a 2 x 2 mountain of type 4 or the 3 x 3).
inline int expectedFeatureCode(const WorkingPlanes& p, int x, int y) {
    const int m0 = p.M0.at(x, y), m1 = p.M1.at(x, y), m2 = p.M2.at(x, y), m4 = p.M4.at(x, y);
    if (m0 == flags::kSea) return feature::kSea;
    if (m0 == 0 && m1 == tileset::kBase && m2 < 6) return 0;  // black (unset) land
    if (m0 & flags::kTown) return m4 ? feature::kMarkerBase + m4 : feature::kTown;
    if ((m0 & flags::kBuilding) && (m1 & 0x0C) != 0x0C)
        return m4 ? feature::kMarkerBase + m4 : feature::kCastle;
    if (m0 & flags::kBuilding)
        return m2 == 0 ? feature::kQuarry : m2 == 20 ? feature::kLumber : feature::kMine;
    if (m0 & flags::kVillage) return feature::kVillage;
    if ((m0 & flags::kUnpassable) && m1 == tileset::kRoad) return feature::kForest;
    if (m0 & flags::kUnpassable)
        return m2 < 16 ? feature::kMountain2x2 : p.M3.at(x, y) > 3 ? feature::kMountain3x3 : -1;
    if (m0 & flags::kField) return feature::kField;
    return (m0 & flags::kRoad) ? feature::kRoad : feature::kGrass;
}

inline bool between(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

class EditTest : public ::testing::Test {
  protected:
    static constexpr int kMap = 5;

    void SetUp() override {
        st->mapStore.assign(kMapStoreSize, 0);
        for (int f = 1; f <= kMapFileCount; ++f)
            st->extStreams[std::size_t(f)].assign(kMapFileSize, 0);
        selectMap(*st, kMap);
        st->rng.reseed(7);
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) put(x, y, 0, 0, 6, feature::kGrass, 1);
        AnalyseMap(*st);
        st->extChanged.fill(false);
        st->sink = &sink;
    }

    // Test maps are built through setCell too.
    void put(int x, int y, int flags, int tileset, int tile, int code, int domain = kKeepDomain) {
        setCell(*st, kMap, x, y,
                {.flags = flags, .tileset = tileset, .tile = tile, .domain = domain, .code = code});
    }
    void sea(int x, int y) { put(x, y, flags::kSea, 0, 22, feature::kSea, 0); }
    void road(int x, int y, int tile = 0) { put(x, y, flags::kRoad, 8, tile, feature::kRoad); }
    void forest(int x, int y) { put(x, y, flags::kUnpassable, 8, 30, feature::kForest); }
    // Domain d on a rectangle, cells otherwise unchanged; then the analysis
    // pass, as after any command.
    void domainRect(int x0, int y0, int x1, int y1, int d) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                storeBlockByte(*st, std::uint8_t(d), x, y, 5, kMap);
                extByte(*st, std::uint8_t(d), x, y, kExt3, kMap);
                st->planes.M5.at(x, y) = st->planes.Ext3.at(x, y) = std::uint8_t(d);
            }
        AnalyseMap(*st);
    }

    std::uint8_t storeByte(int plane, int x, int y) const {
        return st->mapStore[blockOffset(kMap) + std::size_t(plane * kCellCount + y * kGrid + x)];
    }
    std::uint8_t recordByte(int offset, int x, int y) const {
        return st->extStreams[2][extRecordOffset(kMap) + std::size_t(offset + y * kGrid + x)];
    }

    // The working planes, the map store and the Extstream agree cell for
    // cell, Ext3 is M5, and every Ext4 code is the one the planes call for.
    void expectConsistent() const {
        const WorkingPlanes& p = st->planes;
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                bool same = p.Ext3.at(x, y) == recordByte(kExt3Offset, x, y) &&
                            p.Ext4.at(x, y) == recordByte(kExt4Offset, x, y) &&
                            p.Ext3.at(x, y) == p.M5.at(x, y);
                for (int plane = 0; plane < 6; ++plane)
                    same = same && p.cellPlane(plane).at(x, y) == storeByte(plane, x, y);
                ASSERT_TRUE(same) << "planes of (" << x << ", " << y << ") disagree";
                const int want = expectedFeatureCode(p, x, y), code = p.Ext4.at(x, y);
                ASSERT_TRUE(want >= 0 ? code == want : code == 32 || code == 40)
                    << "Ext4 of (" << x << ", " << y << ") is " << code << ", M0 "
                    << int(p.M0.at(x, y));
            }
    }

    std::unique_ptr<EditorState> st = makeEditorState();
    RecordingSink sink;
};

}  // namespace d7::test
