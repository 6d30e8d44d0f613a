#include "fuzz/seeds.h"

#include <algorithm>

#include "app/ini_file.h"
#include "core/model/editor_state.h"
#include "core/model/file_io.h"
#include "core/model/game_paths.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/read_limits.h"
#include "core/model/single_map_file.h"
#include "core/tiles/tileset_file.h"

namespace d7::fuzz {

namespace {

namespace fs = std::filesystem;

fs::path graphicsDir(const fs::path& game) {
    return defaultPl8Dir(game.string());
}

std::unique_ptr<EditorState> loadSample(const fs::path& game) {
    auto st = makeEditorState();
    st->gameDir = game.string();
    st->pl8Dir = graphicsDir(game).string();
    loadMapSet(*st, st->gameDir);
    return st;
}

// The tileset cut after as many whole frames as fit in a committed seed (at
// least one), its frame count saying so: the fuzzer mutates a small file
// much faster than the whole one.
Bytes tilesetStart(const Bytes& file) {
    const tiles::Tileset ts = tiles::makeTileset(file);
    std::size_t end = 0;
    int count = 0;
    for (int k = 0; k < ts.frameCount; ++k) {
        const auto data = tiles::frameData(ts, k);
        if (!data) break;
        const std::size_t frameEnd =
            std::size_t(data->pixels - ts.data.data()) + tiles::kDiamondBytes +
            std::size_t(data->entry.ex * tiles::layerBytes(data->entry.dir));
        if (k > 0 && std::max(end, frameEnd) > kCommittedSeedLimit) break;
        end = std::max(end, frameEnd);
        count = k + 1;
    }
    Bytes start(file.begin(), file.begin() + std::ptrdiff_t(end));
    if (start.size() > 2) start[2] = std::uint8_t(count);
    return start;
}

void put32(Bytes& b, std::size_t value) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(value >> (8 * i)));
}

}  // namespace

std::vector<Seed> tilesetSeeds(const fs::path& game) {
    std::vector<Seed> seeds;
    for (int kind = 0; kind < tiles::kTilesetCount; ++kind) {
        const std::string name = tiles::tilesetFileName(kind, 0);
        seeds.push_back(
            {name, tilesetStart(readWholeFile(graphicsDir(game) / name, kTilesetReadLimit))});
    }
    return seeds;
}

std::vector<Seed> paletteSeeds(const fs::path& game) {
    return {{"Base01.256", readWholeFile(graphicsDir(game) / "Base01.256", kPaletteReadLimit)}};
}

std::vector<Seed> languageSeeds(const fs::path& game) {
    return {{"K7.ENG", readWholeFile(game / "K7.ENG", kLanguageFileReadLimit)}};
}

std::vector<Seed> namesSeeds(const fs::path& game) {
    return {{"names.txt", readWholeFile(game / "names.txt", kWordListReadLimit)}};
}

// Two maps from different map files, as "Save Single Map" writes them.
std::vector<Seed> singleMapSeeds(const fs::path& game) {
    auto st = loadSample(game);
    std::vector<Seed> seeds;
    for (int n : {0, 37}) {
        selectMap(*st, n);
        seeds.push_back({"map" + std::to_string(n) + ".k7map", encodeSingleMap(*st)});
    }
    return seeds;
}

// Every check and list, on maps 0 and 37 by turns.
std::vector<Seed> mapReportSeeds(const fs::path& game) {
    const std::vector<Seed> maps = singleMapSeeds(game);
    std::vector<Seed> seeds;
    for (int job = 0; job < mapReportJobs(); ++job) {
        const Seed& map = maps[std::size_t(job) % maps.size()];
        Bytes in{std::uint8_t(job)};
        in.insert(in.end(), map.bytes.begin(), map.bytes.end());
        seeds.push_back({"job" + std::to_string(job) + "-" + map.name, std::move(in)});
    }
    return seeds;
}

// Inputs of the map set target: map 0's block (padded to the whole store),
// the map file's header and map 0's Ext record (padded to the whole file, or
// an empty map file), and the language file; the set loaded compared with
// itself or written as the text of its differences.
std::vector<Seed> mapSetSeeds(const fs::path& game) {
    auto st = loadSample(game);
    const Bytes& mapFile = st->extStreams[1];
    const std::size_t record = kMapFileHeaderSize + kExtRecordSize;
    std::vector<Seed> seeds;
    for (auto [flags, name] : {std::pair(3, "map0.set"), std::pair(1, "map0-empty-map-file.set"),
                               std::pair(3 | 8, "map0-diff.set")}) {
        const bool withMapFile = flags & 2;
        Bytes in{std::uint8_t(flags)};
        put32(in, kBlockSize);
        put32(in, withMapFile ? record : 0);
        in.insert(in.end(), st->mapStore.begin(), st->mapStore.begin() + kBlockSize);
        if (withMapFile) in.insert(in.end(), mapFile.begin(), mapFile.begin() + record);
        in.insert(in.end(), st->langStream.begin(), st->langStream.end());
        seeds.push_back({name, std::move(in)});
    }
    return seeds;
}

// The configuration as the editor writes it for the sample game, and one
// with the Windows line ends and comments of a hand-edited file.
std::vector<Seed> iniSeeds(const fs::path&) {
    IniFile ini;
    ini.setValue("Path", "kvarpath", "/home/player/Thornvale2");
    ini.setValue("Path", "pl8", "/home/player/Thornvale2/pl8");
    ini.setValue("LangFile", "textfile", "K7.ENG");
    const std::string written = ini.text();
    const std::string edited =
        "; D7Irir\r\n[Path]\r\nkvarpath=C:\\Games\\Thornvale2\r\n\r\npl8 = C:\\Games\\Thornvale2\\"
        "PL8\r\n[LangFile]\r\ntextfile=K7.GER ; German\r\n";
    return {{"D7Irir.ini", Bytes(written.begin(), written.end())},
            {"D7Irir-edited.ini", Bytes(edited.begin(), edited.end())}};
}

int writeSeedCorpus(const fs::path& sampleGame, const fs::path& corpus) {
    int count = 0;
    for (const FuzzTarget& target : allFuzzTargets()) {
        if (!target.seeds) continue;
        const fs::path dir = corpus / target.name;
        fs::create_directories(dir);
        // Seeds made before may no longer fit what the target reads.
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().filename().string().starts_with("generated-"))
                fs::remove(entry.path());
        for (const Seed& seed : target.seeds(sampleGame)) {
            const bool big = seed.bytes.size() > kCommittedSeedLimit;
            writeFileAtomic(dir / ((big ? "generated-" : "") + seed.name), seed.bytes);
            ++count;
        }
    }
    return count;
}

}  // namespace d7::fuzz
