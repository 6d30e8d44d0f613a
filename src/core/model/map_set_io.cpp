#include "core/model/map_set_io.h"

#include <algorithm>
#include <cstdio>

#include "core/model/file_io.h"
#include "core/model/history_steps.h"
#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "core/model/read_limits.h"

namespace d7 {

namespace {

std::optional<fs::path> findMapFile(const EditorState& st, const std::string& dir, int i) {
    return findPathCaseInsensitive(fs::path(dir), {mapSubFolder(st), mapFileName(i)});
}

void checkMapFile(const fs::path& path, const Bytes& bytes) {
    if (!bytes.empty() && bytes.size() != kMapFileSize)
        throw FileError(path, "map file is " + std::to_string(bytes.size()) + " bytes; expected " +
                                  std::to_string(kMapFileSize) + " (or an empty file)");
}

}  // namespace

void readNameLists(MapSet& set) {
    set.mapNames = readNameEntry(set.langStream, kMapNamesEntry);
    if (set.mapNames.size() < kMapCount) set.mapNames.resize(kMapCount);
    set.domainNames = readNameEntry(set.langStream, kDomainNamesEntry);
    set.traderNames = readNameEntry(set.langStream, kTraderNamesEntry);
    for (int t = int(set.traderNames.size()); t < 6; ++t)
        set.traderNames.push_back("Trader " + std::to_string(t + 1));
}

std::string mapFileName(int fileNumber) {
    char name[16];
    std::snprintf(name, sizeof name, "map%.2d.pl8", fileNumber);
    return name;
}

std::string mapSubFolder(const EditorState& st) {
    return st.gameDir != st.pl8Dir ? kMapSubFolder : "";
}

Bytes createMapFile(const Bytes& firstMapFile) {
    Bytes file;
    createMapFileInto(firstMapFile, file);
    return file;
}

void createMapFileInto(const Bytes& firstMapFile, Bytes& file) {
    file.assign(kMapFileSize, 0);
    std::copy_n(firstMapFile.begin(),
                std::min<std::size_t>(firstMapFile.size(), kMapFileHeaderSize), file.begin());
}

void loadMapSet(EditorState& st, const std::string& dir) {
    const fs::path d(dir);
    const bool fromElsewhere = dir != st.gameDir;

    // Read into the buffers of the set before the current one; the set is
    // swapped in only when all of it is good.
    MapSet& set = st.spareMapSet;
    MapSetOrigin origin;
    {
        auto path = findCaseInsensitive(d, kMapStoreName);
        if (!path) throw FileError(d / kMapStoreName, "No such file or directory");
        readWholeFileInto(*path, set.mapStore, kMapStoreReadLimit);
        origin.store = *path;
    }
    for (int i = 1; i <= kMapFileCount; ++i) {
        auto& path = origin.mapFiles[std::size_t(i)];
        if (fromElsewhere && (path = findMapFile(st, dir, i)))
            origin.mapFileFromElsewhere[std::size_t(i)] = true;
        else
            path = findMapFile(st, st.gameDir, i);
        if (path) readWholeFileInto(*path, set.extStreams[std::size_t(i)], kMapFileReadLimit);
    }
    {
        std::optional<fs::path> path = findCaseInsensitive(d, st.langFile);
        if (path && isExistingFile(*path)) {
            origin.langFromElsewhere = fromElsewhere;
        } else {
            path = findCaseInsensitive(fs::path(st.gameDir), st.langFile);
            if (!path)
                throw FileError(fs::path(st.gameDir) / st.langFile, "No such file or directory");
        }
        readWholeFileInto(*path, set.langStream, kLanguageFileReadLimit);
        origin.lang = *path;
    }
    takeMapSetImages(st, origin);
    st.mapSetDir = dir;
}

void takeMapSetImages(EditorState& st, const MapSetOrigin& origin) {
    MapSet& set = st.spareMapSet;
    set.missingMapFiles.clear();
    if (set.mapStore.size() != kMapStoreSize)
        throw FileError(origin.store, "map store is " + std::to_string(set.mapStore.size()) +
                                          " bytes; expected " + std::to_string(kMapStoreSize));
    for (int i = 1; i <= kMapFileCount; ++i) {
        const std::size_t f = std::size_t(i);
        if (origin.mapFiles[f])
            checkMapFile(*origin.mapFiles[f], set.extStreams[f]);
        else if (i == 1)
            set.extStreams[1].assign(kMapFileSize, 0);  // no header to copy
        else
            createMapFileInto(set.extStreams[1], set.extStreams[f]);  // map01 comes first
        set.extChanged[f] = origin.mapFiles[f] && origin.mapFileFromElsewhere[f];
        if (!origin.mapFiles[f]) set.missingMapFiles.push_back(i);
    }
    if (auto problem = languageFileProblem(set.langStream)) throw FileError(origin.lang, *problem);
    readNameLists(set);
    set.namesChanged = origin.langFromElsewhere;
    set.unsavedWrites = 0;

    std::swap(static_cast<MapSet&>(st), set);
    st.writeSerial = std::max(st.writeSerial, set.writeSerial) + 1;
    ++st.setLoads;
    keepLoadedImages(st);
    st.history.clear();
    selectMap(st, 0);
}

void keepLoadedImages(EditorState& st) {
    // A new copy each time: the writer of a recovery file may still read the
    // one before on its own thread.
    auto images = std::make_shared<SetImages>();
    copySetImages(st, *images);
    st.loadedImages = std::move(images);
}

bool isSameDirectory(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::equivalent(fs::path(a), fs::path(b), ec)) return true;
    return fs::path(a).lexically_normal() == fs::path(b).lexically_normal();
}

std::unique_ptr<EditorState> loadMapSetOf(const std::string& dir, const std::string& gameDir,
                                          const std::string& pl8Dir, const std::string& langFile) {
    auto st = makeEditorState();
    st->gameDir = gameDir;
    st->pl8Dir = pl8Dir;
    st->langFile = langFile;
    loadMapSet(*st, dir);
    return st;
}

std::optional<std::string> missingMapFilesNotice(const MapSet& set) {
    if (set.missingMapFiles.empty()) return std::nullopt;
    std::string text = "Map files not found: ";
    for (std::size_t k = 0; k < set.missingMapFiles.size(); ++k)
        text += (k ? ", " : "") + mapFileName(set.missingMapFiles[k]);
    return text + "; blank maps stand in for them";
}

std::vector<std::string> saveMapSet(EditorState& st, const std::string& dir) {
    const fs::path d(dir);
    // What changed since the last step is a step of its own, so that the
    // saved point lies after it.
    recordStep(st, kUnnamedStep);
    std::vector<FileToWrite> files{{pathForWriting(d, kMapStoreSaveName), st.mapStore}};
    if (st.namesChanged) files.push_back({pathForWriting(d, kLanguageSaveName), st.langStream});

    fs::path mapDir = d;
    if (const std::string sub = mapSubFolder(st); !sub.empty()) {
        mapDir = pathForWriting(d, sub);
        if (!isExistingDirectory(mapDir)) {
            std::error_code ec;
            fs::create_directory(mapDir, ec);
            if (ec) throw FileError(mapDir, ec.message());
        }
    }
    for (int i = 1; i <= kMapFileCount; ++i)
        if (st.extChanged[i])
            files.push_back({pathForWriting(mapDir, mapFileName(i)), st.extStreams[i]});
    writeFilesAtomic(files);
    st.unsavedWrites = 0;
    ++st.writeSerial;
    markHistorySaved(st);
    // The files the set is loaded from are now what memory holds.
    if (isSameDirectory(dir, st.mapSetDir)) keepLoadedImages(st);
    std::vector<std::string> written;
    for (const FileToWrite& f : files)
        written.push_back(f.path.lexically_relative(d).generic_string());
    return written;
}

void markEveryFileForSaving(MapSet& set) {
    set.extChanged.fill(true);
    set.namesChanged = true;
}

bool holdsMapStore(const std::string& dir) {
    const auto path = findCaseInsensitive(fs::path(dir), kMapStoreName);
    return path && isExistingFile(*path);
}

}  // namespace d7
