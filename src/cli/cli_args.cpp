#include "cli/cli_args.h"

#include <charconv>

namespace d7::cli {

Args::Args(const std::vector<std::string>& words, const ArgSyntax& syntax) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() > 1 && w[0] == '-' && !(w[1] >= '0' && w[1] <= '9')) {
            if (syntax.flags.count(w)) {
                flags_.insert(w);
            } else if (syntax.valueOptions.count(w)) {
                if (i + 1 >= words.size()) throw UsageError("option " + w + " needs a value");
                options_.emplace(w, words[++i]);
            } else {
                throw UsageError("unknown option " + w);
            }
        } else {
            positional_.push_back(w);
        }
    }
}

bool Args::has(const std::string& name) const {
    return flags_.count(name) || options_.count(name);
}

std::optional<std::string> Args::value(const std::string& option) const {
    auto range = options_.equal_range(option);
    if (range.first == range.second) return std::nullopt;
    return std::prev(range.second)->second;
}

std::vector<std::string> Args::values(const std::string& option) const {
    std::vector<std::string> out;
    auto range = options_.equal_range(option);
    for (auto it = range.first; it != range.second; ++it) out.push_back(it->second);
    return out;
}

const std::string& Args::at(std::size_t i, const char* what) const {
    if (i >= positional_.size()) throw UsageError(std::string("missing ") + what);
    return positional_[i];
}

int Args::intAt(std::size_t i, const char* what, int lo, int hi) const {
    return parseInt(at(i, what), what, lo, hi);
}

void Args::expectCount(std::size_t n) const {
    if (positional_.size() > n) throw UsageError("unexpected argument '" + positional_[n] + "'");
}

int parseInt(const std::string& text, const char* what, int lo, int hi) {
    int value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < lo || value > hi)
        throw UsageError(std::string(what) + " must be a number from " + std::to_string(lo) +
                         " to " + std::to_string(hi) + ", not '" + text + "'");
    return value;
}

}  // namespace d7::cli
