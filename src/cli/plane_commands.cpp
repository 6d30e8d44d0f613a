// export-plane, import-plane and picture: the auxiliary planes of one map as
// bitmaps, and the test pictures.
#include <ostream>

#include "cli/commands.h"
#include "cli/game_session.h"
#include "cli/stream_prompt.h"
#include "core/model/bmp_file.h"
#include "core/model/map_set_io.h"
#include "core/model/plane_bitmaps.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/test_pictures.h"
#include "render/bitmap_reading.h"

namespace d7::cli {

namespace {

PicturePlane planeOf(const std::string& name, bool exporting) {
    if (name == "mask") return PicturePlane::DomainMask;
    if (name == "outside") return PicturePlane::OutsideMap;
    if (exporting && name == "minimap") return PicturePlane::MinimapImage;
    throw UsageError(exporting ? "the plane must be mask, minimap or outside"
                               : "the plane must be mask or outside");
}

// The map set of DIR with map MAP current and the palette of the .pl8
// directory under the brightness the colours are exchanged with.
std::unique_ptr<EditorState> openMapWithPalette(const Args& args) {
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    tiles::loadDefaultPalette(*st);
    if (args.has("--dark")) tiles::chooseBrightness(*st, true);
    return st;
}

void writePicture(const std::string& out, const tiles::PixelGrid& picture) {
    writeBmp32(out, picture.width, picture.height, picture.pixels);
}

tiles::PixelGrid testPicture(EditorState& st, const std::string& kind) {
    using namespace tiles;
    if (kind == "testmap") return testMapPicture(st);
    if (kind == "vertmap") return vertMapPicture(st);
    if (kind == "vdommap") return vDomMapPicture(st);
    if (kind == "vertex") return vertexPicture(st, kVertexWidth, kVertexHeight);
    if (kind == "domain") return domainPicture(st, kDomainPictureSide, kDomainPictureSide);
    if (kind == "edge") return edgePicture(st, kDomainPictureSide, kDomainPictureSide);
    if (kind == "domain-palette") return domainPalettePicture();
    throw UsageError("unknown picture '" + kind + "'");
}

}  // namespace

int runExportPlane(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, {{kPl8Option}, {"--dark"}});
    args.expectCount(4);
    const PicturePlane plane = planeOf(args.at(2, "PLANE"), true);
    const std::string& out = args.at(3, "OUT.bmp");
    auto st = openMapWithPalette(args);
    writePicture(out, exportPlanePicture(*st, plane));
    return 0;
}

int runImportPlane(const std::vector<std::string>& words, std::ostream&, std::ostream& err) {
    Args args(words, {{kPl8Option}, {"--dark", "--minimap-image"}});
    args.expectCount(5);
    const PicturePlane plane = planeOf(args.at(2, "PLANE"), false);
    const std::string& in = args.at(3, "IN.bmp");
    const std::string& outDir = args.at(4, "OUT");
    if (plane != PicturePlane::DomainMask && args.has("--minimap-image"))
        throw UsageError("--minimap-image belongs to the mask");
    auto st = openMapWithPalette(args);
    const tiles::PixelGrid picture = render::readBitmapFile(in);
    StreamPrompt prompt(err, args.has("--minimap-image"));
    const bool taken = plane == PicturePlane::DomainMask ? importDomainMask(*st, prompt, picture)
                                                         : importOutsideMap(*st, prompt, picture);
    if (!taken) return 1;
    saveMapSet(*st, outDir);
    return 0;
}

int runPicture(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, {{kPl8Option, "--seed"}, {"--dark"}});
    args.expectCount(4);
    const std::string& kind = args.at(2, "PICTURE");
    const std::string& out = args.at(3, "OUT.bmp");
    auto st = openMapWithPalette(args);
    if (auto seed = args.value("--seed"))
        st->rng.reseed(std::uint64_t(parseInt(*seed, "--seed", 0, 2147483647)));
    writePicture(out, testPicture(*st, kind));
    return 0;
}

}  // namespace d7::cli
