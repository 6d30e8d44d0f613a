#include "sample_fixture.h"

#include <cstdlib>
#include <random>
#include <string>

#include "core/model/game_paths.h"
#include "core/model/map_set_io.h"

namespace d7::test {

namespace {

struct SampleDir {
    GeneratedSample sample;
    SampleDir() {
        sample.dir = std::filesystem::temp_directory_path() /
                     ("d7-sample-" + std::to_string(std::random_device{}()));
        sample.files = samplegen::sampleGameFiles(samplegen::kDefaultSeed);
        samplegen::writeFileSet(sample.dir, sample.files);
    }
    ~SampleDir() {
        std::error_code ec;
        std::filesystem::remove_all(sample.dir, ec);
    }
};

}  // namespace

const GeneratedSample& generatedSample() {
    static const SampleDir dir;
    return dir.sample;
}

std::unique_ptr<EditorState> openSample() {
    auto st = makeEditorState();
    st->gameDir = generatedSample().dir.string();
    st->pl8Dir = defaultPl8Dir(st->gameDir);
    loadMapSet(*st, st->gameDir);
    return st;
}

}  // namespace d7::test
