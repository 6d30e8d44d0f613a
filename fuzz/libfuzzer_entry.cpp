// The libFuzzer program d7fuzz: one binary for every target, the target
// chosen with --target=NAME (libFuzzer leaves flags that begin with "--" to
// the program). --list prints the targets' names.
//
//   d7fuzz --target=tilesetFile CORPUS_DIR...   fuzz
//   d7fuzz --target=tilesetFile crash-1234...   run one input again
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_targets.h"

namespace {

void (*chosen)(d7::fuzz::Input) = nullptr;

void listTargets(std::FILE* out) {
    for (const auto& target : d7::fuzz::allFuzzTargets()) std::fprintf(out, "%s\n", target.name);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    const char* name = nullptr;
    for (int i = 1; i < *argc; ++i) {
        const char* arg = (*argv)[i];
        if (std::strcmp(arg, "--list") == 0) {
            listTargets(stdout);
            std::exit(0);
        }
        if (std::strncmp(arg, "--target=", 9) == 0) name = arg + 9;
    }
    for (const auto& target : d7::fuzz::allFuzzTargets())
        if (name && std::strcmp(target.name, name) == 0) chosen = target.run;
    if (!chosen) {
        std::fprintf(stderr, "d7fuzz: %s; the targets are:\n",
                     name ? "no such target" : "choose a target with --target=NAME");
        listTargets(stderr);
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    chosen({data, size});
    return 0;
}
