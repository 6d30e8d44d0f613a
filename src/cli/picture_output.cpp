#include "cli/picture_output.h"

#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <cstdio>

#include "cli/cli_args.h"
#include "core/model/bmp_file.h"
#include "core/model/file_io.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/graphics_loading.h"

namespace d7::cli {

namespace {

// Only Qt's critical and fatal messages reach stderr: its notes about the
// desktop environment would mix with the tool's own one-line errors.
void criticalMessagesOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

}  // namespace

PictureFormat pictureFormatOf(const std::string& out) {
    std::string ext = fs::path(out).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == ".png") return PictureFormat::Png;
    if (ext == ".bmp") return PictureFormat::Bmp;
    throw UsageError("OUT must end in .png or .bmp");
}

GuiForText::GuiForText() {
    if (QGuiApplication::instance()) return;
    previousHandler_ = qInstallMessageHandler(criticalMessagesOnly);
    app_.emplace(argc_, argv_);
}

GuiForText::~GuiForText() {
    if (!app_) return;
    app_.reset();
    qInstallMessageHandler(previousHandler_);
}

void writePicture(const QImage& picture, const std::string& out, PictureFormat format) {
    if (format == PictureFormat::Bmp) {
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
        writeBmp32(out, rgb.width(), rgb.height(),
                   std::span(reinterpret_cast<const std::uint32_t*>(rgb.constBits()),
                             std::size_t(rgb.width()) * std::size_t(rgb.height())));
        return;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) throw FileError(out, "cannot encode the PNG picture");
    writeFileAtomic(out, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   std::size_t(bytes.size())));
}

void drawMapPicture(EditorState& st, render::MapRenderer& renderer, const PictureOptions& options) {
    tiles::loadDefaultPalette(st);
    tiles::loadTilesets(st.gfx, st.pl8Dir, options.season);
    if (options.dark) tiles::chooseBrightness(st, true);
    st.view.zoom = options.zoom;
    st.view.viewMode = options.viewMode;
    st.view.showBlacksmiths = options.blacksmiths;
    st.view.selectedTrader = options.trader;
    st.view.routeDisplay = options.routeDisplay;
    renderer.redrawMap();
}

}  // namespace d7::cli
