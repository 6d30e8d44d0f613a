#include "fuzz/fuzz_targets.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
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

// An editor kept from run to run, which saves fresh memory for every run
// (the map store alone is 2 MB), and put back into its starting state at the
// end of each run, so that no run sees what an earlier one left. What a run
// allocated it frees: the fuzzer looks for leaks in every run that allocates
// more than it frees, which is slow. A loaded map set is therefore dropped,
// while the map set a single map was put over is copied back into place.
class RunEditor {
  public:
    enum class Files { Keep, Drop };
    RunEditor(EditorState& work, const EditorState& start, Files files)
        : work_(work), start_(start), files_(files) {}
    RunEditor(const RunEditor&) = delete;
    RunEditor& operator=(const RunEditor&) = delete;
    ~RunEditor() {
        if (files_ == Files::Drop) static_cast<MapSet&>(work_) = MapSet{};
        work_ = start_;
    }
    EditorState& state() { return work_; }

  private:
    EditorState& work_;
    const EditorState& start_;
    Files files_;
};

// The map set a single map is put over, with map 0 selected: everything
// zero, map 0's map file present and the others empty (as the game allows).
const EditorState& blankMapSet() {
    static const std::unique_ptr<EditorState> st = [] {
        auto s = makeEditorState();
        s->mapStore.assign(kMapStoreSize, 0);
        s->extStreams[1].assign(kMapFileSize, 0);
        s->langStream = emptyLanguageFile();
        s->mapNames.assign(kMapCount, "");
        selectMap(*s, 0);
        return s;
    }();
    return *st;
}

// Zero bytes to pad the files of the map set target with.
Input zeros(std::size_t n) {
    static const Bytes kZeros(std::max(kMapStoreSize, kMapFileSize), 0);
    return Input(kZeros).first(std::min(n, kZeros.size()));
}

// A file of the map set target: a part of the input, padded with zero bytes
// to a size the game uses when it is shorter.
struct PaddedPart {
    Input bytes;
    std::size_t padTo = 0;
    std::size_t size() const { return std::max(bytes.size(), padTo); }
    bool isIn(const Bytes& file) const {
        const Input pad = zeros(size() - bytes.size());
        return file.size() == size() && std::equal(bytes.begin(), bytes.end(), file.begin()) &&
               std::equal(pad.begin(), pad.end(), file.begin() + std::ptrdiff_t(bytes.size()));
    }
};

// The game directory the map set target loads from, made once per process
// (in memory under /dev/shm where the system has it) and removed at exit (a
// crash leaves it behind).
// Each run says what every file holds. As the files outlive the run, a file
// is written only when that differs from what it holds already; writing is
// plain (a scratch file needs neither the atomic replacement nor the flush to
// disk that game files get), in place and then cut to size.
class GameDir {
  public:
    GameDir() {
        std::error_code ec;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string templ = (base / "d7irir-fuzz-XXXXXX").string();
        if (::mkdtemp(templ.data())) path_ = templ;
    }
    ~GameDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    GameDir(const GameDir&) = delete;
    GameDir& operator=(const GameDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

    // False when the file could not be written.
    bool put(const std::string& name, const PaddedPart& part) {
        auto known = held_.find(name);
        if (known != held_.end() && known->second && known->second->size == part.size() &&
            std::equal(part.bytes.begin(), part.bytes.end(), known->second->bytes.begin(),
                       known->second->bytes.end()))
            return true;
        held_.erase(name);
        if (!write(path_ / name, part)) return false;
        held_[name] = Held{Bytes(part.bytes.begin(), part.bytes.end()), part.size()};
        return true;
    }
    void remove(const std::string& name) {
        auto known = held_.find(name);
        if (known != held_.end() && !known->second) return;
        ::unlink((path_ / name).c_str());
        held_[name] = std::nullopt;
    }

  private:
    static bool write(const std::filesystem::path& path, const PaddedPart& part) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) return false;
        bool good = true;
        for (Input piece : {part.bytes, zeros(part.size() - part.bytes.size())})
            while (good && !piece.empty()) {
                const ssize_t n = ::write(fd, piece.data(), piece.size());
                good = n > 0;
                if (good) piece = piece.subspan(std::size_t(n));
            }
        good = good && ::ftruncate(fd, off_t(part.size())) == 0;
        return ::close(fd) == 0 && good;
    }

    // What a file holds: the part and the size it is padded to; nothing for
    // a file that is absent. Files not listed are in an unknown state.
    struct Held {
        Bytes bytes;
        std::size_t size;
    };
    std::filesystem::path path_;
    std::map<std::string, std::optional<Held>> held_;
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
    SingleMap map;
    try {
        map = parseSingleMap(bytes, "fuzz.k7map");
    } catch (const FileError&) {
        return;
    }
    check(map.image.size() == std::size_t(kMapImageSize), "map image of the wrong size");
    static const auto work = std::make_unique<EditorState>(blankMapSet());
    RunEditor editor(*work, blankMapSet(), RunEditor::Files::Keep);
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
// A target of its own: the searches of the checks take far longer than
// reading the file, and would slow the single-map target down tenfold.
void mapReports(Input bytes) {
    withSingleMap(bytes, [](EditorState& st, const SingleMap&) {
        for (MapCheck c : {MapCheck::Errors, MapCheck::Pathfinding, MapCheck::Clipping})
            runMapCheck(st, c);
        for (const NamedReport& report : namedReports()) report.make(st);
        domainInfoReport(st, kGrid - 1, kGrid - 1);
    });
}

// The input is a flag byte, the lengths of the map store and of map01.pl8
// (32 bits each) and then their bytes, the rest being the language file.
// Flag 1 pads a short map store, flag 2 a short map file with zeros to the
// sizes the game uses, so that their contents get read; flag 4 leaves out
// map02.pl8 .. map15.pl8, which are otherwise empty files. The files go into
// a game directory and are loaded: a load either takes all of them or leaves
// the editor as it was.
void mapSetFiles(Input bytes) {
    static GameDir dir;
    if (bytes.size() < 9 || dir.path().empty()) return;
    const std::uint8_t flags = bytes[0];
    std::size_t at = 9;
    auto take = [&](std::size_t length) {
        length = std::min<std::size_t>(length, bytes.size() - at);
        at += length;
        return bytes.subspan(at - length, length);
    };
    const PaddedPart store{take(read32(bytes, 1)), (flags & 1) ? kMapStoreSize : 0};
    const PaddedPart mapFile{take(read32(bytes, 5)), (flags & 2) ? kMapFileSize : 0};
    const PaddedPart lang{bytes.subspan(at)};
    bool written =
        dir.put("k7_maps.dat", store) && dir.put("map01.pl8", mapFile) && dir.put("K7.ENG", lang);
    for (int i = 2; i <= kMapFileCount; ++i) {
        if (flags & 4)
            dir.remove(mapFileName(i));
        else
            written = written && dir.put(mapFileName(i), {});
    }
    if (!written) return;

    // The editor before any map set is loaded, so that whatever a refused
    // load touched shows.
    static const auto fresh = makeEditorState(), work = makeEditorState();
    RunEditor editor(*work, *fresh, RunEditor::Files::Drop);
    EditorState& st = editor.state();
    st.gameDir = st.pl8Dir = dir.path().string();
    try {
        loadMapSet(st, st.gameDir);
    } catch (const FileError&) {
        check(st.mapStore.empty() && st.langStream.empty() && st.extStreams[1].empty() &&
                  st.mapNames.empty() && !st.mapLoaded,
              "refused load changed the editor");
        return;
    }
    check(store.isIn(st.mapStore) && mapFile.isIn(st.extStreams[1]) && lang.isIn(st.langStream),
          "loaded files differ from the files");
    selectMap(st, 59);  // map 0 is selected by the load; map 59 is in another file
    // The comparison reads every plane of every map of whatever was loaded.
    check(compareMapSets(st, st).identical(), "a set differs from itself");
    mapSetDiffText(compareMapSets(blankMapSet(), st));
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
    static const auto work = std::make_unique<EditorState>(blankMapSet());
    RunEditor editor(*work, blankMapSet(), RunEditor::Files::Keep);
    EditorState* st = &editor.state();
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
    static const FuzzTarget kTargets[] = {
        {"languageFile", languageFile, languageSeeds},
        {"tilesetFile", tilesetFile, tilesetSeeds},
        {"paletteFile", paletteFile, paletteSeeds},
        {"singleMapFile", singleMapFile, singleMapSeeds},
        {"mapReports", mapReports, singleMapSeeds},
        {"mapSetFiles", mapSetFiles, mapSetSeeds},
        {"namesFile", namesFile, namesSeeds},
        {"iniFile", iniFile, iniSeeds},
        {"bitmapFile", bitmapFile},
    };
    return kTargets;
}

}  // namespace d7::fuzz
