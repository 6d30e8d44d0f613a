// The edit history in the editor: every command recorded as one step when
// it ends, the "Edit" menu ("Undo <step>", "Redo <step>", "History"), the
// undo and redo keys in every window the user edits or looks from, and the
// "History" window. The steps themselves are core (history_steps.h).
//
// Recording needs no help from the commands: each menu item, popup item and
// button of the editor's windows records a step named after it once its
// handlers ran, a click or drag of the map records one named after the edit
// type, and any other change (a window that edits with the mouse, a command
// connected later) is recorded once the mouse button or key that caused it
// is released.
#pragma once

#include <QAction>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <string>
#include <vector>

namespace d7::ui {

class Editor;
class Thistoryform;

class EditHistoryUi : public QObject {
    Q_OBJECT
  public:
    explicit EditHistoryUi(Editor& ed);
    ~EditHistoryUi() override;

    // Records what changed since the last step as a step named name, and
    // shows the history again.
    void record(const QString& name);
    // One step back or forward, or to line position of the history window;
    // the views then show the map as it is.
    void undo();
    void redo();
    void goTo(int position);

    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }
    QAction* historyAction() const { return history_; }
    Thistoryform& window() const { return *window_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenu();
    void addKeys(QWidget* window);
    void watchCommands(QWidget* window);
    void commandEnded(const QString& name);
    void recordLater();
    // The names the map and domain lists show of the current map.
    std::vector<std::string> shownNames() const;
    void moved(bool done, const std::vector<std::string>& namesBefore);
    void refresh();

    Editor& ed_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* history_ = nullptr;
    Thistoryform* window_ = nullptr;  // a child of the main window
    QTimer later_;
    QString pending_;  // the name of a change not recorded yet
    QPoint hovered_{-1, -1};
};

// The name of the step a menu item, popup item or button records.
QString stepNameOf(const QObject* command);
// The name of the step a click or drag of the chosen edit type records.
QString toolStepName(int editType, int tileType, int tile);

}  // namespace d7::ui
