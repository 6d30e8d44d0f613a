#include "cli/exit_statuses.h"

namespace d7::cli {

namespace {

struct ExitStatuses {
    const char* command;
    const char* zero;
    const char* one;
    const char* two;
};

constexpr ExitStatuses kDefault = {
    nullptr, "done", "a file could not be read or written (nothing written)", "a usage error"};

constexpr ExitStatuses kStatuses[] = {
    {"rename-map", "saved", "a file could not be read or written",
     "a usage error, or a name the game cannot store (nothing written)"},
    {"rename-domain", "saved", "a file could not be read or written",
     "a usage error, or a name the game cannot store (nothing written)"},
    {"check", "no findings (only headings, names, \"Ok.\" and \"None.\")",
     "findings (with --all-maps: in any map)", "a usage error, or the map set could not be read"},
    {"fix", "saved, and no finding remains", "saved, and some findings remain (no safe fix)",
     "a usage error, or a file could not be read or written (nothing saved)"},
    {"diff", "the map sets are equal", "they differ",
     "a usage error, or a map set could not be read"},
    {"snapshot", "written (its path printed)",
     "a message said why not, or a file could not be read or written", "a usage error"},
    {"restore-snapshot", "saved",
     "no snapshot, the question answered No, or a file could not be read or written; "
     "nothing written",
     "a usage error"},
    {"reset-map", "saved",
     "the question answered No, or a file could not be read or written; nothing written",
     "a usage error"},
    {"import-plane", "saved",
     "the bitmap refused, or a file could not be read or written; nothing written",
     "a usage error"},
    {"edit", "saved",
     "a command was refused (unless --keep-going) or could not be carried out, or a file "
     "could not be read or written; nothing written",
     "a usage error"},
};

}  // namespace

std::string exitStatusHelp(std::string_view command) {
    ExitStatuses s = kDefault;
    for (const ExitStatuses& entry : kStatuses)
        if (command == entry.command) s = entry;
    return std::string("Exit status:\n  0  ") + s.zero + "\n  1  " + s.one + "\n  2  " + s.two +
           "\n";
}

}  // namespace d7::cli
