#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return d7::cli::runCli(args, std::cout, std::cerr);
}
