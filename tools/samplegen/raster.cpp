#include "samplegen/raster.h"

#include <algorithm>
#include <cmath>

namespace d7::samplegen {

Canvas::Canvas(int left, int top, int width, int height)
    : left_(left),
      top_(top),
      width_(width),
      height_(height),
      pixels_(std::size_t(width) * std::size_t(height), 0) {}

void fillPolygon(Canvas& c, const std::vector<Vec2>& points, const Shader& shade) {
    if (points.size() < 3) return;
    double minY = points[0].y, maxY = points[0].y;
    for (const Vec2& p : points) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int y0 = std::max(int(std::floor(minY)), c.top());
    const int y1 = std::min(int(std::ceil(maxY)), c.top() + c.height() - 1);
    std::vector<double> xs;
    for (int y = y0; y <= y1; ++y) {
        const double sy = y + 0.5;
        xs.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Vec2& p = points[i];
            const Vec2& q = points[(i + 1) % points.size()];
            if ((p.y <= sy && q.y > sy) || (q.y <= sy && p.y > sy))
                xs.push_back(p.x + (sy - p.y) / (q.y - p.y) * (q.x - p.x));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int xa = int(std::ceil(xs[i] - 0.5));
            const int xb = int(std::ceil(xs[i + 1] - 0.5)) - 1;
            for (int x = std::max(xa, c.left()); x <= std::min(xb, c.left() + c.width() - 1); ++x)
                c.set(x, y, shade(x, y));
        }
    }
}

void fillPolygon(Canvas& c, const std::vector<Vec2>& points, std::uint8_t colour) {
    fillPolygon(c, points, [colour](int, int) { return colour; });
}

void fillEllipse(Canvas& c, double cx, double cy, double rx, double ry, const Shader& shade) {
    if (rx <= 0 || ry <= 0) return;
    const int y0 = int(std::floor(cy - ry)), y1 = int(std::ceil(cy + ry));
    const int x0 = int(std::floor(cx - rx)), x1 = int(std::ceil(cx + rx));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) c.set(x, y, shade(x, y));
        }
}

void fillEllipse(Canvas& c, double cx, double cy, double rx, double ry, std::uint8_t colour) {
    fillEllipse(c, cx, cy, rx, ry, [colour](int, int) { return colour; });
}

void drawLine(Canvas& c, Vec2 a, Vec2 b, std::uint8_t colour) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const int steps = std::max(1, int(std::ceil(std::max(std::fabs(dx), std::fabs(dy)))));
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        c.set(int(std::floor(a.x + dx * t)), int(std::floor(a.y + dy * t)), colour);
    }
}

std::uint32_t hash32(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    std::uint64_t h = 0x243F6A8885A308D3ull;
    for (std::uint32_t v : {a, b, c, d}) {
        h ^= v;
        h *= 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    }
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return std::uint32_t(h);
}

double hashUnit(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    return hash32(a, b, c, d) / 4294967296.0;
}

double valueNoise(double x, double y, std::uint32_t seed, int latticeOffset) {
    const int i = int(std::floor(x)), j = int(std::floor(y));
    const double fx = x - i, fy = y - j;
    auto v = [&](int a, int b) {
        return hashUnit(seed, std::uint32_t(a + latticeOffset), std::uint32_t(b + latticeOffset));
    };
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double top = v(i, j) + (v(i + 1, j) - v(i, j)) * sx;
    const double bottom = v(i, j + 1) + (v(i + 1, j + 1) - v(i, j + 1)) * sx;
    return top + (bottom - top) * sy;
}

double cellNoise(double a, double b, int cells, std::uint32_t edgeSeed, std::uint32_t innerSeed) {
    auto lattice = [&](int i, int j) {
        i = ((i % cells) + cells) % cells;
        j = ((j % cells) + cells) % cells;
        const std::uint32_t seed = (i == 0 || j == 0) ? edgeSeed : innerSeed;
        return hashUnit(seed, std::uint32_t(i), std::uint32_t(j), std::uint32_t(cells));
    };
    const double u = a * cells, v = b * cells;
    const int i = int(std::floor(u)), j = int(std::floor(v));
    const double fu = u - i, fv = v - j;
    const double su = fu * fu * (3 - 2 * fu), sv = fv * fv * (3 - 2 * fv);
    const double top = lattice(i, j) + (lattice(i + 1, j) - lattice(i, j)) * su;
    const double bottom = lattice(i, j + 1) + (lattice(i + 1, j + 1) - lattice(i, j + 1)) * su;
    return top + (bottom - top) * sv;
}

Vec2 cellToBox(double a, double b, double z) {
    return {29.0 + 29.0 * (a - b), 15.0 * (a + b) - z};
}

CellPoint boxToCell(int px, int py) {
    const double dx = (px + 0.5 - 29.0) / 29.0, dy = (py + 0.5) / 15.0;
    return {(dy + dx) / 2.0, (dy - dx) / 2.0};
}

double clamp01(double v) {
    return v < 0 ? 0 : v > 1 ? 1 : v;
}

double smoothstep(double e0, double e1, double v) {
    const double t = clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

}  // namespace d7::samplegen
