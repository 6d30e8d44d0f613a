#include "cli/commands.h"

#include <array>
#include <ostream>

#include "cli/cli_args.h"
#include "core/model/file_io.h"

namespace d7::cli {

namespace {

constexpr Command kCommands[] = {
    {"info", "DIR", "list the maps of the map set in DIR",
     "One line per map: number, name, map file and record, cells with a domain,\n"
     "castles and towns.",
     runInfo},
    {"save", "DIR OUT [--all]", "load the map set of DIR and save it into OUT",
     "Writes what \"Save Mapset...\" writes: the map store, the language file when\n"
     "names changed, and the changed map files. --all writes every file.",
     runSave},
    {"rename-map", "DIR N TEXT OUT", "rename map N and save the map set into OUT", "",
     runRenameMap},
    {"rename-domain", "DIR N K TEXT OUT",
     "rename domain list entry K (0..16) of map N and save into OUT",
     "Entry 0 names the land without domain, 1..16 the domains.", runRenameDomain},
    {"render", "DIR MAP OUT [--zoom 1|2] [--view map|domain] [--season S] [--dark] [--blacksmiths]",
     "draw map MAP as the map window shows it into OUT (.png or .bmp)",
     "S is spring (the default), summer, autumn or winter. --dark uses the dark\n"
     "palette and colours, --blacksmiths shows the blacksmiths. The tilesets and\n"
     "Base01.256 are read from the .pl8 directory.",
     runRender},
    {"analyse", "DIR MAP", "print the analysis of map MAP as JSON", "", runAnalyse},
    {"path",
     "DIR MAP SX SY TX TY [--matrix move|road] [--roads-only] [--trace path|road] [--straight]",
     "search distances from (SX, SY), trace to (TX, TY), print JSON",
     "--matrix picks the cost matrix (default move), --roads-only makes every\n"
     "non-road step cost 100, --trace road walks as the road tool does\n"
     "(--straight prefers straighter roads).",
     runPath},
    {"export-map", "DIR MAP OUT.k7map", "save map MAP as a single-map file", "", runExportMap},
    {"import-map", "DIR MAP IN.k7map OUT",
     "load a single-map file over map MAP and save the map set into OUT",
     "The map's planes and names come from the file; a file too short or with\n"
     "fewer than 17 domain names is refused and nothing is written.",
     runImportMap},
    {"snapshot", "DIR MAP [--home H]", "save a snapshot of map MAP",
     "Writes snapshots/Snap_<map name>_<timestamp>.k7map in the program directory\n"
     "(--home H, else the editor's) and prints its path.",
     runSnapshot},
    {"restore-snapshot", "DIR MAP OUT [--home H] [--yes]",
     "load map MAP's latest snapshot and save the map set into OUT",
     "Without --yes the question is answered No and nothing is written.", runRestoreSnapshot},
    {"reset-map", "DIR MAP OUT --yes", "empty map MAP, name it \"Empty Map\", save into OUT",
     "Without --yes the question is answered No and nothing is written.", runResetMap},
    {"edit", "DIR OUT [--map N | --all-maps] [--seed S] [--answer yes|no] -e CMD [-e CMD ...]",
     "run editing commands on map N (default 0) or every map and save into OUT",
     "CMD is one of:\n"
     "  place X Y base|roads|mountains|buildings TILE   TILE as in the tile selector:\n"
     "      mountains 0..4 (2 x 2) or 6 (3 x 3); buildings 0 quarry, 1 lumber, 2 mine,\n"
     "      3 village, 4 town, 5 castle\n"
     "  domain X Y D      give the cell domain D (0, 1..16, 32); sea keeps its domain\n"
     "  recalc-roads      recalculate road connections\n"
     "  create-cliffs     retile the coast\n"
     "  fix-borders       set border tiles at domain edges\n"
     "  road-path SX SY TX TY [straight]   lay a road along the road tool's path\n"
     "Questions get the --answer (default no); every message the editor would show\n"
     "is printed as 'caption: text' on stderr. --seed makes the random tiles repeatable.",
     runEdit},
    {"diff", "A B [--map N] [--json] [--picture OUT.png]",
     "list what changed from the map set in A to the one in B",
     "Compares every map: cells whose M0..M5 differ (old->new per plane), the\n"
     "outline and the Ext planes (changed bytes), map and domain names; then the\n"
     "trader names and the map file headers. Names are those of B. --map N\n"
     "compares map N alone and leaves out the set-wide facts. --json prints the\n"
     "same facts as one JSON object. --picture (with --map) draws B's map N as\n"
     "render does at 100 % with every changed cell outlined (.png or .bmp).\n"
     "Exit status: 0 the sets are equal, 1 they differ, 2 an error (a damaged\n"
     "map set is refused with the message of loading it).",
     runDiff},
    {"make-sample", "OUT [--seed N]", "write the project's own sample game directory into OUT", "",
     runMakeSample},
};

constexpr const char* kCommonHelp =
    "DIR is a game directory. Its .pl8 directory is DIR itself when it holds\n"
    "base01.pl8, else DIR/pl8; --pl8 DIR2 names it. Map files are read from DIR\n"
    "when the two are the same, else from DIR's PL8 sub-directory.\n";

void printUsage(std::ostream& out) {
    out << "usage: d7irir-cli COMMAND [ARGS...]   (d7irir-cli COMMAND --help for more)\n\n"
           "commands:\n";
    for (const Command& c : allCommands()) {
        std::string head = std::string("  ") + c.name + " " + c.usage;
        out << head;
        out << (head.size() < 40 ? std::string(40 - head.size(), ' ')
                                 : std::string("\n") + std::string(40, ' '));
        out << c.summary << "\n";
    }
    out << "\n" << kCommonHelp;
}

bool wantsHelp(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

}  // namespace

std::span<const Command> allCommands() {
    return kCommands;
}

int runCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
    if (argv.empty() || argv[0] == "--help" || argv[0] == "-h" || argv[0] == "help") {
        printUsage(argv.empty() ? err : out);
        return argv.empty() ? 2 : 0;
    }
    for (const Command& c : allCommands()) {
        if (argv[0] != c.name) continue;
        std::vector<std::string> rest(argv.begin() + 1, argv.end());
        if (wantsHelp(rest)) {
            out << "usage: d7irir-cli " << c.name << " " << c.usage << "\n" << c.summary << "\n";
            if (*c.help) out << "\n" << c.help << "\n";
            out << "\n" << kCommonHelp;
            return 0;
        }
        try {
            return c.run(rest, out, err);
        } catch (const UsageError& e) {
            err << "d7irir-cli " << c.name << ": " << e.what() << " (usage: d7irir-cli " << c.name
                << " " << c.usage << ")\n";
            return 2;
        } catch (const FileError& e) {
            err << "d7irir-cli " << c.name << ": " << e.what() << "\n";
            return 1;
        } catch (const std::exception& e) {
            err << "d7irir-cli " << c.name << ": " << e.what() << "\n";
            return 1;
        }
    }
    err << "d7irir-cli: unknown command '" << argv[0] << "' (d7irir-cli --help lists them)\n";
    return 2;
}

}  // namespace d7::cli
