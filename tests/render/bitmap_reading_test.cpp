#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "core/model/auxiliary_planes.h"
#include "core/model/bmp_file.h"
#include "core/model/file_io.h"
#include "core/model/plane_bitmaps.h"
#include "render/bitmap_reading.h"
#include "render/pixel_grid_image.h"
#include "support/bmp_builder.h"
#include "support/map_builder.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

using test::BmpVariant;
using tiles::PixelGrid;

// w x h in the first `colours` colours of a ramp, with long runs in row 0,
// alternating pixels in row 1 and a changing mix below.
PixelGrid pattern(int w, int h, int colours) {
    PixelGrid p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int k = y == 0 ? x / 6 : y == 1 ? x % 2 : (x * x + 3 * y) % colours;
            p.at(x, y) = tiles::pixelOf(0x102030u * std::uint32_t(k % colours + 1));
        }
    return p;
}

Bytes qtBmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "BMP"));
    return Bytes(bytes.begin(), bytes.end());
}

TEST(BitmapReading, EveryVariantPaintProgramsWriteReadsAsThePicture) {
    const PixelGrid two = pattern(13, 5, 2), sixteen = pattern(37, 6, 16);
    const BmpVariant variants[] = {
        {1},
        {4},
        {8},
        {24},
        {32},
        {4, true},
        {8, true},
        {24, false, true},
        {8, false, true},
        {8, false, false, 12},
        {24, false, false, 12},
        {32, false, false, 124},
    };
    for (const BmpVariant& v : variants)
        for (const PixelGrid* picture : {&two, &sixteen}) {
            if (v.bits == 1 && picture == &sixteen) continue;
            const PixelGrid read = render::decodeBitmap(test::makeBmp(*picture, v), "t.bmp");
            EXPECT_EQ(read, *picture) << v.bits << " bits, rle " << v.rle << ", top-down "
                                      << v.topDown << ", header " << v.headerSize;
        }
    // What Qt itself writes: 24 bits, and 8 bits with a colour table.
    const QImage image = render::imageOf(sixteen);
    EXPECT_EQ(render::decodeBitmap(qtBmp(image), "q.bmp"), sixteen);
    EXPECT_EQ(render::decodeBitmap(qtBmp(image.convertToFormat(QImage::Format_Indexed8)), "q.bmp"),
              sixteen);
}

TEST(BitmapReading, DamagedFilesAreRefusedNamingFileAndReason) {
    const Bytes good = test::makeBmp(pattern(13, 5, 2), {8});
    const Bytes rle = test::makeBmp(pattern(37, 6, 16), {8, true});
    auto with = [](Bytes b, std::size_t at, std::uint32_t v, int n = 4) {
        for (int i = 0; i < n; ++i) b.at(at + std::size_t(i)) = std::uint8_t(v >> (8 * i));
        return b;
    };
    const std::pair<Bytes, const char*> cases[] = {
        {Bytes{'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "is not a bitmap file"},
        {with(good, 14, 41), "has a header of 41 bytes"},
        {Bytes(good.begin(), good.end() - 3), "is truncated"},
        {Bytes(rle.begin(), rle.begin() + 140), "is truncated"},
        {with(good, 18, 100000), "declares a picture of 100000 x 5 pixels; at most 4096 x 4096"},
        {with(good, 22, 0), "declares a picture of 13 x 0 pixels"},
        {with(with(good, 28, 24, 2), 30, 4), "uses compression 4 with 24 bits per pixel"},
        {with(good, 28, 7, 2), "has 7 bits per pixel"},
        {with(good, 10, 900000), "places its pixels outside the file"},
        {with(good, 46, 100000), "declares 100000 colours"},
        {with(rle, 22, std::uint32_t(-6)), "is compressed with its rows top-down"},
    };
    test::TempDir dir;
    for (const auto& [bytes, reason] : cases) {
        const fs::path file = dir / "damaged.bmp";
        test::writeBytes(file, bytes);
        try {
            render::readBitmapFile(file);
            ADD_FAILURE() << "accepted, expected: " << reason;
        } catch (const FileError& e) {
            EXPECT_EQ(e.path(), file);
            EXPECT_NE(e.reason().find(reason), std::string::npos) << e.reason();
        }
    }
}

TEST(BitmapReading, AnExportedMaskResavedByAnotherProgramImportsUnchanged) {
    auto st = makeEditorState();
    test::installTestGraphics(st->gfx);
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) st->planes.M5.at(x, y) = std::uint8_t((x / 9 + y / 7) % 17);
    buildDomainMask(*st);
    test::TempDir dir;
    const PixelGrid exported = exportPlanePicture(*st, PicturePlane::DomainMask);
    writeBmp32(dir / "mask.bmp", 128, 128, exported.pixels);

    // Opened and saved again: by Qt (24 bits) and as an 8-bit compressed file.
    const QImage opened(QString::fromStdString((dir / "mask.bmp").string()));
    ASSERT_EQ(opened.size(), QSize(128, 128));
    test::writeBytes(dir / "resaved.bmp", qtBmp(opened));
    test::writeBytes(dir / "rle.bmp", test::makeBmp(exported, {8, true}));
    for (const char* name : {"mask.bmp", "resaved.bmp", "rle.bmp"}) {
        MinimapPlane mask;
        pictureToPlane(render::readBitmapFile(dir / name), st->gfx.palette, mask.bytes);
        EXPECT_EQ(mask, st->planes.Ext1) << name;
    }
}

}  // namespace
}  // namespace d7
