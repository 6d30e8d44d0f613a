#pragma once

// Where the tests and benchmarks find the checkout and the generated sample
// game. The paths live in one generated source file of the support library,
// not in every file's compile flags: flags that hold a checkout's absolute
// path make every compile of another clone miss the compiler cache.
namespace d7::test {
const char* sampleGameDir();
const char* sourceTreeDir();
}  // namespace d7::test

#define D7_SAMPLE_DIR (::d7::test::sampleGameDir())
#define D7_SOURCE_DIR (::d7::test::sourceTreeDir())
