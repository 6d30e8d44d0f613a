// Where each map lives in the map set, the single-byte writers that keep the
// map store and the Extstreams current, and the selection of the current map.
#pragma once

#include <cstdint>

#include "core/model/editor_state.h"

namespace d7 {

// Map n lives in map file fileOfMap(n) (1..15) as Ext record recordOfMap(n) (0..3).
constexpr int fileOfMap(int n) {
    return n / kMapsPerFile + 1;
}
constexpr int recordOfMap(int n) {
    return n % kMapsPerFile;
}
// Offset of map n's block in the map store, and of its Ext record in its map file.
constexpr std::size_t blockOffset(int n) {
    return std::size_t(n) * kBlockSize;
}
constexpr std::size_t extRecordOffset(int n) {
    return kMapFileHeaderSize + std::size_t(recordOfMap(n)) * kExtRecordSize;
}
constexpr bool isMapNumber(int n) {
    return n >= 0 && n < kMapCount;
}

// Map n's block in the map store and its Ext record in its map file, or null
// when the buffer is too short to hold it (an empty map file, a number off the set).
const std::uint8_t* mapBlock(const MapSet& set, int n);
const std::uint8_t* mapExtRecord(const MapSet& set, int n);

// Ext planes as numbered by extByte: 0 Ext1 .. 4 Ext5.
enum ExtPlane : int { kExt1 = 0, kExt2 = 1, kExt3 = 2, kExt4 = 3, kExt5 = 4 };

// Writes one byte of map n's block (planes 0..5 = M0..M5) in the map store.
// Does not touch the working planes.
void storeBlockByte(EditorState& st, std::uint8_t value, int x, int y, int plane, int n);
// Writes one byte of map n's Outline plane in the map store.
void storeOutlineByte(EditorState& st, std::uint8_t value, int column, int row, int n);
// Marks map n's file changed and writes one byte of its Ext record.
void extByte(EditorState& st, std::uint8_t value, int x, int y, int ext, int n);
// Writes an outside-lands point into the working Ext5 and map n's record, and
// the outline value it implies (22 above 3, else 6) into the working Outline
// and the map store.
void setOutsidePoint(EditorState& st, std::uint8_t value, int column, int row, int n);
// Zeroes map n's block and Ext record. Sets no changed flag.
void clearMap(EditorState& st, int n);
// Copies the working Ext1 (which = 0) or Ext2 (which = 1) into map n's record.
void writeExtPlaneBack(EditorState& st, int n, int which);
// Copies the working Ext5 into map n's record point by point (marks the file changed).
void writeOutsideBack(EditorState& st, int n);
// Copies the working Outline into map n's block.
void writeOutlineBack(EditorState& st, int n);

// Map n's block and Ext record as a map image (block then record; the record
// part is zero when the Extstream is empty).
void readMapImage(const EditorState& st, int n, std::uint8_t* image);

// Makes map n current: clears the undo record, records what changed on the
// map before as a step when the map changes (the history's copy is then taken
// of map n), copies the map into the working
// planes, rebuilds the current domain names, marks every trade route stale
// and runs the analysis pass.
// Numbers outside 0..59 are ignored.
void selectMap(EditorState& st, int n);

// Copies the current map into the working planes again and runs the analysis
// pass (what undo and single-map loading need); keeps the undo record.
void reloadCurrentMap(EditorState& st);

// Domain name slot n*20 + k, empty when the list is shorter.
const std::string& domainNameSlot(const MapSet& set, int n, int k);

}  // namespace d7
