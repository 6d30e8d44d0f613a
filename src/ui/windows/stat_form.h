// The statistics window: the one text window every report goes to (map
// checks, county summaries, lists, statistics). Each report replaces the
// text and shows the window, modally or not. Choosing a line (double click,
// or Return on the line of the text cursor) hands the line on, so that what
// it names can be shown on the map.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <string>
#include <vector>

namespace d7::ui {

class Tstatform : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kWidth = 440;
    static constexpr int kHeight = 520;

    explicit Tstatform(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1;
    QPushButton* bt_ok;

    // Replaces the text by the lines (Windows-1252 bytes, as the core writes
    // them) and shows the window: modal waits until it is closed.
    void showReport(const std::vector<std::string>& lines, bool modal);
    void clearText();
    void appendLines(const std::vector<std::string>& lines);
    // Shows the window as it is.
    void showWindow(bool modal);

    QStringList lines() const;

  signals:
    // A line was chosen.
    void lineChosen(const QString& line);
    // The text was cleared for another report.
    void textCleared();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace d7::ui
