#include "cli/area_edit_commands.h"

#include <string_view>

#include "cli/cli_args.h"
#include "core/edit/area_copy.h"
#include "core/edit/area_rect.h"
#include "core/edit/cell_writer.h"
#include "core/edit/whole_map.h"
#include "core/model/history_steps.h"

namespace d7::cli {

namespace {

// "fill"'s fourth kind besides the three random fills.
constexpr int kBlackFill = 3;

struct Word {
    const char* name;
    int value;
};
constexpr Word kRectFills[] = {{"sea", int(FillKind::Sea)},
                               {"grass", int(FillKind::Grass)},
                               {"forest", int(FillKind::Forest)},
                               {"black", kBlackFill}};
constexpr Word kMapFills[] = {{"grass", int(FillKind::Grass)}, {"sea", int(FillKind::Sea)}};
constexpr Word kDirections[] = {{"x+", int(ShiftDirection::XPlus)},
                                {"x-", int(ShiftDirection::XMinus)},
                                {"y+", int(ShiftDirection::YPlus)},
                                {"y-", int(ShiftDirection::YMinus)}};

template <std::size_t N>
int wordValue(const Word (&words)[N], const std::string& text, const char* what) {
    std::string names;
    for (const Word& w : words) {
        if (text == w.name) return w.value;
        names += std::string(names.empty() ? "" : "|") + w.name;
    }
    throw UsageError(std::string(what) + " must be " + names + ", not '" + text + "'");
}

class Parser {
  public:
    explicit Parser(const std::vector<std::string>& w) : w_(w) {}

    // Requires the words after the name to be between lo and hi in number.
    void expect(std::size_t lo, std::size_t hi, const char* usage) const {
        if (w_.size() - 1 < lo || w_.size() - 1 > hi) throw UsageError(w_[0] + " needs " + usage);
    }
    int coordinate(std::size_t i, const char* what) const {
        return parseInt(w_[i], what, 0, kGrid - 1);
    }
    CellRect corners() const {
        return {coordinate(1, "AX"), coordinate(2, "AY"), coordinate(3, "BX"), coordinate(4, "BY")};
    }
    CellRect position() const {
        const int x = coordinate(1, "X"), y = coordinate(2, "Y");
        return {x, y, x, y};
    }
    // Whether the optional last word (at index i) is given; anything but the
    // expected word is refused.
    bool optionAt(std::size_t i, std::string_view word) const {
        if (w_.size() <= i) return false;
        if (w_[i] != word)
            throw UsageError("'" + w_[i] + "' should be '" + std::string(word) + "'");
        return true;
    }
    const std::string& operator[](std::size_t i) const { return w_[i]; }

  private:
    const std::vector<std::string>& w_;
};

std::string mapPrefix(const EditorState& st) {
    return "map " + std::to_string(st.curMap) + ": ";
}

const char* bufferName(const AreaCommand& c) {
    return c.option ? "transformed buffer" : "clipboard";
}

void paste(EditorState& st, const AreaCommand& c) {
    const int x = c.rect.left, y = c.rect.top;
    const AreaBuffer& area = c.option ? st.transformed : st.clipboard;
    if (!area.valid)
        throw EditFailure(mapPrefix(st) + "the " + bufferName(c) + " holds no area (" +
                          (c.option ? "copy and transform one first)" : "copy one first)"));
    const bool special = c.op == AreaOp::PasteSpecial;
    if (!(special ? areaFits(area, x, y) : pasteAreaFits(area, x, y)))
        throw EditFailure(mapPrefix(st) + "the " + bufferName(c) + " (" +
                          std::to_string(area.width) + " x " + std::to_string(area.height) +
                          ") does not fit at (" + std::to_string(x) + ", " + std::to_string(y) +
                          ")" +
                          (special ? "" : "; paste needs it to end before column and row 63"));
    if (special)
        pasteSpecial(st, x, y, area);
    else
        pasteArea(st, x, y, area);
}

}  // namespace

int parseDomain(const std::string& text) {
    const int d = parseInt(text, "D", 0, kLandWithoutDomain);
    if (!isDomainNumber(d)) throw UsageError("D must be 0, 1 to 16 or 32, not " + text);
    return d;
}

std::optional<AreaCommand> parseAreaCommand(const std::vector<std::string>& w) {
    const std::string& name = w.at(0);
    const Parser p(w);
    AreaCommand c;
    if (name == "copy") {
        p.expect(4, 4, "AX AY BX BY");
        c = {AreaOp::Copy, p.corners()};
    } else if (name == "transform") {
        p.expect(1, 1, "OP (1 90°, 2 180°, 3 270°, 4 mirror X, 5 mirror Y)");
        c = {AreaOp::Transform, {}, parseInt(p[1], "OP", 1, 5)};
    } else if (name == "paste") {
        p.expect(2, 2, "X Y");
        c = {AreaOp::Paste, p.position()};
    } else if (name == "paste-special") {
        p.expect(2, 3, "X Y [transformed]");
        c = {AreaOp::PasteSpecial, p.position(), 0, 0, p.optionAt(3, "transformed")};
    } else if (name == "fill") {
        p.expect(5, 5, "AX AY BX BY sea|grass|forest|black");
        c = {AreaOp::Fill, p.corners(), wordValue(kRectFills, p[5], "the fill")};
    } else if (name == "domain-rect") {
        p.expect(5, 6, "AX AY BX BY D [keep]");
        c = {AreaOp::DomainRect, p.corners(), parseDomain(p[5]), 0, p.optionAt(6, "keep")};
    } else if (name == "remove-roads") {
        p.expect(4, 4, "AX AY BX BY");
        c = {AreaOp::RemoveRoads, p.corners()};
    } else if (name == "road-line") {
        p.expect(4, 4, "AX AY BX BY (corners sharing x or y)");
        c = {AreaOp::RoadLine, p.corners()};
        if (c.rect.left != c.rect.right && c.rect.top != c.rect.bottom)
            throw UsageError("road-line needs corners that share their x or their y");
    } else if (name == "fill-map" || name == "fill-black") {
        p.expect(1, 1, "grass|sea");
        c = {name == "fill-map" ? AreaOp::FillMap : AreaOp::FillBlack,
             {},
             wordValue(kMapFills, p[1], "the fill")};
    } else if (name == "land-without-domain") {
        p.expect(0, 0, "no arguments");
        c = {AreaOp::LandWithoutDomain};
    } else if (name == "undo" || name == "redo") {
        p.expect(0, 0, "no arguments");
        c = {name == "undo" ? AreaOp::Undo : AreaOp::Redo};
    } else if (name == "shift") {
        p.expect(2, 2, "x+|x-|y+|y- N");
        c = {AreaOp::Shift,
             {},
             wordValue(kDirections, p[1], "the direction"),
             readShiftDistance(p[2])};
        if (c.distance < 1 || c.distance > kMaxShift)
            throw UsageError(std::string(kShiftWarningCaption) + ": " + kShiftWarning +
                             " (N is 1 to 63, not '" + p[2] + "')");
    } else {
        return std::nullopt;
    }
    return c;
}

void runAreaCommand(EditorState& st, Prompt& prompt, const AreaCommand& c) {
    switch (c.op) {
        case AreaOp::Copy:
            copyArea(st, c.rect);
            break;
        case AreaOp::Transform:
            transformArea(st, AreaTransform(c.value));
            break;
        case AreaOp::Paste:
        case AreaOp::PasteSpecial:
            paste(st, c);
            break;
        case AreaOp::Fill:
            if (c.value == kBlackFill)
                blackRect(st, c.rect);
            else
                fillRect(st, FillKind(c.value), c.rect);
            break;
        case AreaOp::DomainRect:
            setDomainRect(st, c.value, !c.option, c.rect);
            break;
        case AreaOp::RemoveRoads:
            removeRoadsRect(st, c.rect);
            break;
        case AreaOp::RoadLine:
            setRoadLine(st, c.rect);
            break;
        case AreaOp::FillMap:
            fillMap(st, FillKind(c.value));
            break;
        case AreaOp::FillBlack:
            fillBlack(st, FillKind(c.value));
            break;
        case AreaOp::LandWithoutDomain:
            setLandWithoutDomain(st);
            break;
        case AreaOp::Shift:
            shiftMap(st, prompt, c.distance, ShiftDirection(c.value));
            break;
        case AreaOp::Undo:
            if (!undoStep(st)) throw EditFailure(mapPrefix(st) + "nothing to undo");
            break;
        case AreaOp::Redo:
            if (!redoStep(st)) throw EditFailure(mapPrefix(st) + "nothing to redo");
            break;
    }
}

}  // namespace d7::cli
