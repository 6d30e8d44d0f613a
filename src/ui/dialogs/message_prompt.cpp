#include "ui/dialogs/message_prompt.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/dialogs/traderoute_select_dialog.h"

namespace d7::ui {

QString messageText(const std::string& text) {
    QString t = QString::fromUtf8(text.data(), qsizetype(text.size()));
    t.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

// The box opens over the window the user works in, so that it is not hidden
// behind the main window, which stays on top.
QWidget* MessageBoxPrompt::dialogParent() const {
    if (QWidget* active = QApplication::activeWindow()) return active;
    return parent_;
}

bool MessageBoxPrompt::askYesNo(const std::string& caption, const std::string& text) {
    return QMessageBox::question(dialogParent(), QString::fromStdString(caption), messageText(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxPrompt::inform(const std::string& caption, const std::string& text) {
    QMessageBox::information(dialogParent(), QString::fromStdString(caption), messageText(text),
                             QMessageBox::Ok);
}

Choice MessageBoxPrompt::askYesNoCancel(const std::string& caption, const std::string& text) {
    switch (QMessageBox::question(
        dialogParent(), QString::fromStdString(caption), messageText(text),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return Choice::Yes;
        case QMessageBox::No:
            return Choice::No;
        default:
            return Choice::Cancel;  // also Escape and the window's close button
    }
}

std::optional<int> MessageBoxPrompt::selectTraderoute(const std::vector<int>& traders) {
    Ttrselform dialog(dialogParent());
    return dialog.chooseTrader(traders);
}

}  // namespace d7::ui
