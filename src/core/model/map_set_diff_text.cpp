#include "core/model/map_set_diff_text.h"

#include <bit>
#include <charconv>
#include <cstring>
#include <sstream>

#include "core/model/map_set_io.h"
#include "core/model/name_encoding.h"

namespace d7 {

namespace {

void appendNumber(std::string& out, long long v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

// A name on one line: a control character in it cannot break the report.
void appendQuoted(std::string& out, const std::string& name) {
    out += '"';
    out += escapedName(name);
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

// The decimal text of every byte value: a report may list every cell of
// every map, so a cell line is written as a few short copies.
struct ByteDigits {
    char text[256][3];
    std::uint8_t length[256];
};

constexpr ByteDigits makeByteDigits() {
    ByteDigits d{};
    for (int v = 0; v < 256; ++v) {
        char digits[3];
        int n = 0;
        for (int rest = v;; rest /= 10) {
            digits[n++] = char('0' + rest % 10);
            if (rest < 10) break;
        }
        for (int i = 0; i < n; ++i) d.text[v][i] = digits[n - 1 - i];
        d.length[v] = std::uint8_t(n);
    }
    return d;
}

constexpr ByteDigits kByteDigits = makeByteDigits();

char* putByte(char* p, std::uint8_t v) {
    std::memcpy(p, kByteDigits.text[v], 3);
    return p + kByteDigits.length[v];
}

// "  X,Y" and "  Mp a->b" for each of the six planes at most.
constexpr std::size_t kMaxCellLine = 2 + 5 + 6 * 13 + 1;

// "  X,Y  M0 a->b  M5 a->b" with the planes that changed.
char* putCellLine(char* p, const CellChange& c) {
    *p++ = ' ';
    *p++ = ' ';
    p = putByte(p, c.x);
    *p++ = ',';
    p = putByte(p, c.y);
    // Only the planes that changed, lowest first.
    for (unsigned bits = c.changed; bits; bits &= bits - 1) {
        const int i = std::countr_zero(bits);
        std::memcpy(p, "  M", 3);
        p += 3;
        *p++ = char('0' + i);
        *p++ = ' ';
        p = putByte(p, c.before[std::size_t(i)]);
        *p++ = '-';
        *p++ = '>';
        p = putByte(p, c.after[std::size_t(i)]);
    }
    *p++ = '\n';
    return p;
}

void appendCellLines(std::string& out, const std::vector<CellChange>& cells) {
    const std::size_t start = out.size();
    // putByte always copies three characters; kMaxCellLine counts three
    // digits for every number, so no copy passes the space made here.
    out.resize(start + cells.size() * kMaxCellLine);
    char* const begin = out.data() + start;
    char* p = begin;
    for (const CellChange& c : cells) p = putCellLine(p, c);
    out.resize(start + std::size_t(p - begin));
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

namespace {

void appendMapHead(std::string& out, const MapDiff& diff) {
    out += "map ";
    appendNumber(out, diff.map);
    out += ' ';
    appendQuoted(out, diff.name);
    out += ": ";
    appendNumber(out, (long long)diff.cells.size());
    out += diff.cells.size() == 1 ? " cell changed\n" : " cells changed\n";
}

void appendMapTail(std::string& out, const MapDiff& diff) {
    for (int a = 0; a < kAuxPlanes; ++a)
        if (const int n = diff.auxBytes[std::size_t(a)])
            appendCount(out, kAuxPlaneLabels[a], n, n == 1 ? " byte changed" : " bytes changed");
    for (const NameChange& c : diff.names) appendNameLine(out, c);
}

// The cell lines through a small buffer of their own: a report of every
// cell of every map is tens of megabytes that need never be held at once.
void writeCellLines(std::ostream& out, const std::vector<CellChange>& cells) {
    char buffer[1 << 16];
    char* const end = buffer + sizeof buffer;
    char* p = buffer;
    for (const CellChange& c : cells) {
        if (end - p < std::ptrdiff_t(kMaxCellLine)) {
            out.write(buffer, p - buffer);
            p = buffer;
        }
        p = putCellLine(p, c);
    }
    out.write(buffer, p - buffer);
}

}  // namespace

void appendMapDiffText(std::string& out, const MapDiff& diff) {
    if (diff.empty()) return;
    appendMapHead(out, diff);
    appendCellLines(out, diff.cells);
    appendMapTail(out, diff);
}

namespace {

void appendSetWideText(std::string& out, const MapSetDiff& diff) {
    if (diff.traderNames.empty() && diff.mapFiles.empty()) return;
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
}

}  // namespace

std::vector<std::string> mapDiffReport(const MapSetDiff& diff, int n, const std::string& name) {
    std::string text;
    for (const MapDiff& m : diff.maps)
        if (m.map == n) appendMapDiffText(text, m);
    if (text.empty()) {
        text = "map ";
        appendNumber(text, n);
        text += ' ';
        appendQuoted(text, name);
        text += ": no differences\n";
    }
    appendSetWideText(text, diff);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

void writeMapSetDiffText(std::ostream& out, const MapSetDiff& diff) {
    std::string text;
    for (const MapDiff& m : diff.maps) {
        if (m.empty()) continue;
        text.clear();
        appendMapHead(text, m);
        out << text;
        writeCellLines(out, m.cells);
        text.clear();
        appendMapTail(text, m);
        out << text;
    }
    text.clear();
    appendSetWideText(text, diff);
    out << text;
}

std::string mapSetDiffText(const MapSetDiff& diff) {
    std::ostringstream out;
    writeMapSetDiffText(out, diff);
    return out.str();
}

}  // namespace d7
