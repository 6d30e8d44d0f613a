#include "cli/brush_command.h"

#include "cli/area_edit_commands.h"
#include "cli/cli_args.h"
#include "core/model/planes.h"

namespace d7::cli {

namespace {

constexpr const char* kUsage =
    "brush needs X Y sea|grass|forest|road|field [mask=ROWS], or X Y domain|domain-keep D [sea] "
    "[mask=ROWS]";

struct FillName {
    const char* name;
    BrushFill fill;
};
constexpr FillName kFills[] = {{"sea", BrushFill::Sea},
                               {"grass", BrushFill::Grassland},
                               {"forest", BrushFill::Forest},
                               {"road", BrushFill::Road},
                               {"field", BrushFill::Field},
                               {"domain", BrushFill::Domain},
                               {"domain-keep", BrushFill::DomainNoOverwrite}};

// Five rows of five 0/1 digits, top row first, optionally split by "/".
BrushMask parseMask(const std::string& text) {
    BrushMask mask;
    int n = 0;
    for (char c : text) {
        if (c == '/') continue;
        if ((c != '0' && c != '1') || n >= kBrushSide * kBrushSide)
            throw UsageError("mask= needs 25 digits 0 or 1 (five rows of five), not '" + text +
                             "'");
        mask.set(n % kBrushSide, n / kBrushSide, c == '1');
        ++n;
    }
    if (n != kBrushSide * kBrushSide)
        throw UsageError("mask= needs 25 digits 0 or 1 (five rows of five), not '" + text + "'");
    return mask;
}

}  // namespace

std::optional<BrushCommand> parseBrushCommand(const std::vector<std::string>& w) {
    if (w.at(0) != "brush") return std::nullopt;
    if (w.size() < 4) throw UsageError(kUsage);
    BrushCommand c;
    c.x = parseInt(w[1], "X", 0, kGrid - 1);
    c.y = parseInt(w[2], "Y", 0, kGrid - 1);
    const FillName* fill = nullptr;
    for (const FillName& f : kFills)
        if (w[3] == f.name) fill = &f;
    if (!fill) throw UsageError("unknown brush fill '" + w[3] + "'; " + kUsage);
    c.fill = fill->fill;
    std::size_t next = 4;
    const bool domainFill = c.fill == BrushFill::Domain || c.fill == BrushFill::DomainNoOverwrite;
    if (domainFill) {
        if (w.size() <= next) throw UsageError(kUsage);
        c.domain = parseDomain(w[next++]);
        if (next < w.size() && w[next] == "sea") {
            c.overwriteSea = true;
            ++next;
        }
    }
    if (next < w.size() && w[next].starts_with("mask=")) c.mask = parseMask(w[next++].substr(5));
    if (next != w.size()) throw UsageError("unexpected '" + w[next] + "'; " + kUsage);
    return c;
}

}  // namespace d7::cli
