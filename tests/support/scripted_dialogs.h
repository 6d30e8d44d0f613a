// File and folder dialogs answered from a script, for tests of the windows.
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialogs/file_dialogs.h"

namespace d7::test {

class ScriptedFileDialogs : public ui::FileDialogs {
  public:
    // The answers, taken in order by whichever dialog opens; nothing left
    // means Cancel.
    std::deque<std::optional<std::filesystem::path>> answers;
    // What was asked: "directory", "open <filter>", "save <filter>" or
    // "save <filter> as <proposed name>".
    std::vector<std::string> asked;

    void answer(std::optional<std::filesystem::path> a) { answers.push_back(std::move(a)); }

    // The directories the folder dialogs opened in (empty: the working directory).
    std::vector<std::filesystem::path> startDirs;

    std::optional<std::filesystem::path> chooseDirectory(const std::string& caption) override {
        return chooseDirectoryIn(caption, {});
    }
    std::optional<std::filesystem::path> chooseDirectoryIn(
        const std::string&, const std::filesystem::path& startDir) override {
        asked.push_back("directory");
        startDirs.push_back(startDir);
        return next();
    }
    std::optional<std::filesystem::path> openFile(const std::string& filter,
                                                  const std::string&) override {
        asked.push_back("open " + filter);
        return next();
    }
    std::optional<std::filesystem::path> saveFile(const std::string& filter,
                                                  const std::string&) override {
        asked.push_back("save " + filter);
        return next();
    }
    std::optional<std::filesystem::path> saveFileNamed(const std::string& filter,
                                                       const std::string&,
                                                       const std::string& proposedName) override {
        asked.push_back("save " + filter + " as " + proposedName);
        return next();
    }

  private:
    std::optional<std::filesystem::path> next() {
        if (answers.empty()) return std::nullopt;
        auto a = std::move(answers.front());
        answers.pop_front();
        return a;
    }
};

}  // namespace d7::test
