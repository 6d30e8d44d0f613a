#include "fuzz/fuzz_targets.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "core/analysis/county_reports.h"
#include "core/analysis/map_checks.h"
#include "core/analysis/name_generator.h"
#include "core/edit/bitmap_generators.h"
#include "core/analysis/report_registry.h"
#include "core/model/editor_state.h"
#include "core/model/file_io.h"
#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "core/model/map_set_diff.h"
#include "core/model/map_set_diff_text.h"
#include "core/model/map_set_io.h"
#include "core/model/plane_bitmaps.h"
#include "core/model/single_map_file.h"
#include "core/tiles/frame_drawing.h"
#include "core/tiles/palette.h"
#include "core/tiles/tileset_file.h"
#include "render/bitmap_reading.h"

namespace d7::fuzz {

namespace {

void check(bool condition, const char* what) {
    if (!condition) throw FuzzInvariantBroken(what);
}

std::string textOf(Input bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A language file whose entries are all empty, for a map set in memory.
Bytes emptyLanguageFile() {
    Bytes file(kLanguageMinSize, 0);
    for (int k = 0; k <= kLanguageEntries; ++k) {
        const std::size_t at = kLanguageHeaderSize + 4 * std::size_t(k);
        for (int i = 0; i < 4; ++i)
            file[at + std::size_t(i)] = std::uint8_t(file.size() >> (8 * i));
    }
    return file;
}

// A map set in memory with map 0 selected: everything zero, no files.
std::unique_ptr<EditorState> blankMapSet() {
    auto st = makeEditorState();
    st->mapStore.assign(kMapStoreSize, 0);
    for (int i = 1; i <= kMapFileCount; ++i) st->extStreams[std::size_t(i)].assign(kMapFileSize, 0);
    st->langStream = emptyLanguageFile();
    st->mapNames.assign(kMapCount, "");
    selectMap(*st, 0);
    return st;
}

// A directory of its own for one run, removed afterwards.
class ScratchDir {
  public:
    ScratchDir() {
        std::string templ =
            (std::filesystem::temp_directory_path() / "d7irir-fuzz-XXXXXX").string();
        if (::mkdtemp(templ.data())) path_ = templ;
    }
    ~ScratchDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace

void languageFile(Input bytes) {
    Bytes file(bytes.begin(), bytes.end());
    if (languageFileProblem(file)) {
        // A refused file is never read past its end either.
        check(readNameEntry(file, kMapNamesEntry).empty(), "refused file yields names");
        return;
    }
    auto maps = readNameEntry(file, kMapNamesEntry);
    auto domains = readNameEntry(file, kDomainNamesEntry);
    readNameEntry(file, kTraderNamesEntry);
    readNameEntry(file, kLanguageEntries - 1);
    // Rewriting an entry keeps the file readable and the other entries intact.
    const auto before = readNameEntry(file, kDomainNamesEntry - 1);
    maps.push_back("Isle;\"North\"");
    writeNameEntry(file, kMapNamesEntry, maps);
    check(!languageFileProblem(file), "rewritten language file refused");
    check(readNameEntry(file, kMapNamesEntry) == maps, "map names do not read back");
    check(readNameEntry(file, kDomainNamesEntry) == domains, "domain names changed");
    check(readNameEntry(file, kDomainNamesEntry - 1) == before, "earlier entry changed");
}

void tilesetFile(Input bytes) {
    const tiles::Tileset ts = tiles::makeTileset(Bytes(bytes.begin(), bytes.end()));
    const tiles::Palette palette = tiles::makePalette(Bytes(768, 7));
    std::vector<std::uint32_t> pixels(120 * 80, 0);
    const tiles::PixelTarget target{pixels.data(), 120, 80, 120};
    const int frames = std::min(ts.frameCount + 2, 303);  // town cells ask for M2 + 47
    for (int k = 0; k < frames; ++k) {
        tiles::frameEntry(ts, k);
        tiles::frameData(ts, k);
        tiles::frameRows(ts, k, tiles::LayerKinds::Viewer);
        // Partly outside the target on every side, at both map scales.
        tiles::drawFrame(target, ts, palette, k, 1, -20, -10);
        tiles::drawFrame(target, ts, palette, k, 2, 70, 40, tiles::LayerKinds::Viewer);
    }
    tiles::draw2x2Block(target, ts, palette, 0, 1, -30, 0);
    tiles::draw3x3Block(target, ts, palette, 16, 1, 0, -30);
}

void paletteFile(Input bytes) {
    for (double factor : {tiles::kBrightFactor, tiles::kDarkFactor}) {
        const tiles::Palette p = tiles::makePalette(Bytes(bytes.begin(), bytes.end()), factor);
        for (std::uint32_t rgb : p.canvas) check(rgb <= 0xFFFFFF, "canvas colour out of range");
    }
}

void singleMapFile(Input bytes) {
    SingleMap map;
    try {
        map = parseSingleMap(bytes, "fuzz.k7map");
    } catch (const FileError&) {
        return;  // refused before anything was written
    }
    check(map.image.size() == std::size_t(kMapImageSize), "map image of the wrong size");
    auto st = blankMapSet();
    applySingleMap(*st, map);
    check(!languageFileProblem(st->langStream), "language file damaged by a single map");
    check(st->curDomainNames.size() >= std::size_t(kDomainListEntries), "domain list short");
    // Every check and list reads the map's planes and names as they came.
    for (MapCheck c : {MapCheck::Errors, MapCheck::Pathfinding, MapCheck::Clipping})
        runMapCheck(*st, c);
    for (const NamedReport& report : namedReports()) report.make(*st);
    domainInfoReport(*st, kGrid - 1, kGrid - 1);
    encodeSingleMap(*st);
}

// The bytes are split into a map store, one map file and a language file
// (the first two bytes give the cut points), written into a game directory
// and loaded. A load either succeeds completely or leaves the set as it was.
void mapSetFiles(Input bytes) {
    if (bytes.size() < 2) return;
    ScratchDir dir;
    if (dir.path().empty()) return;
    const std::size_t rest = bytes.size() - 2;
    const std::size_t a = std::min<std::size_t>(rest, bytes[0] * rest / 255);
    const std::size_t b = std::min<std::size_t>(rest, a + bytes[1] * (rest - a) / 255);
    auto part = [&](std::size_t from, std::size_t to) {
        return Bytes(bytes.begin() + 2 + from, bytes.begin() + 2 + to);
    };
    // Short parts are padded to the sizes the game uses, so the contents get exercised.
    Bytes store = part(0, a), mapFile = part(a, b), lang = part(b, rest);
    if (store.size() < kMapStoreSize && !store.empty() && store[0] & 1) store.resize(kMapStoreSize);
    if (mapFile.size() < kMapFileSize && !mapFile.empty() && mapFile[0] & 1)
        mapFile.resize(kMapFileSize);
    writeFileAtomic(dir.path() / "k7_maps.dat", store);
    writeFileAtomic(dir.path() / "map01.pl8", mapFile);
    writeFileAtomic(dir.path() / "K7.ENG", lang);

    auto st = blankMapSet();
    st->gameDir = st->pl8Dir = dir.path().string();
    const Bytes storeBefore = st->mapStore;
    try {
        loadMapSet(*st, st->gameDir);
    } catch (const FileError&) {
        check(st->mapStore == storeBefore, "refused load changed the map store");
        return;
    }
    for (int n : {0, 1, 59}) selectMap(*st, n);
    // The comparison reads every plane of every map of whatever was loaded.
    check(compareMapSets(*st, *st).identical(), "a set differs from itself");
    mapSetDiffText(compareMapSets(*blankMapSet(), *st));
    saveMapSet(*st, dir.path().string());
}

void namesFile(Input bytes) {
    NameGenerator g;
    g.load(textOf(bytes));
    if (!g.namesAvailable()) return;
    Random rng(bytes.size());
    for (int code = 0; code < 4; ++code) {
        g.drawAll(rng);
        if (auto name = g.compose(code, rng))
            check(name->size() <= NameGenerator::kMaxNameLength, "name too long");
    }
}

void iniFile(Input bytes) {
    IniFile ini(textOf(bytes));
    ini.value("Path", "kvarpath");
    ini.value("LangFile", "textfile");
    ini.setValue("Path", "pl8", "C:\\Games\\Thornvale\\pl8");
    IniFile again(ini.text());
    check(again.value("path", "PL8") == "C:\\Games\\Thornvale\\pl8", "written value lost");
}

// A bitmap is either refused before anything changes or becomes a picture
// of the size it declares, which every import then takes or refuses whole.
void bitmapFile(Input bytes) {
    tiles::PixelGrid picture;
    try {
        picture = render::decodeBitmap(bytes, "fuzz.bmp");
    } catch (const FileError&) {
        return;
    }
    check(picture.width > 0 && picture.height > 0 && picture.width <= render::kMaxBitmapSide &&
              picture.height <= render::kMaxBitmapSide,
          "picture size out of range");
    check(picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height),
          "pixel count does not match the size");
    auto st = blankMapSet();
    st->gfx.palette = tiles::makePalette(Bytes(bytes.begin(), bytes.end()));
    ScriptedPrompt prompt(true);
    const auto outside = st->planes.Ext5;
    if (!importOutsideMap(*st, prompt, picture))
        check(st->planes.Ext5 == outside, "refused outside map changed the plane");
    importDomainMask(*st, prompt, picture);
    generateFromDomainBitmap(*st, picture);
    generateFromBitmap128(*st, picture);
}

std::span<const FuzzTarget> allFuzzTargets() {
    static constexpr FuzzTarget kTargets[] = {
        {"languageFile", languageFile}, {"tilesetFile", tilesetFile},
        {"paletteFile", paletteFile},   {"singleMapFile", singleMapFile},
        {"mapSetFiles", mapSetFiles},   {"namesFile", namesFile},
        {"iniFile", iniFile},           {"bitmapFile", bitmapFile},
    };
    return kTargets;
}

}  // namespace d7::fuzz
