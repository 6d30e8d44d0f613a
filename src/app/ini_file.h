// The editor's configuration file, "D7Irir.ini": a Windows-style ini file.
// Values are kept exactly as written (a game directory such as C:\Games\Foo
// stays as it is), sections and keys match regardless of letter case, and
// writing a value changes only its own line: comments, unknown lines and the
// file's line endings stay as they were.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace d7 {

class IniFile {
  public:
    IniFile() = default;
    explicit IniFile(const std::string& text);

    // The file's contents, or an empty configuration when it does not exist.
    // Throws FileError when it exists but cannot be read.
    static IniFile load(const std::filesystem::path& path);
    // Writes the file atomically; throws FileError.
    void save(const std::filesystem::path& path) const;

    // The value of key in section, blanks around it removed; empty when missing.
    std::string value(const std::string& section, const std::string& key) const;
    bool has(const std::string& section, const std::string& key) const;
    // Replaces the key's line, or adds it at the end of its section (adding
    // the section at the end of the file when it is missing).
    void setValue(const std::string& section, const std::string& key, const std::string& value);

    std::string text() const;

  private:
    struct Location {
        std::size_t sectionLine;  // the header line, or npos
        std::size_t keyLine;      // the key's line, or npos
        std::size_t insertAt;     // where a new key of the section goes
    };
    Location locate(const std::string& section, const std::string& key) const;

    std::vector<std::string> lines_;  // without line endings
    std::string eol_ = "\r\n";
    bool finalEol_ = true;
};

}  // namespace d7
