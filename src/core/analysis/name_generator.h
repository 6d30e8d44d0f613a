// Random county names from the word list "names.txt": a prefix, an optional
// infix and a suffix, joined, with ";" in a word standing for a word break.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/random.h"
#include "core/model/text_case.h"

namespace d7 {

class NameGenerator {
  public:
    // What compose() redraws: 0 all parts, 1 the prefix, 2 the infix, 3 the suffix.
    enum Part : int { kAll = 0, kPrefix = 1, kInfix = 2, kSuffix = 3 };
    static constexpr std::size_t kMaxNameLength = 20;

    // Reads the word list text: lines, with "[Prefixes]", "[Infixes]" and
    // "[Suffixes]" switching the section. Prefixes and suffixes of at most 10
    // characters are kept trimmed; infixes of at most 3 exactly as written.
    void load(std::string_view text);
    // Prefixes and suffixes to draw from.
    bool namesAvailable() const { return !prefixes_.empty() && !suffixes_.empty(); }

    void drawPrefix(Random& rng);
    void drawInfix(Random& rng);  // empty seven times in ten
    void drawSuffix(Random& rng);
    void drawAll(Random& rng);

    // Composes the current draw into a name of at most 20 characters,
    // redrawing the part that code names while the prefix equals the suffix
    // or the name is too long. Nothing when no short enough name was found
    // ("Could not create a name. All results too long.").
    std::optional<std::string> compose(int code, Random& rng);

    const std::string& prefix() const { return prefix_; }
    const std::string& infix() const { return infix_; }
    const std::string& suffix() const { return suffix_; }
    const std::vector<std::string>& prefixes() const { return prefixes_; }
    const std::vector<std::string>& infixes() const { return infixes_; }
    const std::vector<std::string>& suffixes() const { return suffixes_; }

  private:
    void redraw(int code, Random& rng);

    std::vector<std::string> prefixes_, infixes_, suffixes_;
    std::string prefix_, infix_, suffix_;
};

}  // namespace d7
