// "About": the editor's name and version, a dedication and the reason it exists.
#pragma once

#include <QDialog>

namespace d7::ui {

class Taboutform : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kWidth = 365;
    static constexpr int kHeight = 198;
    explicit Taboutform(QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace d7::ui
