#include "render/tile_pictures.h"

#include <QPainter>

#include "core/tiles/frame_enlargement.h"
#include "core/tiles/graphics_commands.h"
#include "render/cell_labels.h"

namespace d7::render {

tiles::PixelTarget pixelTarget(QImage& image) {
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
            image.bytesPerLine() / 4};
}

void rebuildTilePalettes(TilePalettes& images, const EditorState& st, int s) {
    const bool ready = tiles::isReady(st);
    for (int type = 0; type < tiles::kPaletteTypes; ++type) {
        const tiles::PixelSize size = tiles::paletteSize(st.gfx, type, s);
        QImage& image = images[std::size_t(type)];
        if (image.size() != QSize(size.width, size.height) ||
            image.format() != QImage::Format_RGB32)
            image = QImage(size.width, size.height, QImage::Format_RGB32);
        if (ready)
            tiles::drawTilePalette(pixelTarget(image), st.gfx, type, s);
        else
            image.fill(QColor::fromRgb(tiles::kBlackPixel));
    }
}

TilePalettes buildTilePalettes(const EditorState& st, int s) {
    TilePalettes images;
    rebuildTilePalettes(images, st, s);
    return images;
}

QImage makeSelectionFrameImage(int blockSize, int s) {
    QImage image(blockSize * 58 * s, blockSize * 30 * s, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(kSelectionFrameTransparent));
    QPainter painter(&image);
    painter.setPen(QColor::fromRgb(kSelectionFrameColour));
    painter.drawRect(0, 0, image.width() - 2, image.height() - 2);
    return image;
}

QImage makeTileCursorImage(const tiles::Graphics& gfx, const tiles::TileChoice& choice, int z) {
    QImage image(choice.blockSize * 58 * z, choice.blockSize * 30 * z, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(kCursorTransparent));
    tiles::drawTileChoice(pixelTarget(image), gfx, choice, z, 0, 0);
    return image;
}

QImage makeFrameInspectionImage(const tiles::Tileset& ts, const tiles::Palette& palette, int k,
                                int p) {
    const auto shape = tiles::frameShape(ts, k);
    if (!shape || p < 1) return {};
    QImage image(58 * p, tiles::inspectionRows(*shape) * p, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(tiles::kBlackPixel));
    tiles::drawFrameInspection(pixelTarget(image), ts, palette, k, p);
    return image;
}

}  // namespace d7::render
