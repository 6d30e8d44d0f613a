#include "samplegen/sample_game.h"

#include <algorithm>
#include <stdexcept>

#include "core/model/file_io.h"
#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "core/model/map_layout.h"
#include "core/model/map_set_io.h"
#include "core/tiles/graphics_loading.h"
#include "core/tiles/tileset_file.h"
#include "samplegen/language_art.h"
#include "samplegen/map_builder.h"
#include "samplegen/palette_art.h"
#include "samplegen/raster.h"
#include "samplegen/tileset_art.h"

namespace d7::samplegen {

namespace {

constexpr const char* kNamesFile = "names.txt";
constexpr int kBuildAttempts = 12;

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

std::uint64_t mapSeed(std::uint64_t seed, int n, std::uint32_t salt) {
    return (std::uint64_t(
                hash32(std::uint32_t(seed), std::uint32_t(seed >> 32), std::uint32_t(n), salt))
            << 32) |
           hash32(std::uint32_t(n), salt, std::uint32_t(seed));
}

std::string graphicsPath(const std::string& name) {
    return std::string(kGraphicsFolder) + "/" + name;
}

}  // namespace

std::vector<std::uint8_t> mapFileHeader(int fileNumber, std::uint64_t seed) {
    std::vector<std::uint8_t> h(kMapFileHeaderSize, 0);
    const std::string title = "D7 sample kingdoms, maps " + std::to_string(4 * (fileNumber - 1)) +
                              " to " + std::to_string(4 * fileNumber - 1);
    const char kSignature[] = "D7KMAP";
    std::copy(kSignature, kSignature + 6, h.begin());
    h[6] = 1;  // layout version
    h[7] = std::uint8_t(fileNumber);
    put32(h, 8, kMapsPerFile);
    put32(h, 12, kExtRecordSize);
    for (int r = 0; r < kMapsPerFile; ++r) {
        put32(h, 16 + 8 * std::size_t(r), std::uint32_t(kMapFileHeaderSize + r * kExtRecordSize));
        put32(h, 20 + 8 * std::size_t(r), std::uint32_t(4 * (fileNumber - 1) + r));
    }
    // The planes of a record: offset and width.
    constexpr int kPlanes[5][2] = {{kExt1Offset, kMinimapSide},
                                   {kExt2Offset, kMinimapSide},
                                   {kExt3Offset, kGrid},
                                   {kExt4Offset, kGrid},
                                   {kExt5Offset, kOutsideWidth}};
    for (int p = 0; p < 5; ++p) {
        put32(h, 48 + 8 * std::size_t(p), std::uint32_t(kPlanes[p][0]));
        put32(h, 52 + 8 * std::size_t(p), std::uint32_t(kPlanes[p][1]));
    }
    put32(h, 88, std::uint32_t(seed));
    put32(h, 92, std::uint32_t(seed >> 32));
    std::copy(title.begin(), title.end(), h.begin() + 96);
    return h;
}

FileSet graphicsFiles() {
    FileSet files;
    files[graphicsPath(tiles::kDefaultPaletteName)] = makePaletteFile();
    for (int s = 0; s < kSeasons; ++s)
        for (int k = 0; k < tiles::kTilesetCount; ++k)
            files[graphicsPath(tiles::tilesetFileName(k, s))] = tilesetFile(k, Season(s));
    return files;
}

FileSet mapSetFiles(std::uint64_t seed, int mapCount) {
    auto st = makeEditorState();
    Random nameRng(mapSeed(seed, -1, 0x4E414D45u));
    LanguageTexts texts;
    texts.traders = traderNames();
    texts.maps = makeMapNames(nameRng);
    texts.domains.resize(std::size_t(kMapCount) * kDomainSlotsPerMap);

    st->mapStore.assign(kMapStoreSize, 0);
    for (int f = 1; f <= kMapFileCount; ++f) {
        Bytes file(kMapFileSize, 0);
        const auto header = mapFileHeader(f, seed);
        std::copy(header.begin(), header.end(), file.begin());
        st->extStreams[std::size_t(f)] = std::move(file);
    }
    for (int n = 0; n < std::min(mapCount, kMapCount); ++n) {
        bool built = false;
        for (int attempt = 0; attempt < kBuildAttempts && !built; ++attempt) {
            const MapPlan plan = planMap(seed, n, attempt * 1000);
            clearMap(*st, n);
            const auto messages =
                buildMap(*st, plan, mapSeed(seed, n, 0x7A1E5u + std::uint32_t(attempt)));
            built = messages.empty() && mapProblems(*st).empty();
            if (built) {
                const auto slots = makeDomainNameSlots(plan.domainCount(), nameRng);
                std::copy(slots.begin(), slots.end(),
                          texts.domains.begin() + std::ptrdiff_t(n) * kDomainSlotsPerMap);
            }
        }
        if (!built)
            throw std::runtime_error("sample map " + std::to_string(n) + " could not be built");
    }

    FileSet files;
    files[kMapStoreName] = st->mapStore;
    files[kLanguageSaveName] = makeLanguageFile(texts);
    for (int f = 1; f <= kMapFileCount; ++f)
        files[graphicsPath(mapFileName(f))] = st->extStreams[std::size_t(f)];
    const std::string_view words = builtInNameList();
    files[kNamesFile] = std::vector<std::uint8_t>(words.begin(), words.end());
    return files;
}

FileSet sampleGameFiles(std::uint64_t seed) {
    FileSet files = graphicsFiles();
    files.merge(mapSetFiles(seed));
    return files;
}

void writeFileSet(const std::filesystem::path& out, const FileSet& files) {
    for (const auto& [name, bytes] : files) {
        const std::filesystem::path path = out / name;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) throw FileError(path.parent_path(), ec.message());
        writeFileAtomic(path, bytes);
    }
}

void writeSampleGame(const std::filesystem::path& out, std::uint64_t seed) {
    writeFileSet(out, sampleGameFiles(seed));
}

}  // namespace d7::samplegen
