// make-sample: the project's own sample game directory.
#include <ostream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "samplegen/sample_game.h"

namespace d7::cli {

int runMakeSample(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
    Args args(words, {{"--seed"}, {}});
    args.expectCount(1);
    std::uint64_t seed = samplegen::kDefaultSeed;
    if (auto text = args.value("--seed"))
        seed = std::uint64_t(parseInt(*text, "--seed", 0, 2147483647));
    samplegen::writeSampleGame(args.at(0, "OUT"), seed);
    out << "sample game with seed " << seed << " written to " << args.at(0, "OUT") << "\n";
    return 0;
}

}  // namespace d7::cli
