#include "ui/dialogs/qt_file_dialogs.h"

#include <QFile>
#include <QFileDialog>

namespace d7::ui {

namespace {

std::filesystem::path pathOf(const QString& name) {
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

}  // namespace

QString qtNameFilter(const std::string& filter) {
    const QString f = QString::fromStdString(filter);
    const qsizetype bar = f.indexOf(QLatin1Char('|'));
    if (bar < 0) return f;
    return f.left(bar) + QStringLiteral(" (") + f.mid(bar + 1).replace(QLatin1Char(';'), ' ') +
           QLatin1Char(')');
}

std::filesystem::path withDefaultExtension(const std::filesystem::path& path,
                                           const std::string& defaultExtension) {
    if (defaultExtension.empty() || path.has_extension()) return path;
    std::filesystem::path withExt = path;
    withExt += "." + defaultExtension;
    return withExt;
}

std::optional<std::filesystem::path> QtFileDialogs::chooseDirectory(const std::string& caption) {
    return chooseDirectoryIn(caption, {});
}

std::optional<std::filesystem::path> QtFileDialogs::chooseDirectoryIn(
    const std::string& caption, const std::filesystem::path& startDir) {
    const QString dir = QFileDialog::getExistingDirectory(
        parent_, QString::fromStdString(caption), QFile::decodeName(startDir.string().c_str()));
    if (dir.isEmpty()) return std::nullopt;
    return pathOf(dir);
}

std::optional<std::filesystem::path> QtFileDialogs::openFile(const std::string& filter,
                                                             const std::string& defaultExtension) {
    const QString name = QFileDialog::getOpenFileName(parent_, {}, {}, qtNameFilter(filter));
    if (name.isEmpty()) return std::nullopt;
    // An existing file is taken as named; the extension only completes a
    // name typed without one.
    const std::filesystem::path path = pathOf(name);
    if (std::filesystem::exists(path)) return path;
    return withDefaultExtension(path, defaultExtension);
}

std::optional<std::filesystem::path> QtFileDialogs::saveFile(const std::string& filter,
                                                             const std::string& defaultExtension) {
    return saveFileNamed(filter, defaultExtension, {});
}

std::optional<std::filesystem::path> QtFileDialogs::saveFileNamed(
    const std::string& filter, const std::string& defaultExtension,
    const std::string& proposedName) {
    QFileDialog dialog(parent_, {}, {}, qtNameFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdString(defaultExtension));
    if (!proposedName.empty()) dialog.selectFile(QString::fromStdString(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return pathOf(dialog.selectedFiles().constFirst());
}

}  // namespace d7::ui
