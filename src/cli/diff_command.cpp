// diff: what changed between the map sets of two game directories, as text
// or JSON, with a picture of one map's changed cells.
#include <QPainter>
#include <ostream>
#include <vector>

#include "cli/commands.h"
#include "cli/game_session.h"
#include "cli/json_writer.h"
#include "cli/picture_output.h"
#include "core/model/map_access.h"
#include "core/model/map_set_diff_text.h"
#include "core/model/map_set_io.h"
#include "core/model/windows1252.h"
#include "render/cell_outlines.h"

namespace d7::cli {

namespace {

void writeName(JsonWriter& json, const NameChange& c) {
    static constexpr const char* kWhat[] = {"map", "domain", "trader"};
    json.beginObject();
    json.key("what");
    json.text(kWhat[c.kind]);
    if (c.kind != NameChange::kMap) {
        json.key(kWhat[c.kind]);
        json.value(c.index);
    }
    json.key("old");
    json.text(utf8FromWindows1252(c.before));
    json.key("new");
    json.text(utf8FromWindows1252(c.after));
    json.endObject();
}

void writeCell(JsonWriter& json, const CellChange& c) {
    json.beginOneLineObject();
    json.key("x");
    json.value(int(c.x));
    json.key("y");
    json.value(int(c.y));
    json.key("planes");
    json.beginObject();
    for (int p = 0; p < 6; ++p) {
        if (!c.planeChanged(p)) continue;
        const char name[3] = {'M', char('0' + p), 0};
        json.key(name);
        json.numbers(std::array{int(c.before[std::size_t(p)]), int(c.after[std::size_t(p)])});
    }
    json.endObject();
    json.endObject();
}

void writeMap(JsonWriter& json, const MapDiff& m) {
    json.beginObject();
    json.key("map");
    json.value(m.map);
    json.key("name");
    json.text(utf8FromWindows1252(m.name));
    json.key("cells");
    json.beginArray();
    for (const CellChange& c : m.cells) writeCell(json, c);
    json.endArray();
    json.key("aux");
    json.beginObject();
    for (int a = 0; a < kAuxPlanes; ++a) {
        if (!m.auxBytes[std::size_t(a)]) continue;
        json.key(kAuxPlaneKeys[a]);
        json.value(m.auxBytes[std::size_t(a)]);
    }
    json.endObject();
    json.key("names");
    json.beginArray();
    for (const NameChange& c : m.names) writeName(json, c);
    json.endArray();
    json.endObject();
}

void writeMapFile(JsonWriter& json, const MapFileChange& f) {
    json.beginObject();
    json.key("what");
    json.text("map file");
    json.key("file");
    json.text(mapFileName(f.file));
    json.key("headerBytes");
    json.value(f.headerBytes);
    json.key("oldSize");
    json.value(static_cast<long long>(f.sizeBefore));
    json.key("newSize");
    json.value(static_cast<long long>(f.sizeAfter));
    json.endObject();
}

void writeJson(std::ostream& out, const MapSetDiff& diff) {
    JsonWriter json(out);
    json.beginObject();
    json.key("identical");
    json.value(diff.identical());
    json.key("maps");
    json.beginArray();
    for (const MapDiff& m : diff.maps) writeMap(json, m);
    json.endArray();
    json.key("sets");
    json.beginArray();
    for (const NameChange& c : diff.traderNames) writeName(json, c);
    for (const MapFileChange& f : diff.mapFiles) writeMapFile(json, f);
    json.endArray();
    json.endObject();
    json.finish();
}

// The later set's map drawn as render draws it, with the changed cells outlined.
void writeDiffPicture(EditorState& after, int n, const MapSetDiff& diff, const std::string& out,
                      PictureFormat format) {
    selectMap(after, n);
    GuiForText gui;
    render::MapRenderer renderer(after);
    drawMapPicture(after, renderer, {});
    QImage picture = renderer.picture().copy();
    std::vector<Point> cells;
    for (const MapDiff& m : diff.maps)
        for (const CellChange& c : m.cells) cells.push_back({c.x, c.y});
    QPainter painter(&picture);
    render::drawCellOutlines(painter, cells, 1);
    painter.end();
    writePicture(picture, out, format);
}

}  // namespace

int runDiff(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    Args args(words, {{"--map", "--picture"}, {"--json"}});
    args.expectCount(2);
    const std::string& dirBefore = args.at(0, "A");
    const std::string& dirAfter = args.at(1, "B");
    const std::optional<std::string> mapText = args.value("--map");
    const int map = mapText ? parseInt(*mapText, "--map", 0, kMapCount - 1) : -1;
    const std::optional<std::string> picture = args.value("--picture");
    if (picture && map < 0) throw UsageError("--picture needs --map N");
    const PictureFormat format = picture ? pictureFormatOf(*picture) : PictureFormat::Png;

    // Like diff(1): 2 for trouble, so that 1 always means "they differ".
    try {
        auto before = openGameDir(dirBefore, args);
        auto after = openGameDir(dirAfter, args);
        MapSetDiff diff;
        if (map < 0) {
            diff = compareMapSets(*before, *after);
        } else if (MapDiff d = compareMap(*before, *after, map); !d.empty()) {
            diff.maps.push_back(std::move(d));
        }
        if (picture) writeDiffPicture(*after, map, diff, *picture, format);
        if (args.has("--json"))
            writeJson(out, diff);
        else  // the text is in the names' code page
            out << utf8FromWindows1252(mapSetDiffText(diff));
        return diff.identical() ? 0 : 1;
    } catch (const std::exception& e) {
        err << "d7irir-cli diff: " << e.what() << "\n";
        return 2;
    }
}

}  // namespace d7::cli
