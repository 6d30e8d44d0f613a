#include "fuzz/fuzz_targets.h"

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <ostream>
#include <span>
#include <streambuf>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "core/analysis/county_reports.h"
#include "core/analysis/map_checks.h"
#include "core/analysis/name_generator.h"
#include "core/analysis/report_registry.h"
#include "core/edit/bitmap_generators.h"
#include "core/model/editor_state.h"
#include "core/model/file_io.h"
#include "core/model/game_paths.h"
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
#include "fuzz/run_editors.h"
#include "fuzz/seeds.h"
#include "render/bitmap_reading.h"

namespace d7::fuzz {

namespace {

void check(bool condition, const char* what) {
    if (!condition) throw FuzzInvariantBroken(what);
}

std::string textOf(Input bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A stream buffer that only counts the characters written to it.
class CountingSink : public std::streambuf {
  public:
    std::size_t size() const { return size_; }

  protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) ++size_;
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        size_ += std::size_t(n);
        return n;
    }

  private:
    std::size_t size_ = 0;
};

std::uint32_t read32(Input bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(bytes[at + std::size_t(i)]) << (8 * i);
    return v;
}

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

// Every frame's entry, data and rows are read. Drawing reads nothing beyond
// the data that frameData checked, and where it writes depends only on the
// kind of layers and their number, so of each kind of layers (none, or Dir 1
// to 4) two frames are drawn: the one with the most layers, reaching farthest
// out of its tile box, and the one whose data ends nearest the end of the file.
void tilesetFile(Input bytes) {
    const tiles::Tileset ts = tiles::makeTileset(Bytes(bytes.begin(), bytes.end()));
    static const tiles::Palette palette = tiles::makePalette(Bytes(768, 7));
    static std::vector<std::uint32_t> pixels(120 * 80);  // only ever written
    const tiles::PixelTarget target{pixels.data(), 120, 80, 120};
    struct Pick {
        int mostLayers = -1, tallest = -1, lastEnding = -1;
        std::size_t end = 0;
    };
    Pick picks[5];
    const int frames = std::min(ts.frameCount + 2, 303);  // town cells ask for M2 + 47
    for (int k = 0; k < frames; ++k) {
        tiles::frameEntry(ts, k);
        tiles::frameRows(ts, k, tiles::LayerKinds::Viewer);
        const auto data = tiles::frameData(ts, k);
        if (!data) continue;
        const int dir = data->entry.dir, ex = data->entry.ex;
        const int perLayer = tiles::layerBytes(dir);
        Pick& p = picks[perLayer > 0 && ex > 0 ? dir : 0];
        const std::size_t end = std::size_t(data->pixels - ts.data.data()) + tiles::kDiamondBytes +
                                std::size_t(ex * perLayer);
        if (ex > p.mostLayers) p.mostLayers = ex, p.tallest = k;
        if (p.lastEnding < 0 || end > p.end) p.end = end, p.lastEnding = k;
    }
    for (const Pick& p : picks)
        for (int k : {p.tallest, p.lastEnding == p.tallest ? -1 : p.lastEnding}) {
            if (k < 0) continue;
            // Partly outside the target on every side, at both map scales.
            tiles::drawFrame(target, ts, palette, k, 1, -20, -10);
            tiles::drawFrame(target, ts, palette, k, 2, 70, 40, tiles::LayerKinds::Viewer);
        }
    // The big buildings' blocks only place frames; one block of four shows it.
    tiles::draw2x2Block(target, ts, palette, 0, 1, -30, 0);
}

void paletteFile(Input bytes) {
    for (double factor : {tiles::kBrightFactor, tiles::kDarkFactor}) {
        const tiles::Palette p = tiles::makePalette(Bytes(bytes.begin(), bytes.end()), factor);
        for (std::uint32_t rgb : p.canvas) check(rgb <= 0xFFFFFF, "canvas colour out of range");
    }
}

namespace {

// Puts the single map of the input over the blank map set and hands the
// editor to use; nothing when the file is refused (before anything was
// written). The editor is one kept between runs and put back afterwards.
template <typename Use>
void withSingleMap(Input bytes, Use use) {
    static SingleMap map;  // its image buffer kept from run to run
    try {
        parseSingleMapInto(bytes, "fuzz.k7map", map);
    } catch (const FileError&) {
        return;
    }
    check(map.image.size() == std::size_t(kMapImageSize), "map image of the wrong size");
    KeptEditor editor(Start::BlankMapSet);
    applySingleMap(editor.state(), map);
    use(editor.state(), map);
}

}  // namespace

void singleMapFile(Input bytes) {
    withSingleMap(bytes, [](EditorState& st, const SingleMap& map) {
        check(!languageFileProblem(st.langStream), "language file damaged by a single map");
        check(st.curDomainNames.size() >= std::size_t(kDomainListEntries), "domain list short");
        const Bytes again = encodeSingleMap(st);
        check(std::equal(map.image.begin(), map.image.end(), again.begin()),
              "map image does not read back");
    });
}

// Every check and list reads a shared map's planes and names as they came.
// One of them per input: the first byte chooses which (modulo their number:
// the three map checks, then the named lists, then the domain information of
// a corner cell); the rest is the single map file. A target of its own: the
// searches of the checks take far longer than reading the file, and would
// slow the single-map target down tenfold.
void mapReports(Input bytes) {
    if (bytes.empty()) return;
    const int job = bytes[0] % mapReportJobs();
    withSingleMap(bytes.subspan(1), [job](EditorState& st, const SingleMap&) {
        constexpr MapCheck kChecks[] = {MapCheck::Errors, MapCheck::Pathfinding,
                                        MapCheck::Clipping};
        const auto reports = namedReports();
        if (job < 3)
            runMapCheck(st, kChecks[job]);
        else if (std::size_t(job - 3) < reports.size())
            reports[std::size_t(job - 3)].make(st);
        else
            domainInfoReport(st, kGrid - 1, kGrid - 1);
    });
}

int mapReportJobs() {
    return 3 + int(namedReports().size()) + 1;
}

// The input is a flag byte, the lengths of the map store and of map01.pl8
// (32 bits each) and then their bytes, the rest being the language file.
// Flag 1 pads a short map store, flag 2 a short map file with zeros to the
// sizes the game uses, so that their contents get read; flag 4 leaves out
// map02.pl8 .. map15.pl8, which are otherwise empty files. The files are
// loaded as the editor loads them once read: a load either takes all of
// them or leaves the editor as it was. (Finding and reading the files reads
// nothing of what they hold; it is left out so that a run costs no system
// calls.) The maps the input gives and the set's other files are then
// compared: by flag 8 with the blank map set, writing the text of the
// differences, else with themselves.
void mapSetFiles(Input bytes) {
    if (bytes.size() < 9) return;
    const std::uint8_t flags = bytes[0];
    std::size_t at = 9;
    auto take = [&](std::size_t length) {
        length = std::min<std::size_t>(length, bytes.size() - at);
        at += length;
        return bytes.subspan(at - length, length);
    };
    ImageParts parts;
    const PaddedPart& store = parts[0] = {take(read32(bytes, 1)), (flags & 1) ? kMapStoreSize : 0};
    const PaddedPart& mapFile = parts[1] = {take(read32(bytes, 5)), (flags & 2) ? kMapFileSize : 0};
    const PaddedPart& lang = parts[kImages - 1] = {bytes.subspan(at)};
    MapSetOrigin origin{kMapStoreName, {}, {}, "K7.ENG"};
    for (int i = 1; i <= kMapFileCount; ++i) {
        if (i > 1 && (flags & 4))
            parts[std::size_t(i)].present = false;
        else
            origin.mapFiles[std::size_t(i)] = mapFileName(i);
    }

    // An editor as made fresh, so that whatever a refused load touched shows.
    KeptEditor editor(Start::Fresh);
    EditorState& st = editor.state();
    const LentImages lent(st, parts);
    try {
        takeMapSetImages(st, origin);
    } catch (const FileError&) {
        check(st.mapStore.empty() && st.langStream.empty() && st.extStreams[1].empty() &&
                  st.mapNames.empty() && !st.mapLoaded,
              "refused load changed the editor");
        return;
    }
    check(st.mapStore.size() == store.size() && st.extStreams[1].size() == mapFile.size() &&
              std::equal(lang.bytes.begin(), lang.bytes.end(), st.langStream.begin()),
          "loaded images differ from the files");
    selectMap(st, 59);  // map 0 is selected by the load; map 59 is in another file
    // Compared: each map whose block or Ext record the input's bytes reach,
    // and map 59, whose record lies in a file the input does not give. The
    // planes of the others hold only padding, and their names take the same
    // path as those compared.
    auto reach = [](Input part, std::size_t header, std::size_t each) {
        return part.size() <= header ? 0 : int((part.size() - header + each - 1) / each);
    };
    const int given = std::min(std::max(reach(store.bytes, 0, kBlockSize),
                                        reach(mapFile.bytes, kMapFileHeaderSize, kExtRecordSize)),
                               kMapCount - 1);
    std::array<int, kMapCount> maps;
    std::iota(maps.begin(), maps.begin() + given, 0);
    maps[std::size_t(given)] = kMapCount - 1;
    const std::span<const int> compared(maps.data(), std::size_t(given) + 1);
    if (flags & 8) {
        // The text is counted, not kept: it runs to hundreds of kilobytes.
        const MapSetDiff diff = compareMapSets(blankMapSet(), st, compared);
        CountingSink counted;
        std::ostream text(&counted);
        writeMapSetDiffText(text, diff);
        check(diff.identical() == (counted.size() == 0),
              "differences without text, or text without");
    } else {
        check(compareMapSets(st, st, compared).identical(), "a set differs from itself");
    }
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
    // The language file it names is taken only as a file of the game directory.
    const std::string lang = ini.value("LangFile", "textfile");
    if (!languageFileNameProblem(lang))
        check(fs::path(lang).filename() == lang && lang != "." && lang != "..",
              "a path leading out of the game directory taken as a file name");
    ini.setValue("Path", "pl8", "C:\\Games\\Thornvale\\pl8");
    IniFile again(ini.text());
    check(again.value("path", "PL8") == "C:\\Games\\Thornvale\\pl8", "written value lost");
}

// A bitmap is either refused before anything changes or becomes a picture
// of the size it declares, which an import then takes or refuses whole. Each
// import writes the whole map, so one runs per input: the first byte chooses
// which (modulo kBitmapImports: the outside lands, the minimap domain mask,
// the map from a domain picture, the map from a 128 x 128 picture) and, by
// its bit 4, answers No to the question whether to build the minimap image
// from the mask; the rest is the bitmap file, and its bytes are the palette
// too.
void bitmapFile(Input bytes) {
    if (bytes.empty()) return;
    const int kind = bytes[0] % kBitmapImports;
    const Input file = bytes.subspan(1);
    tiles::PixelGrid picture;
    try {
        picture = render::decodeBitmap(file, "fuzz.bmp");
    } catch (const FileError&) {
        return;
    }
    check(picture.width > 0 && picture.height > 0 && picture.width <= render::kMaxBitmapSide &&
              picture.height <= render::kMaxBitmapSide,
          "picture size out of range");
    check(picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height),
          "pixel count does not match the size");
    KeptEditor editor(Start::BlankMapSet);
    EditorState& st = editor.state();
    st.gfx.palette = tiles::makePalette(Bytes(file.begin(), file.end()));
    ScriptedPrompt prompt((bytes[0] & 4) == 0);
    switch (kind) {
        case 0: {
            const auto outside = st.planes.Ext5;
            if (!importOutsideMap(st, prompt, picture))
                check(st.planes.Ext5 == outside, "refused outside map changed the plane");
            break;
        }
        case 1: {
            const auto mask = st.planes.Ext1;
            if (!importDomainMask(st, prompt, picture))
                check(st.planes.Ext1 == mask, "refused domain mask changed the plane");
            break;
        }
        case 2:
            generateFromDomainBitmap(st, picture);
            break;
        default:
            generateFromBitmap128(st, picture);
    }
}

std::span<const FuzzTarget> allFuzzTargets() {
    static const FuzzTarget kTargets[] = {
        {"languageFile", languageFile, languageSeeds},
        {"tilesetFile", tilesetFile, tilesetSeeds},
        {"paletteFile", paletteFile, paletteSeeds},
        {"singleMapFile", singleMapFile, singleMapSeeds},
        {"mapReports", mapReports, mapReportSeeds},
        {"mapSetFiles", mapSetFiles, mapSetSeeds},
        {"namesFile", namesFile, namesSeeds},
        {"iniFile", iniFile, iniSeeds},
        {"bitmapFile", bitmapFile},
        {"recoveryFile", recoveryFile, recoverySeeds},
    };
    return kTargets;
}

}  // namespace d7::fuzz
