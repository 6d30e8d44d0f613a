#include "app/ini_file.h"

#include "core/model/file_io.h"
#include "core/model/read_limits.h"
#include "core/model/text_case.h"

namespace d7 {

namespace {

constexpr std::size_t npos = std::string::npos;

std::string trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t");
    if (b == npos) return {};
    std::size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

bool isComment(const std::string& t) {
    return !t.empty() && (t[0] == ';' || t[0] == '#');
}

// The section name of a header line "[Name]", or nothing.
std::optional<std::string> sectionName(const std::string& line) {
    std::string t = trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    std::size_t close = t.find(']');
    if (close == npos) return std::nullopt;
    return trim(t.substr(1, close - 1));
}

// The key of a "key=value" line, or nothing.
std::optional<std::string> keyName(const std::string& line) {
    std::string t = trim(line);
    if (t.empty() || isComment(t) || t.front() == '[') return std::nullopt;
    std::size_t eq = t.find('=');
    if (eq == npos) return std::nullopt;
    return trim(t.substr(0, eq));
}

}  // namespace

IniFile::IniFile(const std::string& text) {
    std::size_t crlf = text.find("\r\n"), lf = text.find('\n');
    if (lf != npos) eol_ = crlf != npos && crlf < lf ? "\r\n" : "\n";
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        std::string line = text.substr(pos, end == npos ? npos : end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines_.push_back(std::move(line));
        if (end == npos) {
            finalEol_ = false;
            break;
        }
        pos = end + 1;
    }
}

IniFile IniFile::load(const std::filesystem::path& path) {
    if (!isExistingFile(path)) return IniFile();
    auto bytes = readWholeFile(path, kIniReadLimit);
    return IniFile(std::string(bytes.begin(), bytes.end()));
}

void IniFile::save(const std::filesystem::path& path) const {
    std::string t = text();
    writeFileAtomic(path, std::span(reinterpret_cast<const std::uint8_t*>(t.data()), t.size()));
}

std::string IniFile::text() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i];
        if (i + 1 < lines_.size() || finalEol_) out += eol_;
    }
    return out;
}

IniFile::Location IniFile::locate(const std::string& section, const std::string& key) const {
    Location loc{npos, npos, lines_.size()};
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (auto name = sectionName(lines_[i])) {
            if (inSection) break;  // the section ended
            inSection = equalsIgnoringCase1252(*name, section);
            if (inSection) {
                loc.sectionLine = i;
                loc.insertAt = i + 1;
            }
            continue;
        }
        if (!inSection) continue;
        if (!trim(lines_[i]).empty()) loc.insertAt = i + 1;
        if (auto k = keyName(lines_[i]); k && equalsIgnoringCase1252(*k, key)) {
            loc.keyLine = i;
            return loc;
        }
    }
    return loc;
}

bool IniFile::has(const std::string& section, const std::string& key) const {
    return locate(section, key).keyLine != npos;
}

std::string IniFile::value(const std::string& section, const std::string& key) const {
    Location loc = locate(section, key);
    if (loc.keyLine == npos) return {};
    const std::string& line = lines_[loc.keyLine];
    std::string v = trim(line.substr(line.find('=') + 1));
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    return v;
}

void IniFile::setValue(const std::string& section, const std::string& key,
                       const std::string& value) {
    Location loc = locate(section, key);
    if (loc.keyLine != npos) {
        const std::string& old = lines_[loc.keyLine];
        // Keep the key as it was spelt.
        lines_[loc.keyLine] = trim(old.substr(0, old.find('='))) + "=" + value;
        return;
    }
    if (loc.sectionLine == npos) {
        if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + section + "]");
        loc.insertAt = lines_.size();
        finalEol_ = true;
    }
    lines_.insert(lines_.begin() + std::ptrdiff_t(loc.insertAt), key + "=" + value);
    if (loc.insertAt == lines_.size() - 1) finalEol_ = true;
}

}  // namespace d7
