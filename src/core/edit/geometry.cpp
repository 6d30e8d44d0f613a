#include "core/edit/geometry.h"

#include "core/tiles/graphics.h"

namespace d7 {

long long roundHalfEven(long long num, long long den) {
    long long q = num / den, r = num % den;
    if (r < 0) {
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && (q & 1))) ++q;
    return q;
}

Point screenToCell(int px, int py, int z) {
    // (px - 1827z)/(58z) + py/(30z) as one exact fraction, so halves are exact.
    long long k = roundHalfEven(30LL * (px - kMapOriginX * z) + 58LL * py, 1740LL * z);
    long long row = roundHalfEven(py, 15LL * z);
    return {std::int32_t(k - 1), std::int32_t(row - k)};
}

bool isRoad(const WorkingPlanes& p, int x, int y) {
    return inMap(x, y) && (p.M0.at(x, y) & flags::kRoad);
}
bool isBorder(const WorkingPlanes& p, int x, int y) {
    return inMap(x, y) && (p.M0.at(x, y) & flags::kBorder);
}
bool isSea(const WorkingPlanes& p, int x, int y) {
    return inMap(x, y) && p.M0.at(x, y) == flags::kSea;
}
bool isForest(const WorkingPlanes& p, int x, int y) {
    return inMap(x, y) && (p.M0.at(x, y) & flags::kUnpassable) && p.M1.at(x, y) == tileset::kRoad;
}
bool isMountain(const WorkingPlanes& p, int x, int y) {
    return inMap(x, y) && p.M1.at(x, y) == tileset::kMountain;
}
bool isVillage(const WorkingPlanes& p, int x, int y) {
    return inMap(x, y) && (p.M0.at(x, y) & flags::kVillage);
}
bool isField(const WorkingPlanes& p, int x, int y) {
    return inMap(x, y) && (p.M0.at(x, y) & flags::kField);
}
bool isTown(const WorkingPlanes& p, int x, int y) {
    return inMap(x, y) && (p.M0.at(x, y) & flags::kTown);
}
bool isCastle(const WorkingPlanes& p, int x, int y) {
    return inMap(x, y) && (p.M0.at(x, y) & flags::kBuilding) && (p.M1.at(x, y) & 0x0C) != 0x0C;
}
bool isResource(const WorkingPlanes& p, int x, int y) {
    return inMap(x, y) && (p.M0.at(x, y) & flags::kBuilding) && (p.M1.at(x, y) & 0x0C) == 0x0C;
}

int objectSize(const WorkingPlanes& p, int x, int y) {
    if (!inMap(x, y)) return 1;
    if (p.M1.at(x, y) == tileset::kMountain) return p.M2.at(x, y) >= 16 ? 3 : 2;
    if (isCastle(p, x, y) || isTown(p, x, y)) return 2;
    return 1;
}

Point objectOrigin(const WorkingPlanes& p, int x, int y, int w) {
    if (!inMap(x, y) || w <= 0) return {x, y};
    int part = p.M3.at(x, y);
    return {x - part % w, y - part / w};
}

int blockDomainCount(const WorkingPlanes& p, int x, int y) {
    if (!inMap(x, y) || !inMap(x + 1, y + 1)) return 2;
    const int d = p.M5.at(x, y);
    int count = 1;
    for (Offset o : {Offset{1, 0}, Offset{0, 1}, Offset{1, 1}})
        if (p.M5.at(x + o.dx, y + o.dy) != d) ++count;
    return count;
}

int blockRoadCount(const WorkingPlanes& p, int x, int y) {
    int count = 0;
    for (Offset o : kBlockRing)
        if (isRoad(p, x + o.dx, y + o.dy)) ++count;
    return count;
}

std::optional<DrawSource> drawSource(const WorkingPlanes& p, int x, int y) {
    if (!inMap(x, y)) return std::nullopt;
    int frame = p.M2.at(x, y);
    switch (p.M1.at(x, y)) {
        case tileset::kMountain:
            return DrawSource{tiles::kMountainTiles, frame};
        case tileset::kRoad:
            return DrawSource{tiles::kRoadTiles, frame};
        case tileset::kTown:
            if (p.M0.at(x, y) == flags::kTown) frame += 47;
            return DrawSource{tiles::kTownTiles, frame};
        default:
            return DrawSource{tiles::kBaseTiles, frame};
    }
}

}  // namespace d7
