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
#include "core/model/editor_state.h"
#include "core/model/map_access.h"

namespace d7::test {

struct RecordingSink : CellSink {
    void cellChanged(int x, int y) override { cells.push_back({x, y}); }
    void buildingPieceChanged(int x, int y, std::uint8_t bits) override {
        pieces.push_back({{x, y}, bits});
    }
    void mapChanged() override { ++mapRedraws; }
    void clear() {
        cells.clear();
        pieces.clear();
        mapRedraws = 0;
    }
    std::vector<Point> cells;
    std::vector<std::pair<Point, std::uint8_t>> pieces;
    int mapRedraws = 0;
};

// The feature code the cell's planes call for, as placement writes it; -1
// where two codes are possible (mountain tiles 16..19 on parts 0..3 belong to
// a 2 x 2 mountain of type 4 or to the 3 x 3 mountain).
inline int expectedFeatureCode(const WorkingPlanes& p, int x, int y) {
    const int m0 = p.M0.at(x, y), m1 = p.M1.at(x, y), m2 = p.M2.at(x, y);
    const int m3 = p.M3.at(x, y), m4 = p.M4.at(x, y);
    if (m0 == flags::kSea) return feature::kSea;
    if (m0 & flags::kTown) return m4 ? feature::kMarkerBase + m4 : feature::kTown;
    if (m0 & flags::kBuilding) {
        if ((m1 & 0x0C) != 0x0C) return m4 ? feature::kMarkerBase + m4 : feature::kCastle;
        return m2 == resource::kQuarryTile   ? feature::kQuarry
               : m2 == resource::kLumberTile ? feature::kLumber
                                             : feature::kMine;
    }
    if (m0 & flags::kVillage) return feature::kVillage;
    if (m0 & flags::kUnpassable) {
        if (m1 == tileset::kRoad) return feature::kForest;
        if (m2 < 16) return feature::kMountain2x2;
        return m3 > 3 ? feature::kMountain3x3 : -1;
    }
    if (m0 & flags::kField) return feature::kField;
    if (m0 & flags::kRoad) return feature::kRoad;
    return feature::kGrass;
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
            for (int x = 0; x < kGrid; ++x) grass(x, y, 1);
        AnalyseMap(*st);
        st->extChanged.fill(false);
        st->sink = &sink;
    }

    // Cell writes for building a test map; they go through setCell.
    void grass(int x, int y, int domain, int tile = 6) {
        setCell(
            *st, kMap, x, y,
            {.flags = 0, .tileset = 0, .tile = tile, .domain = domain, .code = feature::kGrass});
    }
    void sea(int x, int y) {
        setCell(
            *st, kMap, x, y,
            {.flags = flags::kSea, .tileset = 0, .tile = 22, .domain = 0, .code = feature::kSea});
    }
    void road(int x, int y, int tile = 0) {
        setCell(*st, kMap, x, y,
                {.flags = flags::kRoad, .tileset = 8, .tile = tile, .code = feature::kRoad});
    }
    void forest(int x, int y) {
        setCell(*st, kMap, x, y,
                {.flags = flags::kUnpassable, .tileset = 8, .tile = 30, .code = feature::kForest});
    }
    void field(int x, int y) {
        setCell(*st, kMap, x, y,
                {.flags = flags::kField, .tileset = 8, .tile = 80, .code = feature::kField});
    }
    void domainRect(int x0, int y0, int x1, int y1, int domain) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                setCell(*st, kMap, x, y,
                        {.flags = st->planes.M0.at(x, y),
                         .tileset = st->planes.M1.at(x, y),
                         .tile = st->planes.M2.at(x, y),
                         .part = st->planes.M3.at(x, y),
                         .marker = st->planes.M4.at(x, y),
                         .domain = domain,
                         .code = st->planes.Ext4.at(x, y)});
        AnalyseMap(*st);  // edits read the tables as the latest command left them
    }

    std::uint8_t storeByte(int plane, int x, int y) const {
        return st->mapStore[blockOffset(kMap) + std::size_t(plane) * kCellCount +
                            std::size_t(y) * kGrid + std::size_t(x)];
    }
    std::uint8_t recordByte(int offset, int x, int y) const {
        return st
            ->extStreams[std::size_t(fileOfMap(kMap))][extRecordOffset(kMap) + std::size_t(offset) +
                                                       std::size_t(y) * kGrid + std::size_t(x)];
    }

    // The working planes, the map store and the Extstream agree cell for
    // cell, and every Ext4 code is the one the cell's planes call for.
    void expectConsistent() const {
        const WorkingPlanes& p = st->planes;
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                for (int plane = 0; plane < 6; ++plane)
                    if (p.cellPlane(plane).at(x, y) != storeByte(plane, x, y)) {
                        ADD_FAILURE() << "M" << plane << " of (" << x << ", " << y
                                      << ") differs from the map store";
                        return;
                    }
                if (p.Ext3.at(x, y) != recordByte(kExt3Offset, x, y) ||
                    p.Ext4.at(x, y) != recordByte(kExt4Offset, x, y)) {
                    ADD_FAILURE() << "Ext3/Ext4 of (" << x << ", " << y
                                  << ") differ from the Extstream";
                    return;
                }
                if (p.Ext3.at(x, y) != p.M5.at(x, y)) {
                    ADD_FAILURE() << "Ext3 of (" << x << ", " << y << ") is not M5";
                    return;
                }
                const int code = expectedFeatureCode(p, x, y);
                const int got = p.Ext4.at(x, y);
                if (code >= 0 ? got != code
                              : got != feature::kMountain2x2 && got != feature::kMountain3x3) {
                    ADD_FAILURE() << "Ext4 of (" << x << ", " << y << ") is " << got
                                  << ", expected " << code << " (M0 " << int(p.M0.at(x, y)) << ")";
                    return;
                }
            }
    }

    std::unique_ptr<EditorState> st = makeEditorState();
    RecordingSink sink;
};

}  // namespace d7::test
