// Questions and messages as modal message boxes.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>

#include "core/model/ports.h"

namespace d7::ui {

// A message text for a message box: the editor's texts break lines with
// "\n\r", which a message box would show as a stray character.
QString messageText(const std::string& text);

class MessageBoxPrompt : public Prompt {
  public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    bool askYesNo(const std::string& caption, const std::string& text) override;
    void inform(const std::string& caption, const std::string& text) override;
    Choice askYesNoCancel(const std::string& caption, const std::string& text) override;
    // The "Select Traderoute" dialog (Ttrselform).
    std::optional<int> selectTraderoute(const std::vector<int>& traders) override;

  private:
    QWidget* dialogParent() const;
    QPointer<QWidget> parent_;
};

}  // namespace d7::ui
