#include "samplegen/iso_scene.h"

#include <algorithm>
#include <cmath>

namespace d7::samplegen {

std::uint8_t noisyShade(Ramp r, double level, int x, int y, std::uint32_t seed, double amount) {
    const double n = hashUnit(seed, std::uint32_t(x), std::uint32_t(y)) - 0.5;
    return r.at(int(std::floor(level + n * amount + 0.5)));
}

IsoScene::IsoScene(int size, int headroom, const SeasonStyle& style)
    : style_(style),
      size_(size),
      originX_(29 * size),
      originY_(headroom),
      canvas_(0, 0, 58 * size, 30 * size + headroom) {}

Vec2 IsoScene::screen(double a, double b, double z) const {
    return {originX_ + 29.0 * (a - b), originY_ + 15.0 * (a + b) - z};
}

Vec2i IsoScene::cellBox(int i, int j) const {
    return {originX_ + 29 * (i - j) - 29, originY_ + 15 * (i + j)};
}

void IsoScene::fillGround(const GroundFn& ground) {
    for (int j = 0; j < size_; ++j)
        for (int i = 0; i < size_; ++i) {
            const Vec2i box = cellBox(i, j);
            for (int py = 0; py < 30; ++py)
                for (int px = rowLeft(py); px < rowLeft(py) + rowWidth(py); ++px)
                    canvas_.set(box.x + px, box.y + py, ground(i, j, boxToCell(px, py), px, py));
        }
}

void IsoScene::fillSeasonGround(int variant) {
    fillGround([&](int i, int j, CellPoint p, int px, int py) {
        return groundWithDetail(style_, p, px, py, variant + 3 * i + 5 * j);
    });
}

void IsoScene::groundPatch(double a0, double b0, double a1, double b1, const GroundFn& ground) {
    const std::vector<Vec2> quad = {screen(a0, b0), screen(a1, b0), screen(a1, b1), screen(a0, b1)};
    fillPolygon(canvas_, quad, [&](int x, int y) -> std::uint8_t {
        // The cell and point under the pixel.
        const double dx = (x + 0.5 - originX_) / 29.0, dy = (y + 0.5 - originY_) / 15.0;
        const double a = (dy + dx) / 2, b = (dy - dx) / 2;
        const int i = int(std::floor(a)), j = int(std::floor(b));
        return ground(i, j, {a - i, b - j}, x, y);
    });
}

void IsoScene::box(double a0, double b0, double a1, double b1, double h, const Walls& w, double z0,
                   bool top) {
    const std::uint32_t seed = hash32(std::uint32_t(a0 * 1000), std::uint32_t(b0 * 1000));
    // Face towards +B (lit from the left), face towards +A (in shade).
    fillPolygon(
        canvas_,
        {screen(a0, b1, z0), screen(a1, b1, z0), screen(a1, b1, z0 + h), screen(a0, b1, z0 + h)},
        [&](int x, int y) { return noisyShade(w.ramp, w.level + 1, x, y, seed, 1.2); });
    fillPolygon(
        canvas_,
        {screen(a1, b0, z0), screen(a1, b1, z0), screen(a1, b1, z0 + h), screen(a1, b0, z0 + h)},
        [&](int x, int y) { return noisyShade(w.ramp, w.level - 1, x, y, seed, 1.2); });
    if (top)
        fillPolygon(canvas_,
                    {screen(a0, b0, z0 + h), screen(a1, b0, z0 + h), screen(a1, b1, z0 + h),
                     screen(a0, b1, z0 + h)},
                    [&](int x, int y) { return noisyShade(w.ramp, w.level + 2, x, y, seed, 1.0); });
}

void IsoScene::gableRoof(double a0, double b0, double a1, double b1, double h, const Roof& r,
                         bool alongA, const Walls& gable) {
    const std::uint32_t seed = hash32(std::uint32_t(a1 * 977), std::uint32_t(b1 * 991), 7);
    auto roofShade = [&](double level) {
        return [&, level](int x, int y) -> std::uint8_t {
            // Roof courses: every third row a little darker.
            const double course = (y % 3 == 0) ? -0.8 : 0.0;
            return noisyShade(r.ramp, level + course, x, y, seed, 1.0);
        };
    };
    auto snowShade = [&](double level) {
        return [&, level](int x, int y) { return noisyShade(ramp::kSnow, level, x, y, seed, 1.2); };
    };
    const double top = h + r.height;
    // Snow lies on the upper part of each slope; the eaves stay bare.
    const double snowDown = 0.6;
    auto lerpPoint = [&](double pa, double pb, double pz, double qa, double qb, double qz,
                         double t) {
        return screen(pa + (qa - pa) * t, pb + (qb - pb) * t, pz + (qz - pz) * t);
    };
    if (alongA) {
        const double bm = (b0 + b1) / 2;
        fillPolygon(
            canvas_,
            {screen(a0, b0, h), screen(a1, b0, h), screen(a1, bm, top), screen(a0, bm, top)},
            roofShade(r.level + 1));
        fillPolygon(
            canvas_,
            {screen(a0, bm, top), screen(a1, bm, top), screen(a1, b1, h), screen(a0, b1, h)},
            roofShade(r.level));
        if (style_.snowOnTops) {
            fillPolygon(canvas_,
                        {lerpPoint(a0, bm, top, a0, b0, h, snowDown),
                         lerpPoint(a1, bm, top, a1, b0, h, snowDown), screen(a1, bm, top),
                         screen(a0, bm, top)},
                        snowShade(10));
            fillPolygon(canvas_,
                        {screen(a0, bm, top), screen(a1, bm, top),
                         lerpPoint(a1, bm, top, a1, b1, h, snowDown),
                         lerpPoint(a0, bm, top, a0, b1, h, snowDown)},
                        snowShade(9));
        }
        fillPolygon(
            canvas_, {screen(a1, b0, h), screen(a1, b1, h), screen(a1, bm, top)},
            [&](int x, int y) { return noisyShade(gable.ramp, gable.level - 1, x, y, seed, 1); });
        drawLine(canvas_, screen(a0, b1, h), screen(a1, b1, h),
                 shadeWithin(r.ramp.at(r.level), -3));
    } else {
        const double am = (a0 + a1) / 2;
        fillPolygon(
            canvas_,
            {screen(a0, b0, h), screen(a0, b1, h), screen(am, b1, top), screen(am, b0, top)},
            roofShade(r.level + 1));
        fillPolygon(
            canvas_,
            {screen(am, b0, top), screen(am, b1, top), screen(a1, b1, h), screen(a1, b0, h)},
            roofShade(r.level - 1));
        if (style_.snowOnTops) {
            fillPolygon(canvas_,
                        {lerpPoint(am, b0, top, a0, b0, h, snowDown),
                         lerpPoint(am, b1, top, a0, b1, h, snowDown), screen(am, b1, top),
                         screen(am, b0, top)},
                        snowShade(10));
            fillPolygon(canvas_,
                        {screen(am, b0, top), screen(am, b1, top),
                         lerpPoint(am, b1, top, a1, b1, h, snowDown),
                         lerpPoint(am, b0, top, a1, b0, h, snowDown)},
                        snowShade(8));
        }
        fillPolygon(
            canvas_, {screen(a0, b1, h), screen(a1, b1, h), screen(am, b1, top)},
            [&](int x, int y) { return noisyShade(gable.ramp, gable.level + 1, x, y, seed, 1); });
        drawLine(canvas_, screen(a1, b0, h), screen(a1, b1, h),
                 shadeWithin(r.ramp.at(r.level), -3));
    }
}

void IsoScene::pointedRoof(double a0, double b0, double a1, double b1, double h, const Roof& r) {
    const bool snow = style_.snowOnTops;
    const std::uint32_t seed = hash32(std::uint32_t(a0 * 613), std::uint32_t(b1 * 619), 11);
    const Vec2 apex = screen((a0 + a1) / 2, (b0 + b1) / 2, h + r.height);
    // Snow covers the upper part of the roof; the lower part shows its colour.
    const double snowBelow = apex.y + r.height * 0.55;
    auto shade = [&](double level) {
        return [&, level](int x, int y) -> std::uint8_t {
            if (snow && y + 0.5 < snowBelow)
                return noisyShade(ramp::kSnow, 8 + (level - r.level), x, y, seed, 1.2);
            return noisyShade(r.ramp, level, x, y, seed, 1.0);
        };
    };
    fillPolygon(canvas_, {screen(a0, b0, h), screen(a1, b0, h), apex}, shade(r.level + 1));
    fillPolygon(canvas_, {screen(a0, b0, h), screen(a0, b1, h), apex}, shade(r.level + 2));
    fillPolygon(canvas_, {screen(a0, b1, h), screen(a1, b1, h), apex}, shade(r.level + 1));
    fillPolygon(canvas_, {screen(a1, b0, h), screen(a1, b1, h), apex}, shade(r.level - 1));
}

void IsoScene::battlements(double a0, double b0, double a1, double b1, double h, const Walls& w) {
    const double step = 0.12;
    for (double a = a0; a + step / 2 <= a1 + 1e-9; a += 2 * step)
        box(a, b1 - 0.06, std::min(a + step, a1), b1, 3, w, h);
    for (double b = b0; b + step / 2 <= b1 + 1e-9; b += 2 * step)
        box(a1 - 0.06, b, a1, std::min(b + step, b1), 3, w, h);
}

void IsoScene::opening(int face, double along, double fixed, double z, double w, double h,
                       std::uint8_t colour) {
    if (face == 0)
        fillPolygon(canvas_,
                    {screen(along - w / 2, fixed, z), screen(along + w / 2, fixed, z),
                     screen(along + w / 2, fixed, z + h), screen(along - w / 2, fixed, z + h)},
                    colour);
    else
        fillPolygon(canvas_,
                    {screen(fixed, along - w / 2, z), screen(fixed, along + w / 2, z),
                     screen(fixed, along + w / 2, z + h), screen(fixed, along - w / 2, z + h)},
                    colour);
}

void IsoScene::flag(double a, double b, double z, double pole, std::uint8_t colour) {
    const Vec2 foot = screen(a, b, z);
    const Vec2 head = screen(a, b, z + pole);
    drawLine(canvas_, foot, head, ramp::kWood.at(2));
    fillPolygon(canvas_,
                {{head.x + 0.5, head.y}, {head.x + 7.5, head.y + 2}, {head.x + 0.5, head.y + 4}},
                colour);
}

void IsoScene::smoke(double a, double b, double z) {
    const Vec2 p = screen(a, b, z);
    fillEllipse(canvas_, p.x - 1, p.y - 3, 2.0, 1.8, colour::kSmoke);
    fillEllipse(canvas_, p.x - 3, p.y - 7, 2.6, 2.2, ramp::kStone.at(8));
    fillEllipse(canvas_, p.x - 6, p.y - 12, 3.0, 2.4, ramp::kStone.at(9));
}

void IsoScene::treeShadow(double a, double b, double size) {
    const Vec2 p = screen(a, b);
    const double rx = 6.0 * size, ry = 2.6 * size;
    for (int y = int(p.y - ry - 1); y <= int(p.y + ry + 1); ++y)
        for (int x = int(p.x - rx); x <= int(p.x + rx + 4); ++x) {
            const double dx = (x + 0.5 - p.x - 2.5 * size) / rx, dy = (y + 0.5 - p.y - 0.5) / ry;
            if (dx * dx + dy * dy <= 1.0) {
                const std::uint8_t c = canvas_.get(x, y);
                if (c) canvas_.set(x, y, shadeWithin(c, -2));
            }
        }
}

void IsoScene::broadTree(double a, double b, double size, std::uint32_t seed) {
    const Vec2 base = screen(a, b);
    const int trunkH = int(std::lround(5 * size));
    // Trunk.
    for (int dy = 0; dy < trunkH; ++dy) {
        canvas_.set(int(base.x) - 1, int(base.y) - dy, ramp::kWood.at(3));
        canvas_.set(int(base.x), int(base.y) - dy, ramp::kWood.at(1));
    }
    const double cx = base.x, cy = base.y - trunkH - 5.0 * size;
    if (style_.bareTrees) {
        // Bare branches fanning out, a little snow resting on them.
        for (int k = 0; k < 7; ++k) {
            const double ang =
                -1.57 + (k - 3) * 0.38 + (hashUnit(seed, 40u + std::uint32_t(k)) - 0.5) * 0.3;
            const double len = (5.5 + 2.5 * hashUnit(seed, 50u + std::uint32_t(k))) * size;
            const Vec2 from{base.x - 0.5, base.y - trunkH + 1.0};
            const Vec2 to{from.x + std::cos(ang) * len, from.y + std::sin(ang) * len - 3 * size};
            drawLine(canvas_, from, to, (k % 2) ? colour::kBareBranch : colour::kBareBranchLight);
            canvas_.set(int(to.x), int(to.y), ramp::kSnow.at(11));
        }
        return;
    }
    const Ramp leaves = style_.leaves;
    double level = leaves.size * 0.5;
    if (style_.season == Season::Autumn) level = 2.5 + 7.0 * hashUnit(seed, 3);
    if (style_.season == Season::Spring) level += 1.5;
    const double rx = 6.5 * size, ry = 6.0 * size;
    fillEllipse(canvas_, cx, cy, rx, ry, [&](int x, int y) -> std::uint8_t {
        const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        const double light = -(dx * 0.65 + dy * 0.75);  // brighter towards the upper left
        const double clump = hashUnit(seed, std::uint32_t(x / 2), std::uint32_t(y / 2)) - 0.5;
        const double edge = (dx * dx + dy * dy > 0.72) ? -1.0 : 0.0;
        return leaves.at(int(std::floor(level + light * 2.6 + clump * 2.0 + edge + 0.5)));
    });
}

void IsoScene::conifer(double a, double b, double size, std::uint32_t seed) {
    const Vec2 base = screen(a, b);
    for (int dy = 0; dy < 3; ++dy) canvas_.set(int(base.x), int(base.y) - dy, ramp::kWood.at(1));
    const bool snow = style_.snowOnTops;
    const Ramp r = ramp::kConifer;
    const double shift = style_.season == Season::Summer ? -0.5 : 0.0;
    for (int tier = 0; tier < 3; ++tier) {
        const double by = base.y - 2 - tier * 5.0 * size;
        const double half = (6.5 - 1.8 * tier) * size;
        const double top = by - 8.5 * size;
        fillPolygon(
            canvas_, {{base.x - half, by}, {base.x + 0.5, top}, {base.x + half + 1, by}},
            [&](int x, int y) -> std::uint8_t {
                const double rel = (x + 0.5 - base.x) / half;
                const double fromTop = (y + 0.5 - top) / (by - top);
                if (snow && fromTop < 0.55 && rel < 0.3 &&
                    hashUnit(seed, std::uint32_t(x), std::uint32_t(y)) < 0.85)
                    return ramp::kSnow.at(rel < -0.2 ? 11 : 9);
                const double light = rel < 0 ? 4.5 : 2.0;
                const double n = hashUnit(seed, std::uint32_t(x), std::uint32_t(y), 9) - 0.5;
                return r.at(
                    int(std::floor(light + shift + n * 2 + 0.5 - (fromTop > 0.85 ? 1 : 0))));
            });
    }
}

void IsoScene::boulder(double a, double b, double r, double h, Ramp rp, std::uint32_t seed) {
    const Vec2 p = screen(a, b);
    const double rx = r, ry = h;
    const bool snow = style_.snowOnTops;
    fillEllipse(canvas_, p.x, p.y - ry * 0.6, rx, ry, [&](int x, int y) -> std::uint8_t {
        const double dx = (x + 0.5 - p.x) / rx, dy = (y + 0.5 - (p.y - ry * 0.6)) / ry;
        if (snow && dy < -0.35) return ramp::kSnow.at(10);
        const double light = -(dx * 0.7 + dy * 0.7);
        return noisyShade(rp, rp.size * 0.5 + light * 2.5, x, y, seed, 1.4);
    });
}

Frame IsoScene::cut(int i, int j, int dir) const {
    const Vec2i box = cellBox(i, j);
    return cutFrame(canvas_, box.x, box.y, dir, style_.ground.at(style_.groundLevel));
}

}  // namespace d7::samplegen
