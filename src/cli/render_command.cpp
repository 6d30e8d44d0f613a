// render: the map picture of one map, written as PNG or BMP.
#include <ostream>

#include "cli/commands.h"
#include "cli/game_session.h"
#include "cli/picture_output.h"
#include "core/edit/map_scale.h"
#include "render/shrunk_picture.h"

namespace d7::cli {

namespace {

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

// The size in quarters of 100 % (core/edit/map_scale.h).
int mapSizeArg(const std::string& text) {
    if (text == "0.25") return kQuarterSize;
    if (text == "0.5") return kHalfSize;
    if (text == "1") return kFullSize;
    if (text == "2") return kDoubleSize;
    throw UsageError("--zoom must be 0.25, 0.5, 1 or 2");
}

int routeDisplayOf(const std::string& name) {
    if (name == "lines") return 0;
    if (name == "numbers") return 1;
    throw UsageError("--route must be lines or numbers");
}

}  // namespace

int runRender(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, {{kPl8Option, "--zoom", "--view", "--season", "--trader", "--route"},
                      {"--dark", "--blacksmiths"}});
    args.expectCount(3);
    const std::string& out = args.at(2, "OUT");
    const PictureFormat format = pictureFormatOf(out);
    PictureOptions options;
    const int size = mapSizeArg(args.value("--zoom").value_or("1"));
    options.zoom = pictureZoomOf(size);
    options.viewMode = viewOf(args.value("--view").value_or("map"));
    options.season = seasonOf(args.value("--season").value_or("spring"));
    options.dark = args.has("--dark");
    options.blacksmiths = args.has("--blacksmiths");
    options.trader = parseInt(args.value("--trader").value_or("0"), "--trader", 0, kTraders);
    options.routeDisplay = routeDisplayOf(args.value("--route").value_or("lines"));
    if ((args.has("--trader") || args.has("--route")) && options.viewMode != kTraderViewMode)
        throw UsageError("--trader and --route need --view traders");

    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    GuiForText gui;
    render::MapRenderer renderer(*st);
    drawMapPicture(*st, renderer, options);
    const int shrink = shrinkOf(size);
    writePicture(shrink > 1 ? render::shrunkImage(renderer.picture(), shrink) : renderer.picture(),
                 out, format);
    return 0;
}

}  // namespace d7::cli
