#include "cli/submap_edit_commands.h"

#include <memory>

#include "cli/cli_args.h"
#include "core/edit/bitmap_generators.h"
#include "core/model/auxiliary_planes.h"
#include "render/bitmap_reading.h"

namespace d7::cli {

namespace {

struct PlaneCommand {
    const char* name;
    void (*run)(EditorState&);
};

constexpr PlaneCommand kPlaneCommands[] = {
    {"create-submaps", createAllSubmaps},
    {"outside-from-map", createOutsideMapFromMap},
    {"mask-from-map", createDomainMaskFromMap},
    {"minimap-from-mask", setMinimapImageFromMask},
    {"outline-from-outside", setOutlineFromOutsideMap},
};

}  // namespace

std::optional<MapAction> parseSubmapCommand(const std::vector<std::string>& w) {
    const std::string& name = w.at(0);
    for (const PlaneCommand& c : kPlaneCommands) {
        if (name != c.name) continue;
        if (w.size() != 1) throw UsageError(name + " takes no arguments");
        return MapAction(c.run);
    }
    if (name != "generate-from-bmp") return std::nullopt;
    if (w.size() != 2) throw UsageError("generate-from-bmp needs FILE");
    auto picture = std::make_shared<const tiles::PixelGrid>(render::readBitmapFile(w[1]));
    // As the menu item: the undo record first, then the picture (read above).
    return MapAction([picture](EditorState& st) {
        generateFromBmp64(st, [&picture] { return std::optional<tiles::PixelGrid>(*picture); });
    });
}

}  // namespace d7::cli
