// A modal list with "OK" and "Cancel" that closes with OK only while a line
// is selected ("OK" or a double-click on a line); the base of the
// "Select Traderoute" and "Switch Domain" dialogs.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <optional>

namespace d7::ui {

class ListChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    // The list's objectName and size; the buttons go below it.
    ListChoiceDialog(const QString& listName, QSize listSize, QWidget* parent);

    QPushButton* bt_ok;
    QPushButton* bt_cancel;
    QListWidget* list() const { return list_; }

    // Fills the list, shows the dialog modally and returns the selected line,
    // or nothing for Cancel.
    std::optional<int> choose(const QStringList& lines);

  private:
    void acceptIfSelected();
    QListWidget* list_;
};

}  // namespace d7::ui
