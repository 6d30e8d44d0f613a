// analyse, path: the results of the analysis pass and of pathfinding as JSON.
#include <ostream>
#include <span>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/game_session.h"
#include "cli/json_writer.h"
#include "core/analysis/pathfinding.h"

namespace d7::cli {

namespace {

void writeCounty(JsonWriter& json, int d, const Acounty& c) {
    json.beginObject();
    json.key("domain");
    json.value(d);
    json.key("used");
    json.value(c.used);
    const std::pair<const char*, int> counts[] = {
        {"castles", c.castles}, {"towns", c.towns},     {"quarries", c.quarries},
        {"mines", c.mines},     {"lumbers", c.lumbers}, {"villages", c.villages},
        {"fields", c.fields},   {"greens", c.greens}};
    for (const auto& [name, count] : counts) {
        json.key(name);
        json.value(count);
    }
    json.key("townPos");
    json.point(c.townPos);
    json.key("castlePos");
    json.point(c.castlePos);
    json.key("townRoadPos");
    json.point(c.townRoadPos);
    json.key("smithPos");
    json.point(c.smithPos);
    json.key("tradeSlot");
    json.numbers(c.tradeSlot);
    json.endObject();
}

template <typename T>
void writeCellTable(JsonWriter& json, const CellTable<T>& table) {
    json.beginArray();
    for (int y = 0; y < kGrid; ++y) {
        json.beginArray();
        for (int x = 0; x < kGrid; ++x) json.value(table.at(x, y));
        json.endArray();
    }
    json.endArray();
}

void writeAnalysis(std::ostream& out, const EditorState& st) {
    JsonWriter json(out);
    json.beginObject();

    json.key("counties");
    json.beginArray();
    for (int d = 1; d <= kMaxDomain; ++d) writeCounty(json, d, st.CountyTable[std::size_t(d)]);
    json.endArray();

    json.key("startDomains");
    json.numbers(std::span(st.StartDomains).subspan(1));

    json.key("traderStops");
    json.beginArray();
    for (int t = 1; t <= kTraders; ++t) {
        const TraderStopList& list = st.TraderStops[std::size_t(t)];
        json.beginObject();
        json.key("count");
        json.value(list.count);
        json.key("entries");
        json.beginArray();
        for (int i = 0; i < list.count; ++i) {
            json.beginArray();
            json.value(list.entries[std::size_t(i)].domain);
            json.value(list.entries[std::size_t(i)].slot);
            json.endArray();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();

    json.key("traderRoutes");
    json.beginArray();
    for (int t = 1; t <= kTraders; ++t) {
        const TraderRouteRecord& route = st.TraderRoute[std::size_t(t)];
        json.beginObject();
        json.key("startDomain");
        json.value(route.startDomain);
        json.key("stops");
        json.numbers(route.stops);
        json.key("startIndex");
        json.value(route.startIndex);
        json.key("stopCount");
        json.value(route.stopCount);
        json.endObject();
    }
    json.endArray();

    json.key("domainAdjacency");
    json.beginArray();
    for (int d = 1; d <= kMaxDomain; ++d)
        json.numbers(std::span(st.DomainAdjacency[std::size_t(d)]).subspan(1));
    json.endArray();

    json.key("moveMatrix");
    writeCellTable(json, st.MoveMatrix);
    json.key("roadMoveMatrix");
    writeCellTable(json, st.RoadMoveMatrix);

    json.endObject();
    json.finish();
}

// Path cells other than the source that are not road cells.
int offRoadCells(const EditorState& st, int count) {
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const Point p = st.PathPoints[std::size_t(i)];
        if (st.MoveMatrix.at(p.x, p.y) != 1) ++n;
    }
    return n;
}

// Coordinates may lie off the grid (the search then finds no path), but not
// so far that arithmetic on them could overflow.
constexpr int kCoordinateLimit = 9999;

}  // namespace

int runAnalyse(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
    Args args(words, {{kPl8Option}, {}});
    args.expectCount(2);
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));  // runs the analysis pass
    writeAnalysis(out, *st);
    return 0;
}

int runPath(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
    Args args(words, {{kPl8Option, "--matrix", "--trace"}, {"--roads-only", "--straight"}});
    args.expectCount(6);
    const std::string matrixName = args.value("--matrix").value_or("move");
    const std::string traceName = args.value("--trace").value_or("path");
    if (matrixName != "move" && matrixName != "road")
        throw UsageError("--matrix must be move or road, not '" + matrixName + "'");
    if (traceName != "path" && traceName != "road")
        throw UsageError("--trace must be path or road, not '" + traceName + "'");
    const int sx = args.intAt(2, "SX", -kCoordinateLimit, kCoordinateLimit);
    const int sy = args.intAt(3, "SY", -kCoordinateLimit, kCoordinateLimit);
    const int tx = args.intAt(4, "TX", -kCoordinateLimit, kCoordinateLimit);
    const int ty = args.intAt(5, "TY", -kCoordinateLimit, kCoordinateLimit);

    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    const CostMatrix& matrix = matrixName == "road" ? st->RoadMoveMatrix : st->MoveMatrix;
    BuildDistances(*st, matrix, sx, sy, args.has("--roads-only"));
    TraceResult result;
    if (traceName == "path") {
        result = TracePath(*st, tx, ty);
    } else {
        result.steps = TraceRoad(*st, tx, ty, args.has("--straight"));
        // The road trace stores the source as its last point.
        result.offroad = result.steps > 0 ? offRoadCells(*st, st->PathLength - 1) : 0;
    }

    JsonWriter json(out);
    json.beginObject();
    json.key("steps");
    json.value(result.steps);
    json.key("offroad");
    json.value(result.offroad);
    json.key("pathLength");
    json.value(st->PathLength);
    json.key("points");
    json.beginArray();
    for (int i = 0; i < st->PathLength; ++i) json.point(st->PathPoints[std::size_t(i)]);
    json.endArray();
    json.key("dist");
    writeCellTable(json, st->DistMatrix);
    json.endObject();
    json.finish();
    return 0;
}

}  // namespace d7::cli
