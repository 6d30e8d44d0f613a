#include "support/bmp_builder.h"

#include <algorithm>
#include <stdexcept>

namespace d7::test {

namespace {

void put(Bytes& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}

// Runs of one index and absolute runs (three or more different indices),
// each row ended by end-of-line and the picture by end-of-picture.
void appendRleRow(Bytes& b, const std::vector<std::uint8_t>& row, bool fourBits) {
    std::size_t x = 0;
    while (x < row.size()) {
        std::size_t run = 1;
        while (x + run < row.size() && row[x + run] == row[x] && run < 255) ++run;
        std::size_t literal = 0;
        while (run == 1 && x + literal < row.size() && literal < 254 &&
               (x + literal + 1 >= row.size() || row[x + literal] != row[x + literal + 1]))
            ++literal;
        if (literal >= 3) {
            b.push_back(0);
            b.push_back(std::uint8_t(literal));
            Bytes data;
            for (std::size_t i = 0; i < literal; ++i) {
                if (!fourBits)
                    data.push_back(row[x + i]);
                else if (i % 2 == 0)
                    data.push_back(std::uint8_t(row[x + i] << 4));
                else
                    data.back() |= row[x + i];
            }
            if (data.size() % 2) data.push_back(0);
            b.insert(b.end(), data.begin(), data.end());
            x += literal;
            continue;
        }
        b.push_back(std::uint8_t(run));
        b.push_back(fourBits ? std::uint8_t(row[x] << 4 | row[x]) : row[x]);
        x += run;
    }
    b.push_back(0);
    b.push_back(0);
}

}  // namespace

Bytes makeBmp(const tiles::PixelGrid& picture, const BmpVariant& v) {
    const int w = picture.width, h = picture.height;
    std::vector<std::uint32_t> table;
    if (v.bits <= 8) {
        for (std::uint32_t p : picture.pixels)
            if (std::find(table.begin(), table.end(), tiles::rgbOf(p)) == table.end())
                table.push_back(tiles::rgbOf(p));
        if (table.size() > (1u << v.bits)) throw std::logic_error("too many colours");
    }
    auto indexOf = [&](int x, int y) {
        const auto rgb = tiles::rgbOf(picture.at(x, y));
        return std::uint8_t(std::find(table.begin(), table.end(), rgb) - table.begin());
    };
    Bytes pixels;
    for (int r = 0; r < h; ++r) {
        const int y = v.topDown ? r : h - 1 - r;
        std::vector<std::uint8_t> indices;
        for (int x = 0; x < w && v.bits <= 8; ++x) indices.push_back(indexOf(x, y));
        if (v.rle) {
            appendRleRow(pixels, indices, v.bits == 4);
            continue;
        }
        const std::size_t start = pixels.size();
        if (v.bits <= 8) {
            Bytes packed((std::size_t(w) * std::size_t(v.bits) + 7) / 8, 0);
            for (int x = 0; x < w; ++x) {
                const int bit = x * v.bits;
                packed[std::size_t(bit / 8)] |=
                    std::uint8_t(indices[std::size_t(x)] << (8 - v.bits - bit % 8));
            }
            pixels.insert(pixels.end(), packed.begin(), packed.end());
        } else {
            // A file with an alpha mask says "opaque"; the others leave the byte 0.
            const std::uint32_t alpha = v.headerSize > 40 ? 0xFF000000u : 0;
            for (int x = 0; x < w; ++x)
                put(pixels, alpha | tiles::rgbOf(picture.at(x, y)), v.bits / 8);
        }
        while ((pixels.size() - start) % 4) pixels.push_back(0);
    }
    if (v.rle) {
        pixels.push_back(0);
        pixels.push_back(1);
    }

    const bool core = v.headerSize == 12;
    // The short header has no colour count: its table always holds every index.
    if (core && v.bits <= 8) table.resize(std::size_t(1) << v.bits, 0);
    const std::size_t tableBytes = table.size() * (core ? 3 : 4);
    const std::size_t offset = 14 + std::size_t(v.headerSize) + tableBytes;
    Bytes b = {'B', 'M'};
    put(b, std::uint32_t(offset + pixels.size()), 4);
    put(b, 0, 4);
    put(b, std::uint32_t(offset), 4);
    put(b, std::uint32_t(v.headerSize), 4);
    if (core) {
        put(b, std::uint32_t(w), 2);
        put(b, std::uint32_t(h), 2);
        put(b, 1, 2);
        put(b, std::uint32_t(v.bits), 2);
    } else {
        put(b, std::uint32_t(w), 4);
        put(b, std::uint32_t(v.topDown ? -h : h), 4);
        put(b, 1, 2);
        put(b, std::uint32_t(v.bits), 2);
        const std::uint32_t compression = v.rle ? (v.bits == 8 ? 1 : 2) : v.headerSize > 40 ? 3 : 0;
        put(b, compression, 4);
        put(b, std::uint32_t(pixels.size()), 4);
        put(b, 2835, 4);
        put(b, 2835, 4);
        put(b, std::uint32_t(table.size()), 4);
        put(b, 0, 4);
        if (v.headerSize > 40) {
            // Colour masks (red, green, blue, alpha), colour space "sRGB", then zeros.
            for (std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u})
                put(b, mask, 4);
            put(b, 0x73524742u, 4);
            b.resize(14 + std::size_t(v.headerSize), 0);
        }
    }
    for (std::uint32_t c : table) put(b, c, core ? 3 : 4);
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

}  // namespace d7::test
