#include "support/map_builder.h"

#include <unistd.h>

#include <fstream>
#include <random>
#include <stdexcept>

#include "core/edit/cell_writer.h"
#include "core/edit/feature_codes.h"
#include "core/model/file_io.h"
#include "core/model/game_paths.h"
#include "core/model/map_access.h"
#include "core/model/map_layout.h"
#include "core/model/map_set_io.h"
#include "core/model/read_limits.h"

namespace d7::test {

namespace {

void putU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

void appendItems(Bytes& out, const std::vector<std::string>& items) {
    for (const auto& item : items) {
        out.insert(out.end(), item.begin(), item.end());
        out.push_back(0);
    }
}

}  // namespace

Bytes makeLanguageFile(const std::vector<std::string>& traders,
                       const std::vector<std::string>& domains,
                       const std::vector<std::string>& maps) {
    Bytes file(1296, 0);
    for (int i = 0; i < 12; ++i) file[std::size_t(i)] = std::uint8_t(0xA0 + i);  // header bytes
    for (int k = 0; k < 320; ++k) {
        putU32(file, 12 + 4 * std::size_t(k), std::uint32_t(file.size()));
        if (k == 4)
            appendItems(file, traders);
        else if (k == 99)
            appendItems(file, domains);
        else if (k == 100)
            appendItems(file, maps);
        else
            appendItems(file, {"text " + std::to_string(k)});
    }
    putU32(file, 1292, std::uint32_t(file.size()));
    return file;
}

Bytes makeDefaultLanguageFile() {
    std::vector<std::string> traders, domains, maps;
    for (int t = 1; t <= 6; ++t) traders.push_back("Trader " + std::to_string(t));
    for (int n = 0; n < 60; ++n) {
        maps.push_back("Map " + std::to_string(n));
        for (int k = 0; k < 20; ++k)
            domains.push_back(k == 0 ? "Land " + std::to_string(n)
                                     : "County " + std::to_string(n) + "." + std::to_string(k));
    }
    return makeLanguageFile(traders, domains, maps);
}

Bytes makePatternMapStore(std::uint32_t seed) {
    Bytes b(kMapStoreSize);
    std::mt19937 gen(seed);
    for (auto& v : b) v = std::uint8_t(gen());
    return b;
}

Bytes makePatternMapFile(std::uint32_t seed, int fileNumber) {
    Bytes b(kMapFileSize);
    std::mt19937 gen(seed * 31 + std::uint32_t(fileNumber));
    for (auto& v : b) v = std::uint8_t(gen());
    return b;
}

void writeMapSet(const fs::path& dir, std::uint32_t seed, const std::string& subFolder) {
    fs::create_directories(dir);
    writeBytes(dir / "k7_maps.dat", makePatternMapStore(seed));
    writeBytes(dir / "K7.ENG", makeDefaultLanguageFile());
    fs::path mapDir = subFolder.empty() ? dir : dir / subFolder;
    fs::create_directories(mapDir);
    for (int i = 1; i <= 15; ++i) writeBytes(mapDir / mapFileName(i), makePatternMapFile(seed, i));
}

TempDir::TempDir() {
    std::string templ = (fs::temp_directory_path() / "d7irir-test-XXXXXX").string();
    if (!::mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
    path_ = templ;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::unique_ptr<EditorState> loadTestMapSet(const fs::path& dir) {
    auto st = makeEditorState();
    st->gameDir = dir.string();
    st->pl8Dir = dir.string();
    loadMapSet(*st, dir.string());
    return st;
}

std::unique_ptr<EditorState> loadSavedMap(const fs::path& gameDir, const fs::path& saved, int n) {
    auto st = makeEditorState();
    st->gameDir = gameDir.string();
    st->pl8Dir = defaultPl8Dir(st->gameDir);
    loadMapSet(*st, saved.string());
    selectMap(*st, n);
    return st;
}

void putBuilding(EditorState& st, int n, int x, int y, int building, int d,
                 std::array<int, 3> markers) {
    const bool town = building == flags::kTown;
    for (int part = 0; part < 4; ++part) {
        const int m = part == 0 ? 0 : markers[std::size_t(part - 1)];
        const int plain = town ? feature::kTown : feature::kCastle;
        setCell(st, n, x + part % 2, y + part / 2,
                {.flags = building,
                 .tileset = town ? 12 : 0,
                 .tile = part,
                 .part = part,
                 .marker = m,
                 .domain = d,
                 .code = m ? feature::kMarkerBase + m : plain});
    }
}

void putCell(EditorState& st, int x, int y, const CellSpec& c) {
    st.planes.M0.at(x, y) = c.m0;
    st.planes.M1.at(x, y) = c.m1;
    st.planes.M2.at(x, y) = c.m2;
    st.planes.M3.at(x, y) = c.m3;
    st.planes.M4.at(x, y) = c.m4;
    st.planes.M5.at(x, y) = c.m5;
}

Bytes fileBytes(const fs::path& path) {
    return readWholeFile(path, kLanguageFileReadLimit);
}

void writeBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace d7::test
