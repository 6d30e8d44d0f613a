// The town and castle tilesets: resource buildings, the blacksmith, the
// 2 x 2 town, the village and the 2 x 2 castle, with their towers and roofs
// rising into the extension layers.
#include <algorithm>
#include <cmath>

#include "samplegen/iso_scene.h"
#include "samplegen/tileset_art.h"

namespace d7::samplegen {

namespace {

constexpr int kQuarry = 0;
constexpr int kBlacksmith = 10;
constexpr int kLumber = 20;
constexpr int kMine = 30;
constexpr int kFirstTownPiece = 47;
constexpr int kVillage = 59;

const Walls kPlaster{ramp::kPlaster, 4};
const Walls kTimber{ramp::kWood, 4};
const Walls kStoneWall{ramp::kStone, 6};
const Roof kRedRoof{ramp::kRoofRed, 4, 6};
const Roof kSlateRoof{ramp::kRoofSlate, 4, 6};

std::uint8_t courtyard(const SeasonStyle& st, int px, int py, std::uint32_t seed) {
    if (st.winter()) return noisyShade(ramp::kSnow, 7, px, py, seed, 2);
    return noisyShade(ramp::kEarth, 5, px, py, seed, 2);
}

void house(IsoScene& s, double a, double b, double wa, double wb, double h, bool alongA,
           const Roof& roof, const Walls& walls = kPlaster) {
    s.box(a, b, a + wa, b + wb, h, walls, 0, false);
    // A door on the face towards +B and a window on the face towards +A.
    s.opening(0, a + wa * 0.5, b + wb, 0, 0.07, 4, colour::kWindowDark);
    s.opening(1, b + wb * 0.5, a + wa, h * 0.45, 0.06, 2.5, colour::kWindowLight);
    Roof r = roof;
    r.height = roof.height * std::min(wa, wb) / 0.3;
    s.gableRoof(a, b, a + wa, b + wb, h, r, alongA, walls);
}

// A quarry: a cut stone face, blocks on the ground and a wooden crane.
Frame quarryFrame(const SeasonStyle& st, int variant) {
    IsoScene s(1, 40, st);
    s.fillSeasonGround(100 + variant);
    const std::uint32_t seed = hash32(0x0A44u, std::uint32_t(variant));
    s.groundPatch(0.15, 0.15, 0.92, 0.92, [&](int, int, CellPoint, int px, int py) {
        return noisyShade(ramp::kStone, 6, px, py, seed, 2.5);
    });
    // Terraces of cut rock at the back.
    s.box(0.1, 0.1, 0.55, 0.45, 14, {ramp::kStone, 5});
    s.box(0.1, 0.45, 0.35, 0.8, 9, {ramp::kStone, 6});
    s.box(0.55, 0.1, 0.85, 0.32, 8, {ramp::kStone, 6});
    // Blocks ready to be carted away.
    for (int i = 0; i < 3; ++i) {
        const double a = 0.5 + 0.12 * i + 0.05 * hashUnit(seed, std::uint32_t(i));
        const double b = 0.6 + 0.1 * (i % 2);
        s.box(a, b, a + 0.1, b + 0.1, 4, {ramp::kStone, 8});
    }
    // A crane: post and jib.
    const Vec2 foot = s.screen(0.72, 0.42);
    drawLine(s.canvas(), foot, {foot.x, foot.y - 22}, ramp::kWood.at(2));
    drawLine(s.canvas(), {foot.x + 1, foot.y}, {foot.x + 1, foot.y - 22}, ramp::kWood.at(4));
    drawLine(s.canvas(), {foot.x, foot.y - 22}, {foot.x - 12, foot.y - 16}, ramp::kWood.at(3));
    drawLine(s.canvas(), {foot.x - 12, foot.y - 16}, {foot.x - 12, foot.y - 9}, colour::kDarkGrey);
    return s.cut(0, 0);
}

// The blacksmith: a stone workshop with a smoking chimney and an anvil.
Frame smithFrame(const SeasonStyle& st, int variant) {
    IsoScene s(1, 44, st);
    s.fillSeasonGround(110 + variant);
    s.box(0.2, 0.2, 0.75, 0.65, 12, kStoneWall, 0, false);
    s.opening(0, 0.45, 0.65, 0, 0.14, 7, colour::kNearBlack);
    s.opening(0, 0.45, 0.65, 0.5, 0.08, 3, colour::kMarkOrange);  // the forge glowing inside
    s.gableRoof(0.2, 0.2, 0.75, 0.65, 12, {ramp::kRoofSlate, 3, 9}, true, kStoneWall);
    s.box(0.58, 0.28, 0.68, 0.38, 24, {ramp::kStone, 4});
    s.smoke(0.63, 0.33, 25);
    // Anvil on a block.
    s.box(0.78, 0.72, 0.86, 0.8, 3, {ramp::kWood, 3});
    s.box(0.76, 0.73, 0.9, 0.79, 2, {ramp::kStone, 2}, 3);
    return s.cut(0, 0);
}

// The woodcutter: a log cabin, a pile of logs and stumps.
Frame lumberFrame(const SeasonStyle& st, int variant) {
    IsoScene s(1, 40, st);
    s.fillSeasonGround(120 + variant);
    house(s, 0.15, 0.18, 0.5, 0.42, 10, true, {ramp::kWood, 2, 8}, kTimber);
    // Log pile: horizontal logs with light ends.
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k < 3 - row; ++k) {
            const Vec2 p = s.screen(0.72, 0.5 + 0.11 * k + 0.055 * row, 2 + 3.2 * row);
            fillEllipse(s.canvas(), p.x, p.y, 1.9, 1.6, ramp::kWood.at(6));
            s.canvas().set(int(p.x), int(p.y), ramp::kWood.at(3));
        }
    s.boulder(0.35, 0.82, 2.2, 1.6, ramp::kWood, 7);
    s.boulder(0.6, 0.88, 2.0, 1.5, ramp::kWood, 9);
    s.conifer(0.85, 0.22, 0.8, hash32(0x7EEu, std::uint32_t(variant)));
    return s.cut(0, 0);
}

// The mine: a rocky mound with a timbered entrance, rails and a cart.
Frame mineFrame(const SeasonStyle& st, int variant) {
    IsoScene s(1, 44, st);
    s.fillSeasonGround(130 + variant);
    const std::uint32_t seed = hash32(0x3113u, std::uint32_t(variant));
    s.boulder(0.35, 0.4, 17, 16, ramp::kRock, seed);
    s.boulder(0.62, 0.25, 10, 9, ramp::kRock, seed + 1);
    // Entrance: dark opening framed with timber.
    const Vec2 e = s.screen(0.48, 0.62, 0);
    fillPolygon(s.canvas(),
                {{e.x - 4, e.y}, {e.x - 4, e.y - 8}, {e.x + 4, e.y - 8}, {e.x + 4, e.y}},
                colour::kNearBlack);
    drawLine(s.canvas(), {e.x - 5, e.y}, {e.x - 5, e.y - 9}, ramp::kWood.at(4));
    drawLine(s.canvas(), {e.x + 5, e.y}, {e.x + 5, e.y - 9}, ramp::kWood.at(2));
    drawLine(s.canvas(), {e.x - 6, e.y - 9}, {e.x + 6, e.y - 9}, ramp::kWood.at(5));
    // Rails leading out and a cart of ore.
    drawLine(s.canvas(), s.screen(0.5, 0.66), s.screen(0.58, 0.95), ramp::kStone.at(4));
    drawLine(s.canvas(), s.screen(0.56, 0.64), s.screen(0.64, 0.93), ramp::kStone.at(4));
    s.box(0.6, 0.78, 0.76, 0.88, 4, {ramp::kWood, 3});
    const Vec2 ore = s.screen(0.68, 0.83, 5);
    fillEllipse(s.canvas(), ore.x, ore.y, 3, 1.5, colour::kGold);
    return s.cut(0, 0);
}

// A village: thatched cottages around a vegetable garden with a fence.
Frame villageFrame(const SeasonStyle& st, int variant) {
    IsoScene s(1, 30, st);
    s.fillSeasonGround(140 + variant);
    const std::uint32_t seed = hash32(0x1111u, std::uint32_t(variant));
    s.groundPatch(0.56, 0.14, 0.9, 0.44, [&](int, int, CellPoint, int px, int py) -> std::uint8_t {
        if (st.winter()) return noisyShade(ramp::kSnow, 6, px, py, seed, 2);
        if (py % 2) return ramp::kPloughed.at(3);
        return st.season == Season::Autumn ? ramp::kWheat.at(2) : ramp::kLeaves.at(8);
    });
    // Fence posts along the garden's front edges.
    for (int k = 0; k <= 4; ++k) {
        const Vec2 p = s.screen(0.56 + 0.085 * k, 0.44);
        drawLine(s.canvas(), p, {p.x, p.y - 3}, ramp::kWood.at(5));
    }
    drawLine(s.canvas(), s.screen(0.56, 0.44, 2), s.screen(0.9, 0.44, 2), ramp::kWood.at(4));
    const Roof thatch{ramp::kWheat, 3, 7};
    house(s, 0.1, 0.14, 0.4, 0.32, 8, true, thatch);
    house(s, 0.18, 0.56, 0.34, 0.36, 7, false, thatch);
    if (variant % 2 == 0) house(s, 0.6, 0.58, 0.3, 0.3, 7, true, {ramp::kRoofRed, 4, 6});
    return s.cut(0, 0);
}

// The town: a 2 x 2 block of houses around a market with a church.
void appendTown(std::vector<Frame>& frames, const SeasonStyle& st, int variant) {
    IsoScene s(2, 64, st);
    const std::uint32_t seed = hash32(0x70A1u, std::uint32_t(variant));
    s.fillSeasonGround(150 + variant);
    // Paved streets and the market square.
    s.groundPatch(0.12, 0.12, 1.88, 1.88,
                  [&](int, int, CellPoint, int px, int py) { return courtyard(st, px, py, seed); });
    s.groundPatch(0.85, 0.85, 1.35, 1.35, [&](int, int, CellPoint, int px, int py) {
        return noisyShade(ramp::kStone, st.winter() ? 9 : 7, px, py, seed, 2);
    });
    struct Building {
        double a, b, wa, wb, h;
        bool alongA;
        bool red;
    };
    const Building houses[] = {
        {0.15, 0.2, 0.45, 0.32, 11, true, true},  {0.7, 0.15, 0.32, 0.45, 12, false, false},
        {1.15, 0.18, 0.5, 0.3, 10, true, true},   {0.18, 0.7, 0.32, 0.5, 10, false, false},
        {1.5, 0.62, 0.32, 0.45, 11, false, true}, {0.2, 1.35, 0.45, 0.3, 9, true, true},
        {1.42, 1.42, 0.4, 0.3, 10, true, false},  {0.9, 1.52, 0.4, 0.3, 9, true, true},
    };
    // The church stands at the back, its tower the tallest thing in the town.
    auto church = [&]() {
        s.box(0.55, 0.62, 1.15, 0.9, 15, kStoneWall, 0, false);
        s.gableRoof(0.55, 0.62, 1.15, 0.9, 15, {ramp::kRoofSlate, 3, 9}, true, kStoneWall);
        s.box(0.4, 0.6, 0.58, 0.8, 30, kStoneWall);
        s.opening(0, 0.49, 0.8, 20, 0.06, 4, colour::kWindowDark);
        s.pointedRoof(0.4, 0.6, 0.58, 0.8, 30, {ramp::kRoofSlate, 3, 20});
    };
    bool churchDone = false;
    for (const Building& h : houses) {
        if (!churchDone && h.a + h.b > 1.4) {
            church();
            churchDone = true;
        }
        house(s, h.a, h.b, h.wa, h.wb, h.h, h.alongA, h.red ? kRedRoof : kSlateRoof);
    }
    // A well on the market square.
    s.box(1.05, 1.05, 1.15, 1.15, 3, {ramp::kStone, 5});
    frames.push_back(s.cut(0, 0));
    frames.push_back(s.cut(0, 1));
    frames.push_back(s.cut(1, 0));
    frames.push_back(s.cut(1, 1));
}

// The castle: curtain walls with four round-topped towers and a tall keep.
void appendCastle(std::vector<Frame>& frames, const SeasonStyle& st, int variant, bool ruined) {
    IsoScene s(2, 80, st);
    const std::uint32_t seed = hash32(0xCA57u, std::uint32_t(variant));
    s.fillSeasonGround(170 + variant);
    s.groundPatch(0.2, 0.2, 1.8, 1.8,
                  [&](int, int, CellPoint, int px, int py) { return courtyard(st, px, py, seed); });
    const Walls wall{ramp::kStone, 6};
    const Roof towerRoof{ruined ? ramp::kRoofSlate : ramp::kRoofRed, 4, 14};
    const double t = 0.34;  // tower width
    const double wallH = ruined ? 8 : 14, towerH = ruined ? 14 : 24;
    auto tower = [&](double a, double b) {
        s.box(a, b, a + t, b + t, towerH, wall);
        if (ruined) return;
        s.battlements(a, b, a + t, b + t, towerH, wall);
        s.pointedRoof(a + 0.02, b + 0.02, a + t - 0.02, b + t - 0.02, towerH + 3, towerRoof);
    };
    // Back tower, back walls, side towers, keep, front walls, front tower.
    tower(0.12, 0.12);
    s.box(0.3, 0.16, 1.7, 0.3, wallH, wall);
    s.box(0.16, 0.3, 0.3, 1.7, wallH, wall);
    tower(1.54, 0.12);
    tower(0.12, 1.54);
    if (!ruined) {
        s.box(0.68, 0.62, 1.28, 1.22, 36, {ramp::kStone, 5});
        s.battlements(0.68, 0.62, 1.28, 1.22, 36, {ramp::kStone, 5});
        s.opening(0, 0.98, 1.22, 16, 0.08, 5, colour::kWindowDark);
        s.opening(1, 0.92, 1.28, 22, 0.08, 5, colour::kWindowDark);
        s.flag(0.98, 0.92, 36, 16, variant % 2 ? colour::kFlagBlue : colour::kFlagRed);
    } else {
        s.box(0.7, 0.65, 1.2, 1.15, 18, {ramp::kStone, 4});
    }
    s.box(1.7, 0.3, 1.84, 1.7, wallH, wall);
    s.box(0.3, 1.7, 1.7, 1.84, wallH, wall);
    if (!ruined) {
        s.battlements(1.7, 0.3, 1.84, 1.7, wallH, wall);
        s.battlements(0.3, 1.7, 1.7, 1.84, wallH, wall);
    }
    // The gate in the front wall.
    s.opening(0, 1.0, 1.84, 0, 0.22, 9, colour::kNearBlack);
    s.opening(0, 1.0, 1.84, 0, 0.26, 1, ramp::kWood.at(3));
    tower(1.54, 1.54);
    frames.push_back(s.cut(0, 0));
    frames.push_back(s.cut(0, 1));
    frames.push_back(s.cut(1, 0));
    frames.push_back(s.cut(1, 1));
}

}  // namespace

std::vector<Frame> townFrames(const SeasonStyle& st) {
    std::vector<Frame> frames;
    frames.reserve(kTownFrames);
    // Frames the editor does not name show further looks of the nearest named building.
    for (int k = 0; k < kFirstTownPiece; ++k) {
        if (k < kBlacksmith)
            frames.push_back(quarryFrame(st, k - kQuarry));
        else if (k < kLumber)
            frames.push_back(smithFrame(st, k - kBlacksmith));
        else if (k < kMine)
            frames.push_back(lumberFrame(st, k - kLumber));
        else
            frames.push_back(mineFrame(st, k - kMine));
    }
    appendTown(frames, st, 0);
    for (int k = kFirstTownPiece + 4; k < kTownFrames; ++k)
        frames.push_back(villageFrame(st, kVillage - k));
    return frames;
}

std::vector<Frame> castleFrames(const SeasonStyle& st) {
    std::vector<Frame> frames;
    // The castle as placed and as a full redraw shows it differ in the flag only.
    appendCastle(frames, st, 1, false);
    appendCastle(frames, st, 3, true);  // a ruin, not used by the editor
    appendCastle(frames, st, 0, false);
    return frames;
}

}  // namespace d7::samplegen
