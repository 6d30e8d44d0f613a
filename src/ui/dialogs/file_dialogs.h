// The standard dialogs that choose a directory or a file. The windows ask
// through this interface so that tests can answer from a script; the editor
// itself uses QtFileDialogs.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace d7::ui {

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // A directory, or nothing when the user cancels.
    virtual std::optional<std::filesystem::path> chooseDirectory(const std::string& caption) = 0;
    // The same, opening in startDir.
    virtual std::optional<std::filesystem::path> chooseDirectoryIn(
        const std::string& caption, const std::filesystem::path& startDir) {
        (void)startDir;
        return chooseDirectory(caption);
    }
    // A file to read or to write. filter is "Description|*.ext"; a chosen
    // name without an extension gets defaultExtension (given without the dot).
    virtual std::optional<std::filesystem::path> openFile(const std::string& filter,
                                                          const std::string& defaultExtension) = 0;
    virtual std::optional<std::filesystem::path> saveFile(const std::string& filter,
                                                          const std::string& defaultExtension) = 0;
    // The save dialog with a file name proposed (UTF-8, without a directory).
    virtual std::optional<std::filesystem::path> saveFileNamed(const std::string& filter,
                                                               const std::string& defaultExtension,
                                                               const std::string& proposedName) {
        (void)proposedName;
        return saveFile(filter, defaultExtension);
    }
};

}  // namespace d7::ui
