// The editors the fuzz targets work on. A target runs thousands of times a
// second, so each run reuses memory of the runs before (fresh megabytes every
// run would fault in new pages) and yet sees nothing an earlier run left, and
// it frees as many blocks as it allocates (else the fuzzer looks for leaks
// after it, which is slow).
#pragma once

#include <array>
#include <cstddef>

#include "core/model/editor_state.h"
#include "fuzz/fuzz_targets.h"

namespace d7::fuzz {

// The map set a single map is put over, with map 0 selected: everything
// zero, map 0's map file present and the others empty (as the game allows).
const EditorState& blankMapSet();

// The states an editor kept from run to run starts from: as made fresh
// (before any map set is loaded), or the blank map set.
enum class Start { Fresh, BlankMapSet };

// The editor kept for a starting state, put back into that state at the end
// of each run.
class KeptEditor {
  public:
    explicit KeptEditor(Start start);
    ~KeptEditor();
    KeptEditor(const KeptEditor&) = delete;
    KeptEditor& operator=(const KeptEditor&) = delete;
    EditorState& state() { return work_; }

    // For the tests: whether, between runs, the kept editor holds the files
    // and names of its starting state again (a run may write only where it
    // is put back).
    static bool isAsStarted(Start start);

  private:
    Start start_;
    EditorState& work_;
};

// The images of a map set's files (core/model/set_images.h): the map store,
// map01.pl8 .. map15.pl8 and the language file.
inline constexpr int kImages = kSetImageCount;

// What an image holds: a part of the input, padded with zero bytes to a size
// the game uses when it is shorter; none for a map file that is missing.
struct PaddedPart {
    Input bytes;
    std::size_t padTo = 0;
    bool present = true;
    std::size_t size() const { return bytes.size() > padTo ? bytes.size() : padTo; }
};
using ImageParts = std::array<PaddedPart, kImages>;

// The buffers a map set's images are put into, kept from run to run and
// lent to an editor's spare set for loading (takeMapSetImages). A buffer
// grows to the largest image it has held, and what lies past the size of the
// image it holds is unreadable to the sanitizer until the buffer is taken
// back, so that reading past the end of a file is caught as in a fresh
// buffer. A buffer is filled writing only the bytes that differ from what it
// may hold: the part, and the zeros where an earlier run put other bytes.
// The buffers are taken back from the set loaded or, after a refused load,
// from the spare set.
class LentImages {
  public:
    LentImages(EditorState& st, const ImageParts& parts);
    ~LentImages();
    LentImages(const LentImages&) = delete;
    LentImages& operator=(const LentImages&) = delete;

  private:
    EditorState& st_;
    ImageParts parts_;
};

}  // namespace d7::fuzz
