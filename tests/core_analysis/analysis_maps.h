// Small map pieces for the analysis and pathfinding tests, written straight
// into the working planes.
#pragma once

#include <initializer_list>

#include "support/map_builder.h"

namespace d7::test {

// Every cell: M0 = m0, M5 = domain, the other planes 0.
inline void fillMap(EditorState& st, std::uint8_t m0, std::uint8_t domain) {
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) putCell(st, x, y, {m0, 0, 0, 0, 0, domain});
}

// A 2 x 2 town with its main cell at (x, y); slots holds the trader numbers of
// route slots 1..3 (carried by parts 1..3).
inline void putTown(EditorState& st, int x, int y, std::uint8_t domain,
                    std::initializer_list<std::uint8_t> slots = {0, 0, 0}) {
    const auto* s = slots.begin();
    for (std::uint8_t part = 0; part < 4; ++part) {
        const std::uint8_t trader = part == 0 ? 0 : s[part - 1];
        putCell(st, x + part % 2, y + part / 2, {0x40, 12, 0, part, trader, domain});
    }
}

// A 2 x 2 castle with its main cell at (x, y); start is the starting position on part 1.
inline void putCastle(EditorState& st, int x, int y, std::uint8_t domain, std::uint8_t start = 0) {
    for (std::uint8_t part = 0; part < 4; ++part)
        putCell(st, x + part % 2, y + part / 2,
                {0x80, 0, 0, part, part == 1 ? start : std::uint8_t(0), domain});
}

inline void putRoad(EditorState& st, int x, int y, std::uint8_t domain = 1) {
    putCell(st, x, y, {1, 8, 0, 0, 0, domain});
}

}  // namespace d7::test
