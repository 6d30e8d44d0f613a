#include "core/analysis/name_generator.h"

#include <algorithm>

namespace d7 {

namespace {

constexpr std::size_t kMaxWordLength = 10;
constexpr std::size_t kMaxInfixLength = 3;
constexpr int kMaxAttempts = 25;
// Bounds the redrawing while prefix and suffix are equal: with word lists
// that allow no other pair it would never end.
constexpr int kMaxEqualRedraws = 100;

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

const std::string& pick(const std::vector<std::string>& list, Random& rng) {
    return list[std::size_t(rng.below(int(list.size())))];
}

}  // namespace

void NameGenerator::load(std::string_view text) {
    prefixes_.clear();
    infixes_.clear();
    suffixes_.clear();
    std::vector<std::string>* section = nullptr;
    std::size_t maxLength = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        std::string_view word = trimmed(line);
        if (word == "[Prefixes]") {
            section = &prefixes_;
            maxLength = kMaxWordLength;
        } else if (word == "[Infixes]") {
            section = &infixes_;
            maxLength = kMaxInfixLength;
        } else if (word == "[Suffixes]") {
            section = &suffixes_;
            maxLength = kMaxWordLength;
        } else if (!word.empty() && section && line.size() <= maxLength) {
            // Infixes keep their blanks: "an " joins differently from "an".
            section->emplace_back(section == &infixes_ ? line : word);
        }
    }
}

void NameGenerator::drawPrefix(Random& rng) {
    if (!prefixes_.empty()) prefix_ = pick(prefixes_, rng);
}

void NameGenerator::drawInfix(Random& rng) {
    bool empty = rng.real() < 0.7;
    infix_ = empty || infixes_.empty() ? std::string() : pick(infixes_, rng);
}

void NameGenerator::drawSuffix(Random& rng) {
    if (!suffixes_.empty()) suffix_ = pick(suffixes_, rng);
}

void NameGenerator::drawAll(Random& rng) {
    drawPrefix(rng);
    drawInfix(rng);
    drawSuffix(rng);
}

void NameGenerator::redraw(int code, Random& rng) {
    switch (code) {
        case kPrefix:
            drawPrefix(rng);
            break;
        case kInfix:
            drawInfix(rng);
            break;
        case kSuffix:
            drawSuffix(rng);
            break;
        default:
            drawAll(rng);
            break;
    }
}

std::optional<std::string> NameGenerator::compose(int code, Random& rng) {
    for (int i = 0; i < kMaxEqualRedraws && equalsIgnoringCase1252(prefix_, suffix_); ++i) {
        if (code == kPrefix)
            drawPrefix(rng);
        else
            drawSuffix(rng);  // also for the infix: it cannot separate the two
    }
    std::string name = prefix_ + infix_ + suffix_;
    for (int attempt = 0; attempt <= kMaxAttempts && name.size() > kMaxNameLength; ++attempt) {
        name = prefix_ + suffix_;
        if (name.size() <= kMaxNameLength) break;
        redraw(code, rng);
        name = prefix_ + infix_ + suffix_;
    }
    if (name.size() > kMaxNameLength) return std::nullopt;

    bool afterBlank = false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == ';') name[i] = ' ';
        if (afterBlank && i > 0) name[i] = upperCase1252(name[i]);
        afterBlank = name[i] == ' ';
    }
    return name;
}

}  // namespace d7
