// The JSON writer of d7irir-cli's reports.
#pragma once

#include <ostream>
#include <string_view>
#include <vector>

#include "core/analysis/analysis_tables.h"

namespace d7::cli {

// A small JSON writer for numbers, booleans, lists and objects. Object
// members go on lines of their own; lists of numbers stay on one line, lists
// of lists or objects put each element on a line of its own.
class JsonWriter {
  public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void beginObject() { open('{', true); }
    void endObject() { close('}'); }
    void beginArray() { open('[', false); }
    void endArray() { close(']'); }

    void key(std::string_view name) {
        separate(false);
        out_ << '"' << name << "\": ";
        afterKey_ = true;
    }
    void value(long long v) {
        separate(false);
        out_ << v;
    }
    void value(int v) { value(static_cast<long long>(v)); }
    void value(bool v) {
        separate(false);
        out_ << (v ? "true" : "false");
    }
    // A string value; text must be UTF-8.
    void text(std::string_view s) {
        separate(false);
        writeString(s);
    }
    void point(Point p) {
        beginArray();
        value(p.x);
        value(p.y);
        endArray();
    }
    template <typename Range>
    void numbers(const Range& range) {
        beginArray();
        for (auto v : range) value(static_cast<long long>(v));
        endArray();
    }
    void finish() { out_ << '\n'; }

  private:
    struct Level {
        bool object;
        bool empty = true;
        bool brokenLines = false;
    };

    void open(char bracket, bool object) {
        separate(true);
        out_ << bracket;
        levels_.push_back({object});
    }
    void close(char bracket) {
        const Level level = levels_.back();
        levels_.pop_back();
        if (level.brokenLines) newline();
        out_ << bracket;
    }
    // Writes what goes before a value or key: nothing after a key, else a
    // comma after an earlier element and a line break where one belongs.
    void separate(bool container) {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (levels_.empty()) return;
        Level& level = levels_.back();
        if (!level.empty) out_ << ',';
        const bool first = level.empty;
        level.empty = false;
        if (level.object || container) {
            level.brokenLines = true;
            newline();
        } else if (!first) {
            out_ << ' ';
        }
    }
    void writeString(std::string_view s) {
        out_ << '"';
        for (const char ch : s) {
            const auto c = static_cast<unsigned char>(ch);
            if (c == '"' || c == '\\') {
                out_ << '\\' << ch;
            } else if (c < 0x20) {
                static constexpr char kHex[] = "0123456789abcdef";
                out_ << "\\u00" << kHex[c >> 4] << kHex[c & 15];
            } else {
                out_ << ch;
            }
        }
        out_ << '"';
    }
    void newline() {
        out_ << '\n';
        for (std::size_t i = 0; i < levels_.size(); ++i) out_ << "  ";
    }

    std::ostream& out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

}  // namespace d7::cli
