// Runs d7irir-cli in-process and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace d7::test {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun runCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::runCli(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace d7::test
