// Writes the sample game directory: d7samplegen-make OUT [SEED].
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "samplegen/sample_game.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: d7samplegen-make OUT [SEED]\n";
        return 2;
    }
    try {
        const std::uint64_t seed = argc == 3 ? std::stoull(argv[2]) : d7::samplegen::kDefaultSeed;
        d7::samplegen::writeSampleGame(argv[1], seed);
    } catch (const std::exception& e) {
        std::cerr << "d7samplegen-make: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
