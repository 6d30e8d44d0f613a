// The game directory the map set fuzz target loads from: files made of parts
// of the input, padded with zeros, written as cheaply as the run allows.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>

#include "core/model/map_set.h"
#include "fuzz/fuzz_targets.h"

namespace d7::fuzz {

// Zero bytes, at most 64 KiB at a time.
Input zeros(std::size_t n);

// A file of the map set target: a part of the input, padded with zero bytes
// to a size the game uses when it is shorter.
struct PaddedPart {
    Input bytes;
    std::size_t padTo = 0;
    std::size_t size() const { return bytes.size() > padTo ? bytes.size() : padTo; }
    // Whether the file holds exactly this.
    bool isIn(const Bytes& file) const;
};

// Made once per process (in memory under /dev/shm where the system has it)
// and removed at exit (a crash leaves it behind).
// Each run says what every file holds. As the files outlive the run, only
// the bytes that differ from what a file holds already are written (a
// mutation changes a few bytes of a file of megabytes); writing is plain (a
// scratch file needs neither the atomic replacement nor the flush to disk
// that game files get), in place and then cut to size.
class ScratchGameDir {
  public:
    ScratchGameDir();
    ~ScratchGameDir();
    ScratchGameDir(const ScratchGameDir&) = delete;
    ScratchGameDir& operator=(const ScratchGameDir&) = delete;
    // Empty when the directory could not be made.
    const std::filesystem::path& path() const { return path_; }

    // False when the file could not be written.
    bool put(const std::string& name, const PaddedPart& part);
    void remove(const std::string& name);

  private:
    // What a file holds: the part and the size it is padded to, when known.
    // Kept in place from run to run, so that a run allocates no more than it
    // frees.
    struct Held {
        enum class State { Unknown, Absent, Holds } state = State::Unknown;
        Bytes bytes;
        std::size_t size = 0;
    };
    std::filesystem::path path_;
    std::map<std::string, Held> held_;
};

}  // namespace d7::fuzz
