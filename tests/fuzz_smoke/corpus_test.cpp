// The fuzzers' starting points: every input kept in fuzz/corpus (seeds and
// the inputs of faults found earlier) runs clean in every test build, and the
// seeds made from the sample game are files their readers accept.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/model/language_file.h"
#include "core/model/single_map_file.h"
#include "core/tiles/tileset_file.h"
#include "core/model/recovery_file.h"
#include "fuzz/fuzz_targets.h"
#include "fuzz/run_editors.h"
#include "support/map_builder.h"
#include "support/test_paths.h"

namespace d7 {
namespace {

namespace fs = std::filesystem;

void (*targetNamed(const std::string& name))(fuzz::Input) {
    for (const auto& target : fuzz::allFuzzTargets())
        if (name == target.name) return target.run;
    return nullptr;
}

TEST(FuzzCorpus, EveryKeptInputRunsClean) {
    int inputs = 0;
    for (const auto& dir : fs::directory_iterator(fs::path(D7_SOURCE_DIR) / "fuzz" / "corpus")) {
        if (!dir.is_directory()) continue;
        const auto run = targetNamed(dir.path().filename().string());
        ASSERT_TRUE(run) << dir.path() << " names no fuzz target";
        for (const auto& file : fs::directory_iterator(dir.path())) {
            EXPECT_NO_THROW(run(test::fileBytes(file.path()))) << file.path();
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0);
}

TEST(FuzzCorpus, SampleGameSeedsAreAcceptedAndRunClean) {
    for (const auto& target : fuzz::allFuzzTargets()) {
        if (!target.seeds) continue;
        const auto seeds = target.seeds(D7_SAMPLE_DIR);
        EXPECT_FALSE(seeds.empty()) << target.name;
        for (const fuzz::Seed& seed : seeds) {
            const std::string what = std::string(target.name) + " " + seed.name;
            EXPECT_NO_THROW(target.run(seed.bytes)) << what;
            if (what.starts_with("languageFile")) {
                EXPECT_FALSE(languageFileProblem(seed.bytes)) << what;
            }
            if (what.starts_with("singleMapFile")) {
                EXPECT_NO_THROW(parseSingleMap(seed.bytes, seed.name)) << what;
            }
            if (what.starts_with("recoveryFile")) {
                Bytes file = seed.bytes;
                const std::uint32_t crc = checksumOf(file);
                for (int i = 0; i < 4; ++i) file.push_back(std::uint8_t(crc >> (8 * i)));
                EditorState st = fuzz::blankMapSet();
                EXPECT_NO_THROW(applyRecovery(st, decodeRecovery(file, seed.name), seed.name));
                EXPECT_EQ(st.mapStore[70], 0x41) << what;
            }
            if (what.starts_with("tilesetFile")) {
                const tiles::Tileset ts = tiles::makeTileset(seed.bytes);
                EXPECT_GT(ts.frameCount, 0) << what;
                for (int k = 0; k < ts.frameCount; ++k)
                    EXPECT_TRUE(tiles::frameData(ts, k)) << what << " frame " << k;
            }
        }
    }
}

}  // namespace
}  // namespace d7
