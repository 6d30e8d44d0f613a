#include "core/model/map_set_diff_text.h"

#include <charconv>

#include "core/model/map_set_io.h"

namespace d7 {

namespace {

void appendNumber(std::string& out, long long v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void appendQuoted(std::string& out, const std::string& text) {
    out += '"';
    out += text;
    out += '"';
}

void appendNameLine(std::string& out, const NameChange& c) {
    out += "  ";
    if (c.kind == NameChange::kMap) {
        out += "map";
    } else {
        out += c.kind == NameChange::kDomain ? "domain " : "trader ";
        appendNumber(out, c.index);
    }
    out += " name ";
    appendQuoted(out, c.before);
    out += " -> ";
    appendQuoted(out, c.after);
    out += '\n';
}

void appendCellLine(std::string& out, const CellChange& c) {
    out += "  ";
    appendNumber(out, c.x);
    out += ',';
    appendNumber(out, c.y);
    for (int p = 0; p < 6; ++p) {
        if (!c.planeChanged(p)) continue;
        out += "  M";
        out += char('0' + p);
        out += ' ';
        appendNumber(out, c.before[std::size_t(p)]);
        out += "->";
        appendNumber(out, c.after[std::size_t(p)]);
    }
    out += '\n';
}

void appendCount(std::string& out, const std::string& what, long long n, const char* unit) {
    out += "  ";
    out += what;
    out += ": ";
    appendNumber(out, n);
    out += unit;
    out += '\n';
}

}  // namespace

void appendMapDiffText(std::string& out, const MapDiff& diff) {
    if (diff.empty()) return;
    out += "map ";
    appendNumber(out, diff.map);
    out += ' ';
    appendQuoted(out, diff.name);
    out += ": ";
    appendNumber(out, (long long)diff.cells.size());
    out += diff.cells.size() == 1 ? " cell changed\n" : " cells changed\n";
    for (const CellChange& c : diff.cells) appendCellLine(out, c);
    for (int a = 0; a < kAuxPlanes; ++a)
        if (const int n = diff.auxBytes[std::size_t(a)])
            appendCount(out, kAuxPlaneLabels[a], n, n == 1 ? " byte changed" : " bytes changed");
    for (const NameChange& c : diff.names) appendNameLine(out, c);
}

std::string mapSetDiffText(const MapSetDiff& diff) {
    std::string out;
    std::size_t cells = 0;
    for (const MapDiff& m : diff.maps) cells += m.cells.size();
    out.reserve(cells * 40 + diff.maps.size() * 200);
    for (const MapDiff& m : diff.maps) appendMapDiffText(out, m);
    if (diff.traderNames.empty() && diff.mapFiles.empty()) return out;
    out += "map set:\n";
    for (const NameChange& c : diff.traderNames) appendNameLine(out, c);
    for (const MapFileChange& f : diff.mapFiles) {
        const std::string file = mapFileName(f.file);
        if (f.headerBytes)
            appendCount(out, file + " header", f.headerBytes,
                        f.headerBytes == 1 ? " byte changed" : " bytes changed");
        if (f.sizeBefore != f.sizeAfter) {
            out += "  " + file + " size: ";
            appendNumber(out, (long long)f.sizeBefore);
            out += " -> ";
            appendNumber(out, (long long)f.sizeAfter);
            out += " bytes\n";
        }
    }
    return out;
}

}  // namespace d7
