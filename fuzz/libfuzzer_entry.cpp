// libFuzzer entry point for the target named by D7_FUZZ_TARGET.
#include <cstring>

#include "fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const auto& target : d7::fuzz::allFuzzTargets())
        if (std::strcmp(target.name, D7_FUZZ_TARGET) == 0) target.run({data, size});
    return 0;
}
