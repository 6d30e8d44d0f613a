#include "core/analysis/report_targets.h"

#include <optional>

#include "core/edit/geometry.h"

namespace d7 {

namespace {

constexpr std::size_t kMaxDigits = 4;  // more digits cannot name a domain or a cell

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number at the start of text (at most kMaxDigits digits) and how many
// characters it took; nothing when text does not start with a digit or the
// number goes on longer.
struct Number {
    int value;
    std::size_t length;
};
std::optional<Number> numberAt(std::string_view text) {
    std::size_t n = 0;
    int value = 0;
    while (n < text.size() && isDigit(text[n])) {
        if (++n > kMaxDigits) return std::nullopt;
        value = value * 10 + (text[n - 1] - '0');
    }
    if (n == 0) return std::nullopt;
    return Number{value, n};
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

ReportTarget domainTarget(int d) {
    if (d < 1 || d > kMaxDomain) return {};
    return {ReportTarget::Domain, d, -1, -1};
}

std::optional<ReportTarget> cellTarget(int x, int y) {
    if (!inMap(x, y)) return std::nullopt;
    return ReportTarget{ReportTarget::Cell, 0, x, y};
}

// "x,y" at the start of text; the length it took.
std::optional<ReportTarget> pairAt(std::string_view text, std::size_t& length) {
    const auto x = numberAt(text);
    if (!x || x->length >= text.size() || text[x->length] != ',') return std::nullopt;
    const auto y = numberAt(text.substr(x->length + 1));
    if (!y) return std::nullopt;
    length = x->length + 1 + y->length;
    return cellTarget(x->value, y->value);
}

// The number right after prefix at the start of text.
std::optional<int> numberAfter(std::string_view text, std::string_view prefix) {
    if (!startsWith(text, prefix)) return std::nullopt;
    const auto n = numberAt(text.substr(prefix.size()));
    if (!n) return std::nullopt;
    return n->value;
}

std::optional<ReportTarget> findCell(std::string_view line) {
    std::size_t length = 0;
    // "x,y  M0 a->b ..." at the start: a cell line of a map set comparison.
    if (auto cell = pairAt(line, length); cell && line.substr(length, 2) == "  ") return cell;
    // "(x,y)" and " at x,y." anywhere.
    for (std::size_t i = 0; i < line.size(); ++i) {
        std::string_view rest = line.substr(i);
        if (rest[0] == '(') {
            const auto cell = pairAt(rest.substr(1), length);
            if (cell && length + 1 < rest.size() && rest[length + 1] == ')') return cell;
        }
        if (startsWith(rest, " at ")) {
            const auto cell = pairAt(rest.substr(4), length);
            if (cell && length + 4 < rest.size() && rest[length + 4] == '.') return cell;
        }
    }
    // "X: x Y: y" at the end.
    if (const std::size_t at = line.rfind("X: "); at != std::string_view::npos) {
        std::string_view rest = line.substr(at + 3);
        const auto x = numberAt(rest);
        if (x && startsWith(rest.substr(x->length), " Y: ")) {
            rest = rest.substr(x->length + 4);
            const auto y = numberAt(rest);
            if (y && y->length == rest.size())
                if (auto cell = cellTarget(x->value, y->value)) return cell;
        }
    }
    // "x,y" as the whole line or after the last space.
    const std::size_t space = line.rfind(' ');
    const std::string_view last = space == std::string_view::npos ? line : line.substr(space + 1);
    if (auto cell = pairAt(last, length); cell && length == last.size()) return cell;
    return std::nullopt;
}

std::optional<int> findDomain(std::string_view line) {
    if (const auto n = numberAt(line)) {
        // A leading number followed by anything but the comma of a cell.
        if (n->length == line.size() || line[n->length] != ',') return n->value;
        return std::nullopt;
    }
    for (std::string_view prefix : {"-- ", "Start: "})
        if (const auto d = numberAfter(line, prefix)) return d;
    if (startsWith(line, "[")) {
        const std::size_t close = line.find("]  ");
        if (close != std::string_view::npos) return numberAfter(line.substr(close), "]  ");
    }
    // "No path to adjacent domain 3 ...", "No continuous road to domain 3".
    const std::size_t at = line.find(" domain ");
    if (at != std::string_view::npos) return numberAfter(line.substr(at), " domain ");
    return std::nullopt;
}

}  // namespace

ReportTarget reportLineTarget(std::string_view line) {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    for (std::string_view prefix : {"Domain ", "County: ", "domain "})
        if (const auto d = numberAfter(line, prefix)) return domainTarget(*d);
    if (const auto cell = findCell(line)) return *cell;
    if (const auto d = findDomain(line)) return domainTarget(*d);
    return {};
}

}  // namespace d7
