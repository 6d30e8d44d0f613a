#include "render/bitmap_reading.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <algorithm>

#include "core/model/file_io.h"

namespace d7::render {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // the oldest header: 16-bit sizes, no compression
constexpr std::uint32_t kKnownHeaderSizes[] = {kCoreHeaderSize, 40, 52, 56, 64, 108, 124};

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3 };

// Anything larger cannot hold a picture within kMaxBitmapSide.
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t(kMaxBitmapSide) * kMaxBitmapSide * 4 + 65536;

std::uint32_t u16(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8;
}
std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
    return u16(b, at) | u16(b, at + 2) << 16;
}

struct Header {
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: rows top-down
    std::uint32_t planes = 1;
    std::uint32_t bits = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t coloursUsed = 0;
    std::uint32_t dataOffset = 0;
};

std::string sizeText(std::int64_t w, std::int64_t h) {
    return std::to_string(w) + " x " + std::to_string(h);
}

// Walks run-length compressed pixels without decoding them: every code must
// lie inside the file, and the codes must reach the end of the picture.
std::optional<std::string> rleProblem(std::span<const std::uint8_t> data, bool fourBits,
                                      std::int64_t height) {
    std::size_t at = 0;
    std::int64_t row = 0;
    const std::string truncated = "is truncated (its compressed pixels stop early)";
    while (at + 2 <= data.size()) {
        const std::uint32_t count = data[at], code = data[at + 1];
        at += 2;
        if (count > 0) continue;  // a run of one colour
        if (code == 0) {
            ++row;  // end of line
        } else if (code == 1) {
            return std::nullopt;  // end of picture
        } else if (code == 2) {
            if (at + 2 > data.size()) return truncated;
            row += data[at + 1];
            at += 2;
        } else {
            std::size_t bytes = fourBits ? (code + 1) / 2 : code;
            bytes += bytes & 1;  // pixel runs are padded to whole words
            if (at + bytes > data.size()) return truncated;
            at += bytes;
        }
    }
    // Some writers leave out the final end-of-picture code after the last line.
    if (row >= height) return std::nullopt;
    return truncated;
}

std::optional<std::string> readHeader(std::span<const std::uint8_t> b, Header& h) {
    if (b.size() < kFileHeaderSize + 4 || b[0] != 'B' || b[1] != 'M') return "is not a bitmap file";
    h.dataOffset = u32(b, 10);
    h.headerSize = u32(b, kFileHeaderSize);
    if (std::find(std::begin(kKnownHeaderSizes), std::end(kKnownHeaderSizes), h.headerSize) ==
        std::end(kKnownHeaderSizes))
        return "has a header of " + std::to_string(h.headerSize) + " bytes, which no bitmap has";
    if (b.size() < kFileHeaderSize + h.headerSize) return "is truncated (inside its header)";
    const std::size_t at = kFileHeaderSize;
    if (h.headerSize == kCoreHeaderSize) {
        h.width = u16(b, at + 4);
        h.height = std::int16_t(u16(b, at + 6));
        h.planes = u16(b, at + 8);
        h.bits = u16(b, at + 10);
        return std::nullopt;
    }
    h.width = std::int32_t(u32(b, at + 4));
    h.height = std::int32_t(u32(b, at + 8));
    h.planes = u16(b, at + 12);
    h.bits = u16(b, at + 14);
    h.compression = u32(b, at + 16);
    h.coloursUsed = u32(b, at + 32);
    return std::nullopt;
}

std::optional<std::string> headerProblem(const Header& h) {
    if (h.width <= 0 || h.height == 0)
        return "declares a picture of " + sizeText(h.width, h.height) + " pixels";
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    if (h.width > kMaxBitmapSide || rows > kMaxBitmapSide)
        return "declares a picture of " + sizeText(h.width, rows) + " pixels; at most " +
               sizeText(kMaxBitmapSide, kMaxBitmapSide) + " is read";
    if (h.planes != 1)
        return "declares " + std::to_string(h.planes) + " colour planes instead of 1";
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        return "has " + std::to_string(h.bits) + " bits per pixel, which no bitmap has";
    const bool fits = h.compression == kRgb || (h.compression == kRle8 && h.bits == 8) ||
                      (h.compression == kRle4 && h.bits == 4) ||
                      (h.compression == kBitfields && (h.bits == 16 || h.bits == 32));
    if (!fits)
        return "uses compression " + std::to_string(h.compression) + " with " +
               std::to_string(h.bits) + " bits per pixel, which cannot be read";
    if (h.height < 0 && (h.compression == kRle8 || h.compression == kRle4))
        return "is compressed with its rows top-down, which bitmaps cannot be";
    return std::nullopt;
}

std::optional<std::string> layoutProblem(std::span<const std::uint8_t> b, const Header& h) {
    const std::size_t tableStart = kFileHeaderSize + h.headerSize;
    if (h.dataOffset < tableStart || h.dataOffset > b.size())
        return "places its pixels outside the file";
    if (h.bits <= 8) {
        const std::uint64_t colours = h.coloursUsed ? h.coloursUsed : 1u << h.bits;
        const std::uint64_t entry = h.headerSize == kCoreHeaderSize ? 3 : 4;
        if (colours > 256) return "declares " + std::to_string(colours) + " colours in its table";
        if (tableStart + colours * entry > b.size())
            return "is truncated (inside its colour table)";
    }
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    const auto data = b.subspan(h.dataOffset);
    if (h.compression == kRle8 || h.compression == kRle4)
        return rleProblem(data, h.compression == kRle4, rows);
    const std::uint64_t rowBytes = (std::uint64_t(h.width) * h.bits + 31) / 32 * 4;
    if (rowBytes * std::uint64_t(rows) > data.size())
        return "is truncated (" + std::to_string(data.size()) + " bytes of pixels where " +
               std::to_string(rowBytes * std::uint64_t(rows)) + " are needed)";
    return std::nullopt;
}

}  // namespace

std::optional<std::string> bitmapProblem(std::span<const std::uint8_t> bytes) {
    Header h;
    if (auto problem = readHeader(bytes, h)) return problem;
    if (auto problem = headerProblem(h)) return problem;
    return layoutProblem(bytes, h);
}

tiles::PixelGrid decodeBitmap(std::span<const std::uint8_t> bytes,
                              const std::filesystem::path& file) {
    if (auto problem = bitmapProblem(bytes)) throw FileError(file, *problem);
    QByteArray data(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    QImage image = reader.read();
    if (image.isNull())
        throw FileError(
            file, "cannot be decoded as a bitmap (" + reader.errorString().toStdString() + ")");
    image = image.convertToFormat(QImage::Format_ARGB32);
    tiles::PixelGrid grid(image.width(), image.height());
    for (int y = 0; y < grid.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < grid.width; ++x) grid.at(x, y) = tiles::pixelOf(line[x]);
    }
    return grid;
}

tiles::PixelGrid readBitmapFile(const std::filesystem::path& path) {
    return decodeBitmap(readWholeFile(path, kMaxFileSize), path);
}

}  // namespace d7::render
