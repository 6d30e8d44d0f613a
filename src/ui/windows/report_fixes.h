// The repairs of a map check in the statistics window: a line that has a
// fix starts with a marker and names the fix in its tooltip and context
// menu; Ctrl+F (or the menu) applies the fix of the text cursor's line, "Fix
// All" every fix of the report. Either runs the check again and shows its
// report anew. Any other report replaces the text and with it the fixes.
#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "core/analysis/map_checks.h"

class QAction;
class QPlainTextEdit;
class QPushButton;

namespace d7::ui {

class Editor;

// What a line with a fix starts with.
inline constexpr const char* kFixMarker = "[fix] ";
// The line as the check wrote it.
QString withoutFixMarker(const QString& line);

class ReportFixes : public QObject {
    Q_OBJECT
  public:
    // Lives as long as the editor's statistics window, its parent.
    explicit ReportFixes(Editor& ed);

    // Runs the check on the current map and shows its report.
    void showCheck(MapCheck check);
    // The fixes line n of the window offers (none for other reports).
    const std::vector<MapFix>& fixesOfLine(int n) const;
    // Applies fix k of line n as one edit, then shows the check again.
    void applyLineFix(int n, std::size_t k = 0);
    // "Fix All": the first fix of every line, in order, as one edit.
    void applyAll();

    QPushButton* fixAllButton() const { return fixAll_; }
    QAction* fixLineAction() const { return fixLine_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void show(const CheckReport& report, int cursorLine);
    void forget();
    void openContextMenu(const QPoint& pos);
    void afterEdit();

    Editor& ed_;
    QPlainTextEdit* memo_;
    MapCheck check_ = MapCheck::Errors;
    std::vector<std::vector<MapFix>> fixes_;  // by line
    QPushButton* fixAll_;
    QAction* fixLine_;
};

// The window's fix controls, made with the report commands.
ReportFixes& reportFixes(Editor& ed);

}  // namespace d7::ui
