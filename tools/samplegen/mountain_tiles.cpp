// The mountain tileset: four kinds of 2 x 2 mountains (frames 4t .. 4t+3)
// and the 3 x 3 massif (frames 16 .. 24), rendered from height fields so
// that the pieces of one mountain join into one picture, peaks rising into
// the extension layers.
#include <algorithm>
#include <cmath>

#include "samplegen/iso_scene.h"
#include "samplegen/tileset_art.h"

namespace d7::samplegen {

namespace {

struct Peak {
    double a, b;    // position in block cells
    double height;  // pixels
    double radius;  // cells
    double sharp;   // exponent of the flank profile
};

struct MountainShape {
    int size;  // 2 or 3
    std::vector<Peak> peaks;
    std::uint32_t seed;
};

double rockNoise(double x, double y, std::uint32_t seed) {
    return valueNoise(x, y, seed, 1000);
}

double heightAt(const MountainShape& m, double a, double b) {
    double z = 0;
    for (const Peak& p : m.peaks) {
        const double d = std::hypot(a - p.a, b - p.b) / p.radius;
        if (d < 1) z = std::max(z, p.height * std::pow(1 - d, p.sharp));
    }
    // Rugged flanks, and a foot that stays inside the block.
    const double rough = 0.82 + 0.36 * rockNoise(a * 5, b * 5, m.seed);
    const double edge = std::min({a, b, m.size - a, m.size - b});
    return z * rough * smoothstep(0.0, 0.42, edge);
}

void paintMountain(IsoScene& scene, const MountainShape& m) {
    const SeasonStyle& st = scene.style();
    double top = 0;
    for (const Peak& p : m.peaks) top = std::max(top, p.height);
    const int steps = 90 * m.size;
    const double h = double(m.size) / steps;
    // Heights on the sample lattice, with a margin of one sample for the slopes.
    const int side = steps + 3;
    std::vector<double> height(std::size_t(side * side));
    auto at = [&](int i, int j) -> double& {
        return height[std::size_t((j + 1) * side + (i + 1))];
    };
    for (int j = -1; j <= steps + 1; ++j)
        for (int i = -1; i <= steps + 1; ++i) at(i, j) = heightAt(m, i * h, j * h);
    // Back to front: every sample covers what lies behind it.
    for (int s = 0; s <= 2 * steps; ++s)
        for (int i = std::max(0, s - steps); i <= std::min(s, steps); ++i) {
            const int j = s - i;
            const double a = i * h, b = j * h;
            const double z = at(i, j);
            if (z < 1.0) continue;
            const double ga = (at(i + 1, j) - at(i - 1, j)) / (2 * h) / 32.0;
            const double gb = (at(i, j + 1) - at(i, j - 1)) / (2 * h) / 32.0;
            // Light from the left of the screen (towards -A and +B) and above.
            const double nx = -ga, ny = -gb, nz = 1.0;
            const double lx = -0.35, ly = 0.55, lz = 0.76;
            const double lambert =
                (nx * lx + ny * ly + nz * lz) / std::sqrt(nx * nx + ny * ny + nz * nz);
            const Vec2 p = scene.screen(a, b, z);
            const int px = int(std::floor(p.x)), py = int(std::floor(p.y));
            const double strata = rockNoise(a * 9, z / 5.0, m.seed + 1) - 0.5;
            std::uint8_t c;
            if (z > top * (st.snowLine + 0.12 * (rockNoise(a * 7, b * 7, m.seed + 2) - 0.5))) {
                c = ramp::kSnow.at(int(std::floor(2 + lambert * 10 + strata * 1.5)));
            } else if (z < 5 + 4 * rockNoise(a * 6, b * 6, m.seed + 3)) {
                c = shadeWithin(groundColour(st, {a - std::floor(a), b - std::floor(b)}, px, py, 3),
                                int(std::floor((lambert - 0.55) * 4)));
            } else {
                c = ramp::kRock.at(int(std::floor(0.5 + lambert * 8 + strata * 2.2)));
            }
            for (int dy = 0; dy < 2; ++dy) scene.canvas().set(px, py + dy, c);
        }
}

Frame pieceOf(const IsoScene& scene, int i, int j) {
    return scene.cut(i, j, kLayersUp);
}

// The four pieces of a 2 x 2 mountain in frame order: top, left, right, bottom.
void appendBlock2(std::vector<Frame>& frames, const SeasonStyle& st, const MountainShape& m) {
    IsoScene scene(2, 64, st);
    scene.fillSeasonGround(90);
    paintMountain(scene, m);
    frames.push_back(pieceOf(scene, 0, 0));
    frames.push_back(pieceOf(scene, 0, 1));
    frames.push_back(pieceOf(scene, 1, 0));
    frames.push_back(pieceOf(scene, 1, 1));
}

}  // namespace

std::vector<Frame> mountainFrames(const SeasonStyle& st) {
    const MountainShape kinds[] = {
        {2, {{1.0, 1.0, 54, 1.0, 1.15}}, 101},
        {2, {{0.72, 0.8, 50, 0.85, 1.1}, {1.32, 1.22, 38, 0.75, 1.1}}, 202},
        {2,
         {{0.55, 1.0, 36, 0.7, 1.0}, {1.0, 0.95, 44, 0.75, 1.1}, {1.45, 1.05, 34, 0.7, 1.0}},
         303},
        {2, {{1.0, 1.0, 32, 1.05, 0.75}, {0.7, 1.3, 24, 0.6, 0.8}}, 404},
    };
    std::vector<Frame> frames;
    for (const MountainShape& m : kinds) appendBlock2(frames, st, m);
    // The massif; its first four pieces double as the fifth 2 x 2 kind.
    const MountainShape massif{3,
                               {{1.35, 1.3, 80, 1.25, 1.1},
                                {2.0, 1.05, 58, 0.9, 1.1},
                                {1.0, 2.05, 52, 0.85, 1.1},
                                {2.1, 2.05, 42, 0.8, 1.0}},
                               505};
    IsoScene scene(3, 96, st);
    scene.fillSeasonGround(95);
    paintMountain(scene, massif);
    // Frame order of a 3 x 3 block: (0,0), (0,1), (1,0), (0,2), (1,1), (2,0), (1,2), (2,1), (2,2).
    constexpr int kOrder[9][2] = {{0, 0}, {0, 1}, {1, 0}, {0, 2}, {1, 1},
                                  {2, 0}, {1, 2}, {2, 1}, {2, 2}};
    for (const auto& c : kOrder) frames.push_back(pieceOf(scene, c[0], c[1]));
    return frames;
}

}  // namespace d7::samplegen
