#include "cli/commands.h"

#include <array>
#include <new>
#include <ostream>

#include "cli/cli_args.h"
#include "cli/exit_statuses.h"
#include "cli/game_session.h"
#include "core/model/file_io.h"

namespace d7::cli {

namespace {

constexpr Command kCommands[] = {
    {"info", "DIR", "list the maps of the map set in DIR",
     "One line per map: number, name (UTF-8, control characters as \\xNN), map file\n"
     "and record, cells with a domain, castles and towns.",
     runInfo},
    {"save", "DIR OUT [--all]", "load the map set of DIR and save it into OUT",
     "Writes what \"Save Mapset...\" writes: the map store, the language file when\n"
     "names changed, and the changed map files. --all writes every file.",
     runSave},
    {"rename-map", "DIR N TEXT OUT", "rename map N and save the map set into OUT",
     "TEXT is UTF-8 and is stored in Windows-1252, as the editor stores names: at\n"
     "most 11 characters, each with a Windows-1252 byte, no control character and\n"
     "no ';'. Any other TEXT is refused and nothing is written.",
     runRenameMap},
    {"rename-domain", "DIR N K TEXT OUT",
     "rename domain list entry K (0..16) of map N and save into OUT",
     "Entry 0 names the land without domain, 1..16 the domains. TEXT is UTF-8 and\n"
     "is stored in Windows-1252: at most 20 characters, each with a Windows-1252\n"
     "byte, no control character and no ';'. Any other TEXT is refused and nothing\n"
     "is written.",
     runRenameDomain},
    {"render",
     "DIR MAP OUT [--zoom 0.25|0.5|1|2] [--view map|domain|traders] [--trader 0..6] "
     "[--route lines|numbers] [--season S] [--dark] [--blacksmiths]",
     "draw map MAP as the map window shows it into OUT (.png or .bmp)",
     "--zoom 0.25 and 0.5 are the 100 % picture shrunk by 4 and 2, as the map\n"
     "window shows it at 25 % and 50 %.\n"
     "S is spring (the default), summer, autumn or winter. --dark uses the dark\n"
     "palette and colours, --blacksmiths shows the blacksmiths. --view traders shows\n"
     "the traders' towns and the route of --trader t (0, the default, is all) as\n"
     "--route lines (the default) or numbers. The tilesets and\n"
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
    {"check", "DIR (MAP | --all-maps) errors|pathfinding|clipping|submaps",
     "check map MAP (or every map) against the game's rules",
     "Prints the report lines of \"Check Map for errors\", \"Check Pathfinding\",\n"
     "\"Check Map for Clipping\" or \"Check Submaps\" as the editor's statistics\n"
     "window shows them.\n"
     "--all-maps checks the 60 maps in turn, each under a line '== Map N NAME ==',\n"
     "and ends with 'maps with findings: K of 60'. Names are printed in UTF-8, control\n"
     "characters as \\xNN.",
     runCheck},
    {"fix",
     "DIR OUT [--map N | --all-maps] [--checks errors,pathfinding,submaps] [--black grass|sea]",
     "apply the fixes the checks offer on map N (default 0) or every map, save into OUT",
     "Runs each named check (all three by default) and applies the fix of every\n"
     "finding that has one, in the report's order, then checks again (a few rounds\n"
     "at most: a black cell turned grassland then lacks a domain). Prints one line\n"
     "'Fixed: ...' per fix, then the reports that still have findings; --all-maps\n"
     "puts each map's lines under '== Map N NAME ==' and ends with 'maps with\n"
     "findings: K of 60'. --black chooses what black tiles become (default grass).\n"
     "Exit status: 0 no finding remains, 1 some remain (the fixes are saved all\n"
     "the same), 2 an error (nothing is saved).",
     runFix},
    {"report", "DIR MAP NAME [X Y]", "print a statistics list of map MAP",
     "NAME is counties, townvals, traders, town-distances, traderoute, adj-doms,\n"
     "roadside, blacksmiths, trader-stats, t2t-adjacent, townadjroadpos, mapstats, or\n"
     "domain-info X Y (the summary of the domain of cell (X, Y)).",
     runReport},
    {"export-stats", "DIR MAP OUT.txt", "write the \"Export Mapstats\" file of map MAP",
     "One line per used domain 1..15 after the header Nr;Name;Route;QML;Fields,\n"
     "in UTF-8.",
     runExportStats},
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
    {"edit",
     "DIR OUT [--map N | --all-maps] [--seed S] [--answer yes|no] [--keep-going] -e CMD "
     "[-e CMD ...]",
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
     "  brush X Y sea|grass|forest|road|field [mask=ROWS]   the 5 x 5 brush centred\n"
     "      on (X, Y); brush X Y domain|domain-keep D [sea] [mask=ROWS] gives its land\n"
     "      domain D (domain-keep: only where none; sea: sea too). ROWS: five rows of\n"
     "      five 0/1 digits, top first, e.g. 00000/01110/01110/01110/00000 (default:\n"
     "      the centre cell)\n"
     "  copy AX AY BX BY  copy the rectangle into the clipboard (corners in any order)\n"
     "  transform OP      turn the clipboard into the transformed buffer: 1 90°,\n"
     "      2 180°, 3 270°, 4 mirror X, 5 mirror Y\n"
     "  paste X Y         paste the clipboard (it must end before column and row 63)\n"
     "  paste-special X Y [transformed]   paste the clipboard (or the transformed\n"
     "      buffer) and fix roads, coast and borders in it\n"
     "  fill AX AY BX BY sea|grass|forest|black   fill the rectangle\n"
     "  domain-rect AX AY BX BY D [keep]   domain D on its land (keep: only where none)\n"
     "  remove-roads AX AY BX BY   roads of the rectangle become grassland\n"
     "  road-line AX AY BX BY      a road between corners sharing x or y\n"
     "  fill-map grass|sea, fill-black grass|sea   fill every cell, or the black ones\n"
     "  land-without-domain        domain 32 on land without domain\n"
     "  shift x+|x-|y+|y- N        shift the map N (1..63) cells\n"
     "  undo              take back the latest step of the map's history (each\n"
     "      command that changed the map is one step)\n"
     "  redo              bring back the step undo took back last\n"
     "  create-submaps    derive outside map, outline, minimap mask and image\n"
     "  outside-from-map | outline-from-outside | mask-from-map | minimap-from-mask\n"
     "                    derive one of them\n"
     "  generate-from-bmp FILE   land, sea and domains from a 64 x 64 bitmap painted\n"
     "      in the colours of 'picture ... domain-palette' (black is sea)\n"
     "  add-trader D T [replace S]   add domain D's town to trader T's route; a town\n"
     "      with three traders asks (--answer); replace S answers Yes and trader S\n"
     "      gives up its slot\n"
     "  remove-trader D T  take domain D's town off trader T's route\n"
     "  set-slots D A B C  the traders (0..6) of route slots 1, 2, 3 of D's town\n"
     "  start K D          starting position K (1..5) to domain D's castle\n"
     "  start-at X Y K     starting position K to the castle on cell (X, Y)\n"
     "  switch-domain S T  domain numbers S (1..16) and T (0..16) change places\n"
     "Questions get the --answer (default no); every message the editor would show\n"
     "is printed as 'caption: text' on stderr. --seed makes the random tiles repeatable.\n"
     "A command the rules refuse (a placement, a trade stop, a starting position or a\n"
     "road: anything printed as a failure) ends the run and nothing is saved, unless\n"
     "--keep-going is given: then the refusal is printed and the run goes on and saves.\n"
     "A command that cannot be carried out (a paste that does not fit, an empty\n"
     "clipboard, nothing to undo or redo) ends the run and nothing is saved in both\n"
     "modes.",
     runEdit},
    {"export-plane", "DIR MAP mask|minimap|outside OUT.bmp [--dark]",
     "write map MAP's minimap mask, minimap image or outside map as a bitmap",
     "Each byte becomes the colour of its palette entry (Base01.256 of the .pl8\n"
     "directory) under the bright palette, or the dark one with --dark.",
     runExportPlane},
    {"import-plane", "DIR MAP mask|outside IN.bmp OUT [--dark] [--minimap-image]",
     "read map MAP's minimap mask or outside map from a bitmap, save into OUT",
     "Each pixel becomes the lowest palette entry of its colour (0 when none has\n"
     "it), so import under the brightness you exported with. The mask must be\n"
     "128 x 128, the outside map 65 x 129; the outline follows the outside map,\n"
     "and --minimap-image rebuilds the minimap image from the mask. A bitmap of\n"
     "the wrong size or one that cannot be read fails and nothing is written.",
     runImportPlane},
    {"picture",
     "DIR MAP testmap|vertmap|vdommap|vertex|domain|edge|domain-palette OUT.bmp [--dark] "
     "[--seed S]",
     "write one of the test pictures of map MAP",
     "testmap 128 x 128, vertmap and vdommap 3712 x 1920, vertex 65 x 129, domain\n"
     "and edge 128 x 128, domain-palette 64 x 64 (the colours generate-from-bmp\n"
     "reads). --seed makes the edge picture's random inside repeatable.",
     runPicture},
    {"routes", "DIR MAP", "print the cells each trader of map MAP walks",
     "For each trader 1..6 the line 'Trader t (ok)', or '(stale)' when it has no\n"
     "route, then one line per cell: S=x,y on the way to its start stop, else the\n"
     "leg number (0 = from the first stop to the second), '=', x,y.",
     runRoutes},
    {"ai-prefs", "DIR MAP", "print the domains the computer players of map MAP may take first",
     "For each starting position k with a start domain: 'Start k: NAME(d)', then\n"
     "'  1: P1' and '  2: P2', the first and second preference (0 for none).",
     runAiPrefs},
    {"diff", "A B [--map N] [--json] [--picture OUT.png]",
     "list what changed from the map set in A to the one in B",
     "Compares every map: cells whose M0..M5 differ (old->new per plane), the\n"
     "outline and the Ext planes (changed bytes), map and domain names; then the\n"
     "trader names and the map file headers. Names are those of B. --map N\n"
     "compares map N alone and leaves out the set-wide facts. --json prints the\n"
     "same facts as one JSON object. --picture (with --map) draws B's map N as\n"
     "render does at 100 % with every changed cell outlined (.png or .bmp).\n"
     "A damaged map set is refused with the message of loading it.",
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
    out << "\n"
        << kCommonHelp
        << "Names cross the command line as UTF-8 and are stored in Windows-1252.\n"
           "Exit status: 0 done, 1 a file error or an operation refused, 2 a usage\n"
           "error; check and diff give 1 for findings and differences (COMMAND --help).\n";
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
            out << "\n" << exitStatusHelp(c.name) << "\n" << kCommonHelp;
            return 0;
        }
        struct Notices {
            explicit Notices(std::ostream& err) { sendLoadNoticesTo(&err); }
            ~Notices() { sendLoadNoticesTo(nullptr); }
        } notices(err);
        try {
            return c.run(rest, out, err);
        } catch (const UsageError& e) {
            err << "d7irir-cli " << c.name << ": " << e.what() << " (usage: d7irir-cli " << c.name
                << " " << c.usage << ")\n";
            return 2;
        } catch (const RefusedArgument& e) {
            err << "d7irir-cli " << c.name << ": " << e.what() << "\n";
            return 2;
        } catch (const FileError& e) {
            err << "d7irir-cli " << c.name << ": " << e.what() << "\n";
            return 1;
        } catch (const std::bad_alloc&) {
            err << "d7irir-cli " << c.name << ": out of memory\n";
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
