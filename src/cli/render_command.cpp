// render: the map picture of one map, written as PNG or BMP.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "cli/game_session.h"
#include "core/model/bmp_file.h"
#include "core/model/file_io.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/graphics_loading.h"
#include "render/map_renderer.h"

namespace d7::cli {

namespace {

enum class PictureFormat { Png, Bmp };

PictureFormat formatOf(const std::string& out) {
    std::string ext = fs::path(out).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == ".png") return PictureFormat::Png;
    if (ext == ".bmp") return PictureFormat::Bmp;
    throw UsageError("OUT must end in .png or .bmp");
}

int seasonOf(const std::string& name) {
    static constexpr const char* kSeasons[] = {"spring", "summer", "autumn", "winter"};
    for (int s = 0; s < 4; ++s)
        if (name == kSeasons[s]) return s;
    throw UsageError("--season must be spring, summer, autumn or winter");
}

int viewOf(const std::string& name) {
    if (name == "map") return kMapViewMode;
    if (name == "domain") return kDomainViewMode;
    if (name == "traders") return kTraderViewMode;
    throw UsageError("--view must be map, domain or traders");
}

int routeDisplayOf(const std::string& name) {
    if (name == "lines") return 0;
    if (name == "numbers") return 1;
    throw UsageError("--route must be lines or numbers");
}

// Only Qt's critical and fatal messages reach stderr: its notes about the
// desktop environment would mix with the tool's own one-line errors.
void criticalMessagesOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// Text needs a QGuiApplication. The tool runs without a display, so it
// brings up the offscreen platform unless the caller already has an application.
class GuiForText {
  public:
    GuiForText() {
        if (QGuiApplication::instance()) return;
        previousHandler_ = qInstallMessageHandler(criticalMessagesOnly);
        app_.emplace(argc_, argv_);
    }
    ~GuiForText() {
        if (!app_) return;
        app_.reset();
        qInstallMessageHandler(previousHandler_);
    }
    GuiForText(const GuiForText&) = delete;
    GuiForText& operator=(const GuiForText&) = delete;

  private:
    char name_[11] = "d7irir-cli";
    char platformOption_[10] = "-platform";
    char platform_[10] = "offscreen";
    char* argv_[4] = {name_, platformOption_, platform_, nullptr};
    int argc_ = 3;
    QtMessageHandler previousHandler_ = nullptr;
    std::optional<QGuiApplication> app_;
};

void writePicture(const render::MapRenderer& renderer, const std::string& out,
                  PictureFormat format) {
    if (format == PictureFormat::Bmp) {
        writeBmp32(out, renderer.width(), renderer.height(), renderer.pixels());
        return;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!renderer.picture().save(&buffer, "PNG"))
        throw FileError(out, "cannot encode the PNG picture");
    writeFileAtomic(out, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   std::size_t(bytes.size())));
}

}  // namespace

int runRender(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, {{kPl8Option, "--zoom", "--view", "--season", "--trader", "--route"},
                      {"--dark", "--blacksmiths"}});
    args.expectCount(3);
    const std::string& out = args.at(2, "OUT");
    const PictureFormat format = formatOf(out);
    const int zoom = parseInt(args.value("--zoom").value_or("1"), "--zoom", 1, 2);
    const int view = viewOf(args.value("--view").value_or("map"));
    const int season = seasonOf(args.value("--season").value_or("spring"));
    const int trader = parseInt(args.value("--trader").value_or("0"), "--trader", 0, kTraders);
    const int routeDisplay = routeDisplayOf(args.value("--route").value_or("lines"));
    if ((args.has("--trader") || args.has("--route")) && view != kTraderViewMode)
        throw UsageError("--trader and --route need --view traders");

    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    tiles::loadDefaultPalette(*st);
    tiles::loadTilesets(st->gfx, st->pl8Dir, season);
    if (args.has("--dark")) tiles::chooseBrightness(*st, true);
    st->view.zoom = zoom;
    st->view.viewMode = view;
    st->view.showBlacksmiths = args.has("--blacksmiths");
    st->view.selectedTrader = trader;
    st->view.routeDisplay = routeDisplay;

    GuiForText gui;
    render::MapRenderer renderer(*st);
    renderer.redrawMap();
    writePicture(renderer, out, format);
    return 0;
}

}  // namespace d7::cli
