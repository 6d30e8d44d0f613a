// d7fuzz-seeds GAME CORPUS: writes the fuzz targets' seeds made from the
// sample game directory GAME into CORPUS/<target>/.
#include <exception>
#include <iostream>

#include "fuzz/seeds.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: d7fuzz-seeds GAME CORPUS\n";
        return 2;
    }
    try {
        const int count = d7::fuzz::writeSeedCorpus(argv[1], argv[2]);
        std::cout << "d7fuzz-seeds: " << count << " seeds in " << argv[2] << "\n";
    } catch (const std::exception& e) {
        std::cerr << "d7fuzz-seeds: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
