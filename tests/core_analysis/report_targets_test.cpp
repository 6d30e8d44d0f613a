#include "core/analysis/report_targets.h"

#include <gtest/gtest.h>

namespace d7 {
namespace {

struct Case {
    const char* line;
    ReportTarget::Kind kind;
    int a = 0, b = 0;  // domain, or the cell
};

TEST(ReportTargets, LinesNameTheirDomainOrCell) {
    using K = ReportTarget::Kind;
    const Case cases[] = {
        {"Domain 3 Ashby", K::Domain, 3},
        {"Domain 12-Fen (1,2)", K::Domain, 12},  // a heading's name may hold anything
        {"County: 7 Moor", K::Domain, 7},
        {"3 - Ashby", K::Domain, 3},
        {"4: 17 (Offroad: 2).", K::Domain, 4},
        {"5:  Road distance>150 steps", K::Domain, 5},
        {"5:Ashby: 140", K::Domain, 5},
        {"-- 9-Fen: 12", K::Domain, 9},
        {"[1]  6-Fen", K::Domain, 6},
        {"No path to adjacent domain 2 East", K::Domain, 2},
        {"No continuous road to domain 11 (Offroad: 3).", K::Domain, 11},
        {"Missing Domain definition at (12,40)", K::Cell, 12, 40},
        {"12,40", K::Cell, 12, 40},
        {"Castle has invalid base tile at 63,31. Please place castle again to fix this.", K::Cell,
         63, 31},
        {"3 - Ashby: 28,12", K::Cell, 28, 12},  // the road position beats the domain
        {"3 - Ashby: -1,-1", K::Domain, 3},
        {"2 Fen- X: 26 Y: 8", K::Cell, 26, 8},
        {"  30,20  M0 0->64  M1 0->12", K::Cell, 30, 20},  // a comparison's lines
        {"  domain 3 name \"Ulm (1,2)\" -> \"Ashford\"", K::Domain, 3},
        {"map 0 \"Stannport\": 19 cells changed", K::None},
        {"  feature codes: 19 bytes changed", K::None},
        {"Domain 17 Nowhere", K::None},
        {"70,3", K::None},
        {"Domain has 3 village(s) (needs 4).", K::None},
        {"No Starting Position for 2", K::None},
        {"Black tiles left: 4", K::None},
        {"Ok.", K::None},
        {"", K::None},
        {"99999999999999999999 - overflow", K::None},
    };
    for (const Case& c : cases) {
        const ReportTarget t = reportLineTarget(c.line);
        EXPECT_EQ(t.kind, c.kind) << c.line;
        if (c.kind == K::Domain) {
            EXPECT_EQ(t.domain, c.a) << c.line;
        } else if (c.kind == K::Cell) {
            EXPECT_EQ((std::pair{t.x, t.y}), (std::pair{c.a, c.b})) << c.line;
        }
    }
}

}  // namespace
}  // namespace d7
