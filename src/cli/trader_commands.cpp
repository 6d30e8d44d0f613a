// Traders and starting positions on the command line: the edit commands,
// routes and ai-prefs.
#include "cli/trader_commands.h"

#include <algorithm>
#include <ostream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/game_session.h"
#include "core/analysis/ai_preferences.h"
#include "core/analysis/domain_renumber.h"
#include "core/analysis/start_positions.h"
#include "core/analysis/town_slots.h"
#include "core/analysis/trade_routes.h"
#include "core/edit/geometry.h"
#include "core/model/name_encoding.h"

namespace d7::cli {

namespace {

struct Syntax {
    const char* name;
    TraderEdit::Op op;
    std::vector<const char*> args;
};

struct Range {
    int lo;
    int hi;
};

// The numbers an argument may take. T is a trader, except as switch-domain's
// target, which is a domain list entry.
Range rangeOf(TraderEdit::Op op, const std::string& what) {
    if (what == "T")
        return op == TraderEdit::Op::SwitchDomain ? Range{0, kMaxDomain} : Range{1, kTraders};
    if (what == "D" || what == "S") return {1, kMaxDomain};
    if (what == "K") return {1, kStartPositions};
    if (what == "X" || what == "Y") return {0, kGrid - 1};
    return {0, kTraders};  // the slots A, B, C
}

// "replace S" answers Yes to the question of a full town and chooses trader
// S in "Select Traderoute"; everything shown goes on to the base prompt.
class ReplacingPrompt : public Prompt {
  public:
    ReplacingPrompt(Prompt& base, int trader) : base_(base), trader_(trader) {}
    // The question is printed as any other; its answer is Yes whatever the
    // base prompt would answer.
    bool askYesNo(const std::string& caption, const std::string& text) override {
        base_.askYesNo(caption, text);
        return true;
    }
    void inform(const std::string& caption, const std::string& text) override {
        base_.inform(caption, text);
    }
    std::optional<int> selectTraderoute(const std::vector<int>& traders) override {
        const auto it = std::find(traders.begin(), traders.end(), trader_);
        if (it == traders.end()) return std::nullopt;
        return int(it - traders.begin());
    }

  private:
    Prompt& base_;
    int trader_;
};

}  // namespace

std::optional<TraderEdit> parseTraderEdit(const std::vector<std::string>& w) {
    using Op = TraderEdit::Op;
    static const Syntax kSyntax[] = {
        {"add-trader", Op::AddTrader, {"D", "T"}},
        {"remove-trader", Op::RemoveTrader, {"D", "T"}},
        {"set-slots", Op::SetSlots, {"D", "A", "B", "C"}},
        {"start", Op::Start, {"K", "D"}},
        {"start-at", Op::StartAt, {"X", "Y", "K"}},
        {"switch-domain", Op::SwitchDomain, {"S", "T"}},
    };
    for (const Syntax& s : kSyntax) {
        if (w.empty() || w[0] != s.name) continue;
        TraderEdit e;
        e.op = s.op;
        const std::size_t n = s.args.size();
        const bool replace = s.op == Op::AddTrader && w.size() == 5 && w[3] == "replace";
        if (w.size() != n + 1 && !replace) {
            std::string usage = std::string(s.name) + " needs";
            for (const char* a : s.args) usage += std::string(" ") + a;
            if (s.op == Op::AddTrader) usage += " [replace S]";
            throw UsageError(usage);
        }
        for (std::size_t i = 0; i < n; ++i) {
            const Range r = rangeOf(s.op, s.args[i]);
            e.v[i] = parseInt(w[i + 1], s.args[i], r.lo, r.hi);
        }
        if (replace) e.replace = parseInt(w[4], "S", 1, kTraders);
        return e;
    }
    return std::nullopt;
}

bool runTraderEdit(EditorState& st, Prompt& prompt, const TraderEdit& e, std::ostream& err) {
    using Op = TraderEdit::Op;
    switch (e.op) {
        case Op::AddTrader:
            if (e.replace != 0) {
                ReplacingPrompt replacing(prompt, e.replace);
                AddTradeStop(st, replacing, e.v[0], e.v[1]);
            } else {
                AddTradeStop(st, prompt, e.v[0], e.v[1]);
            }
            break;
        case Op::RemoveTrader:
            RemoveTradeStop(st, prompt, e.v[0], e.v[1]);
            break;
        case Op::SetSlots:
            SetTownSlots(st, e.v[1], e.v[2], e.v[3], e.v[0]);
            break;
        case Op::Start:
            setStartingPosition(st, prompt, e.v[0], e.v[1]);
            break;
        case Op::StartAt:
            if (!setStartAt(st, e.v[0], e.v[1], e.v[2])) {
                err << "d7irir-cli edit: map " << st.curMap << ": no castle on (" << e.v[0] << ", "
                    << e.v[1] << ")\n";
                return false;
            }
            break;
        case Op::SwitchDomain:
            switchDomainNumbers(st, e.v[0], e.v[1]);
            break;
    }
    return true;
}

int runRoutes(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
    Args args(words, {{kPl8Option}, {}});
    args.expectCount(2);
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    markAllRoutesStale(*st);
    ensureAllRouteCells(*st);
    for (int t = 1; t <= kTraders; ++t) {
        out << "Trader " << t << (st->routeStale[std::size_t(t)] ? " (stale)" : " (ok)") << "\n";
        for (const RouteCell& c : st->RouteCells[std::size_t(t)]) out << routeCellText(c) << "\n";
    }
    return 0;
}

int runAiPrefs(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
    Args args(words, {{kPl8Option}, {}});
    args.expectCount(2);
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    for (int k = 1; k <= kStartPositions; ++k) {
        const AiPreference p = aiPreferences(*st, k);
        if (p.start == 0) continue;
        out << "Start " << k << ": " << nameForTerminal(st->CountyTable[std::size_t(p.start)].name)
            << "(" << p.start << ")\n";
        out << "  1: " << p.first << "\n  2: " << p.second << "\n";
    }
    return 0;
}

}  // namespace d7::cli
