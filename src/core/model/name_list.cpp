#include "core/model/name_list.h"

namespace d7 {

namespace {

constexpr char kDelimiter = ';';
constexpr char kQuote = '"';

std::string quoted(const std::string& item) {
    std::string out(1, kQuote);
    for (char c : item) {
        out += c;
        if (c == kQuote) out += kQuote;
    }
    out += kQuote;
    return out;
}

// Reads a quoted item starting at text[pos] == '"'. Advances pos past the
// closing quote (or to the end when there is none).
std::string readQuoted(std::string_view text, std::size_t& pos) {
    std::string out;
    ++pos;  // opening quote
    while (pos < text.size()) {
        char c = text[pos];
        if (c == kQuote) {
            if (pos + 1 < text.size() && text[pos + 1] == kQuote) {
                out += kQuote;
                pos += 2;
                continue;
            }
            ++pos;  // closing quote
            return out;
        }
        out += c;
        ++pos;
    }
    return out;
}

}  // namespace

std::string joinNameList(const std::vector<std::string>& items) {
    if (items.size() == 1 && items[0].empty()) return std::string(2, kQuote);
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += kDelimiter;
        const std::string& item = items[i];
        bool needsQuotes =
            item.find_first_of(";\"") != std::string::npos || item.find('\0') != std::string::npos;
        out += needsQuotes ? quoted(item) : item;
    }
    return out;
}

std::vector<std::string> splitNameList(std::string_view text) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == kQuote) {
            items.push_back(readQuoted(text, pos));
        } else {
            std::size_t end = text.find(kDelimiter, pos);
            if (end == std::string_view::npos) end = text.size();
            items.emplace_back(text.substr(pos, end - pos));
            pos = end;
        }
        if (pos < text.size() && text[pos] == kDelimiter) {
            ++pos;
            if (pos == text.size()) items.emplace_back();
        }
    }
    return items;
}

}  // namespace d7
