#include "core/model/single_map_file.h"

#include <algorithm>
#include <cstring>

#include "core/model/file_io.h"
#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "core/model/name_list.h"
#include "core/model/read_limits.h"
#include "core/model/undo.h"

namespace d7 {

namespace {

// Names are separated by zero bytes in files and by ";" in a name list.
std::string zeroDelimited(std::string joined) {
    joined.push_back(';');
    std::replace(joined.begin(), joined.end(), ';', '\0');
    return joined;
}

}  // namespace

std::string namesTextOf(const EditorState& st) {
    std::vector<std::string> domains(kDomainListEntries);
    for (std::size_t k = 0; k < domains.size() && k < st.curDomainNames.size(); ++k)
        domains[k] = st.curDomainNames[k];
    const std::size_t n = std::size_t(st.curMap);
    std::string text = n < st.mapNames.size() ? st.mapNames[n] : std::string();
    text.push_back('\0');
    text += zeroDelimited(joinNameList(domains));
    return text;
}

Bytes encodeSingleMap(const EditorState& st) {
    Bytes out(kMapImageSize);
    readMapImage(st, st.curMap, out.data());
    const std::string names = namesTextOf(st);
    out.insert(out.end(), names.begin(), names.end());
    return out;
}

void saveSingleMap(const EditorState& st, const std::filesystem::path& path) {
    writeFileAtomic(path, encodeSingleMap(st));
}

MapNames parseNamesText(std::string_view text) {
    MapNames names;
    const std::size_t end = text.find('\0');
    names.mapName = std::string(text.substr(0, end));
    if (end == std::string_view::npos) return names;
    std::string rest(text.substr(end + 1));
    if (!rest.empty() && rest.back() == '\0') rest.pop_back();
    std::replace(rest.begin(), rest.end(), '\0', ';');
    std::replace(rest.begin(), rest.end(), ',', ';');
    names.domainNames = splitNameList(rest);
    return names;
}

void parseSingleMapInto(std::span<const std::uint8_t> bytes, const std::filesystem::path& path,
                        SingleMap& map) {
    if (bytes.size() < std::size_t(kMapImageSize))
        throw FileError(path, "not a single map file: " + std::to_string(bytes.size()) +
                                  " bytes, shorter than a map (" + std::to_string(kMapImageSize) +
                                  " bytes)");
    std::string_view text(reinterpret_cast<const char*>(bytes.data()) + kMapImageSize,
                          bytes.size() - std::size_t(kMapImageSize));
    MapNames names = parseNamesText(text);
    if (names.domainNames.size() < std::size_t(kDomainListEntries))
        throw FileError(path, "not a single map file: its names text holds " +
                                  std::to_string(names.domainNames.size()) +
                                  " domain names, fewer than " +
                                  std::to_string(kDomainListEntries));
    map.image.resize(kMapImageSize);
    std::memcpy(map.image.data(), bytes.data(), std::size_t(kMapImageSize));
    map.names = std::move(names);
}

SingleMap parseSingleMap(std::span<const std::uint8_t> bytes, const std::filesystem::path& path) {
    SingleMap map;
    parseSingleMapInto(bytes, path, map);
    return map;
}

SingleMap readSingleMap(const std::filesystem::path& path) {
    return parseSingleMap(readWholeFile(path, kSingleMapReadLimit), path);
}

namespace {

void applyNames(EditorState& st, const MapNames& names) {
    markNamesChanged(st);
    const std::size_t n = std::size_t(st.curMap);
    if (st.mapNames.size() <= n) st.mapNames.resize(n + 1);
    st.mapNames[n] = names.mapName;
    writeNameEntry(st.langStream, kMapNamesEntry, st.mapNames);

    st.curDomainNames = names.domainNames;
    const std::size_t count = std::min(names.domainNames.size(), std::size_t(kDomainListEntries));
    const std::size_t first = n * kDomainSlotsPerMap;
    if (st.domainNames.size() < first + count) st.domainNames.resize(first + count);
    for (std::size_t k = 0; k < count; ++k) {
        st.domainNames[first + k] = names.domainNames[k];
        st.CountyTable[k].name = names.domainNames[k];
    }
    writeNameEntry(st.langStream, kDomainNamesEntry, st.domainNames);
}

}  // namespace

void readNamesText(EditorState& st, std::string_view text) {
    applyNames(st, parseNamesText(text));
}

void applySingleMap(EditorState& st, const SingleMap& map) {
    writeMapImage(st, map.image);
    applyNames(st, map.names);
    selectMap(st, st.curMap);
}

bool confirmOverwriteMap(Prompt& prompt) {
    return prompt.askYesNo(kLoadSingleMapCaption, kOverwriteMapQuestion);
}

void loadSingleMap(EditorState& st, const std::filesystem::path& path) {
    applySingleMap(st, readSingleMap(path));
}

}  // namespace d7
