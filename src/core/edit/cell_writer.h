// The only way a cell of a map changes. Each writer puts the new bytes into
// map n's block in the map store and its Ext record and, when n is the current
// map, into the working planes, so that the three always agree; then it tells
// the cell sink what to redraw. None of them runs the analysis pass except
// setCellDomain.
#pragma once

#include <cstdint>

#include "core/model/editor_state.h"

namespace d7 {

// Domain argument that leaves M5 and Ext3 as they are.
inline constexpr int kKeepDomain = -1;

// The bytes one setCell writes. Every value must fit a byte (domain may also
// be kKeepDomain); a cell with a value out of range is not written at all.
struct CellContent {
    int flags = 0;             // M0
    int tileset = 0;           // M1
    int tile = 0;              // M2
    int part = 0;              // M3
    int marker = 0;            // M4
    int domain = kKeepDomain;  // M5 and Ext3
    int code = 0;              // Ext4
};

// Writes M0..M4, Ext4 and, unless the domain is kept, M5 and Ext3 of cell
// (x, y) of map n, and marks n's map file changed. Off the map nothing happens.
void setCell(EditorState& st, int n, int x, int y, const CellContent& c);

// Adds flag bits to M0 and writes M1, M3, M4 and Ext4; M2 and the domain stay.
// Used for the pieces drawn over a cell's own tile (village sign, castle).
void orCellFlags(EditorState& st, int n, int x, int y, int bits, int tileset, int part, int marker,
                 int code);

// Gives the cell a domain (0, 1..16 or 32; other numbers are not written).
// A sea cell keeps its domain unless overwriteSea; a black cell, or a sea cell
// that is overwritten, first becomes random grassland. Runs the analysis pass
// whenever the cell is on the map, also when nothing was written.
void setCellDomain(EditorState& st, int x, int y, int domain, int n, bool overwriteSea);
// The same without the analysis pass, for commands that give many cells a
// domain and run the pass once when they are done.
void writeCellDomain(EditorState& st, int x, int y, int domain, int n, bool overwriteSea);
// Whether d is a domain number a cell may carry: 0, 1..16 or 32.
bool isDomainNumber(int d);

// Writes the number a building part carries (trader 1..6 on a town, starting
// position 1..5 on a castle, 0 for none) and the matching feature code: 25 + v,
// or for v = 0 the code an unmarked castle (15) or town (5) cell gets.
// Values outside 0..6 are ignored.
void setMarker(EditorState& st, int n, int v, int x, int y);

// Byte of plane 0..5 (M0..M5) of cell (x, y) of map n: from the working planes
// for the current map, else from the map store (0 when the store lacks it).
std::uint8_t cellByte(const EditorState& st, int n, int plane, int x, int y);

// For the whole-map commands: while alive, cell writes report nothing to the
// sink (the command redraws the whole map once at its end).
class SinkPause {
  public:
    explicit SinkPause(EditorState& st) : st_(st), sink_(st.sink) { st.sink = nullptr; }
    ~SinkPause() { st_.sink = sink_; }
    SinkPause(const SinkPause&) = delete;
    SinkPause& operator=(const SinkPause&) = delete;

  private:
    EditorState& st_;
    CellSink* sink_;
};

}  // namespace d7
