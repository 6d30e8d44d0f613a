#include "sample_fixture.h"

#include "core/model/file_io.h"
#include "core/model/game_paths.h"
#include "core/model/map_set_io.h"
#include "core/model/read_limits.h"
#include "support/test_paths.h"

namespace d7::test {

namespace {

GeneratedSample readSample() {
    GeneratedSample sample;
    sample.dir = D7_SAMPLE_DIR;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(sample.dir)) {
        if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') continue;
        const std::string name = entry.path().lexically_relative(sample.dir).generic_string();
        sample.files[name] = readWholeFile(entry.path(), kLanguageFileReadLimit);
    }
    return sample;
}

}  // namespace

const GeneratedSample& generatedSample() {
    static const GeneratedSample sample = readSample();
    return sample;
}

std::unique_ptr<EditorState> openSample() {
    auto st = makeEditorState();
    st->gameDir = generatedSample().dir.string();
    st->pl8Dir = defaultPl8Dir(st->gameDir);
    loadMapSet(*st, st->gameDir);
    return st;
}

}  // namespace d7::test
