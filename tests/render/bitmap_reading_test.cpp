#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "core/model/auxiliary_planes.h"
#include "core/model/bmp_file.h"
#include "core/model/file_io.h"
#include "core/model/plane_bitmaps.h"
#include "render/bitmap_reading.h"
#include "support/map_builder.h"
#include "support/test_paths.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

using tiles::PixelGrid;

fs::path fixture(const char* name) {
    return fs::path(D7_SOURCE_DIR) / "tests/data/bitmaps" / name;
}

// The pictures of the fixtures, as tests/data/bitmaps/make_bitmaps.py draws them.
PixelGrid pattern(int w, int h, int n) {
    PixelGrid p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int k = y == 0 ? x / 6 : y == 1 ? x % 2 : (x * x + 3 * y) % n;
            p.at(x, y) =
                tiles::pixelOf(std::uint32_t(12 * k << 16 | (40 + 9 * k) << 8 | (250 - 11 * k)));
        }
    return p;
}

TEST(BitmapReading, FilesAsImageConvertersWriteThemReadAsTheirPictures) {
    PixelGrid two(13, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            two.at(x, y) = tiles::pixelOf((x * y + x) % 3 ? 0xFFFFFF : 0x000080);
    const PixelGrid few = pattern(21, 9, 12), many = pattern(23, 9, 20);
    const std::pair<const char*, const PixelGrid*> files[] = {
        {"two-1bit.bmp", &two},   {"few-4bit.bmp", &few},       {"few-4bit-rle.bmp", &few},
        {"many-8bit.bmp", &many}, {"many-8bit-rle.bmp", &many}, {"many-24bit.bmp", &many},
        {"many-32bit.bmp", &many}};
    for (const auto& [name, picture] : files)
        EXPECT_EQ(render::readBitmapFile(fixture(name)), *picture) << name;

    // Rows from the top: the 24-bit file with its rows reversed and a negative height.
    const Bytes bottomUp = test::fileBytes(fixture("many-24bit.bmp"));
    Bytes topDown(bottomUp.begin(), bottomUp.begin() + 54);
    for (int r = 8; r >= 0; --r)
        topDown.insert(topDown.end(), bottomUp.begin() + 54 + 72 * r,
                       bottomUp.begin() + 54 + 72 * (r + 1));
    topDown[22] = std::uint8_t(-9);
    topDown[23] = topDown[24] = topDown[25] = 0xFF;
    EXPECT_EQ(render::decodeBitmap(topDown, "top-down.bmp"), many);
}

TEST(BitmapReading, DamagedFilesAreRefusedNamingFileAndReason) {
    const Bytes good = test::fileBytes(fixture("many-8bit.bmp"));
    const Bytes rle = test::fileBytes(fixture("many-8bit-rle.bmp"));
    auto with = [](Bytes b, std::size_t at, std::uint32_t v, int n = 4) {
        for (int i = 0; i < n; ++i) b.at(at + std::size_t(i)) = std::uint8_t(v >> (8 * i));
        return b;
    };
    const std::pair<Bytes, const char*> cases[] = {
        {Bytes{'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "is not a bitmap file"},
        {with(good, 14, 41), "has a header of 41 bytes"},
        {Bytes(good.begin(), good.end() - 3), "is truncated"},
        {Bytes(rle.begin(), rle.begin() + 1100), "is truncated"},
        {with(good, 18, 100000), "declares a picture of 100000 x 9 pixels; at most 4096 x 4096"},
        {with(good, 22, 0), "declares a picture of 23 x 0 pixels"},
        {with(with(good, 28, 24, 2), 30, 4), "uses compression 4 with 24 bits per pixel"},
        {with(good, 28, 7, 2), "has 7 bits per pixel"},
        {with(good, 10, 900000), "places its pixels outside the file"},
        {with(good, 46, 100000), "declares 100000 colours"},
        {with(rle, 22, std::uint32_t(-9)), "is compressed with its rows top-down"},
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

    // Opened and saved again with 24 bits and with a colour table.
    const QImage opened(QString::fromStdString((dir / "mask.bmp").string()));
    ASSERT_EQ(opened.size(), QSize(128, 128));
    ASSERT_TRUE(opened.save(QString::fromStdString((dir / "24.bmp").string()), "BMP"));
    ASSERT_TRUE(opened.convertToFormat(QImage::Format_Indexed8)
                    .save(QString::fromStdString((dir / "8.bmp").string()), "BMP"));
    for (const char* name : {"mask.bmp", "24.bmp", "8.bmp"}) {
        MinimapPlane mask;
        pictureToPlane(render::readBitmapFile(dir / name), st->gfx.palette, mask.bytes);
        EXPECT_EQ(mask, st->planes.Ext1) << name;
    }
}

}  // namespace
}  // namespace d7
