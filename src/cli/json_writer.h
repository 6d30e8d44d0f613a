// The JSON writer of d7irir-cli's reports.
#pragma once

#include <charconv>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/analysis_tables.h"

namespace d7::cli {

// A small JSON writer for numbers, strings, booleans, lists and objects.
// Object members go on lines of their own; lists of numbers stay on one line,
// lists of lists or objects put each element on a line of its own. A one-line
// object keeps itself and all it holds on one line (for long lists of records).
class JsonWriter {
  public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}
    ~JsonWriter() { flush(); }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void beginObject() { open('{', true, false); }
    void beginOneLineObject() { open('{', true, true); }
    void endObject() { close('}'); }
    void beginArray() { open('[', false, false); }
    void endArray() { close(']'); }

    void key(std::string_view name) {
        separate(false);
        buf_ += '"';
        buf_ += name;
        buf_ += "\": ";
        afterKey_ = true;
    }
    void value(long long v) {
        separate(false);
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
        buf_.append(digits, end);
    }
    void value(int v) { value(static_cast<long long>(v)); }
    void value(bool v) {
        separate(false);
        buf_ += v ? "true" : "false";
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
    void finish() {
        buf_ += '\n';
        flush();
    }

  private:
    struct Level {
        bool object;
        bool empty = true;
        bool oneLine = false;
        bool brokenLines = false;
    };

    void open(char bracket, bool object, bool oneLine) {
        separate(true);
        buf_ += bracket;
        const bool inOneLine = !levels_.empty() && levels_.back().oneLine;
        levels_.push_back({object, true, oneLine || inOneLine});
    }
    void close(char bracket) {
        const Level level = levels_.back();
        levels_.pop_back();
        if (level.brokenLines) newline();
        buf_ += bracket;
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
        if (!level.empty) buf_ += ',';
        const bool first = level.empty;
        level.empty = false;
        if (!level.oneLine && (level.object || container)) {
            level.brokenLines = true;
            newline();
        } else if (!first) {
            buf_ += ' ';
        }
    }
    void writeString(std::string_view s) {
        std::string& quoted = buf_;
        quoted += '"';
        for (const char ch : s) {
            const auto c = static_cast<unsigned char>(ch);
            if (c == '"' || c == '\\') {
                quoted += '\\';
                quoted += ch;
            } else if (c < 0x20) {
                static constexpr char kHex[] = "0123456789abcdef";
                quoted += "\\u00";
                quoted += kHex[c >> 4];
                quoted += kHex[c & 15];
            } else {
                quoted += ch;
            }
        }
        quoted += '"';
    }
    void newline() {
        if (buf_.size() >= kFlushSize) flush();
        buf_ += '\n';
        buf_.append(2 * levels_.size(), ' ');
    }
    // Output goes through a buffer: a report may hold millions of tokens.
    void flush() {
        out_ << buf_;
        buf_.clear();
    }
    static constexpr std::size_t kFlushSize = 1 << 16;

    std::ostream& out_;
    std::string buf_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

}  // namespace d7::cli
