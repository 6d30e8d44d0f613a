// The platform's folder, open and save dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/dialogs/file_dialogs.h"

namespace d7::ui {

// "Description|*.ext" as a Qt name filter: "Description (*.ext)".
QString qtNameFilter(const std::string& filter);

// A chosen file name with the default extension added when it has none.
std::filesystem::path withDefaultExtension(const std::filesystem::path& path,
                                           const std::string& defaultExtension);

class QtFileDialogs : public FileDialogs {
  public:
    // Dialogs open over parent (may be null).
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::filesystem::path> chooseDirectory(const std::string& caption) override;
    std::optional<std::filesystem::path> chooseDirectoryIn(
        const std::string& caption, const std::filesystem::path& startDir) override;
    std::optional<std::filesystem::path> openFile(const std::string& filter,
                                                  const std::string& defaultExtension) override;
    std::optional<std::filesystem::path> saveFile(const std::string& filter,
                                                  const std::string& defaultExtension) override;
    std::optional<std::filesystem::path> saveFileNamed(const std::string& filter,
                                                       const std::string& defaultExtension,
                                                       const std::string& proposedName) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace d7::ui
