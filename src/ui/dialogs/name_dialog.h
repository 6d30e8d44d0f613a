// "Change Name": the edit field for a map or county name and, for counties,
// random names composed from the word lists, each part redrawn on its own.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>
#include <string>

#include "core/analysis/name_generator.h"
#include "core/model/ports.h"
#include "core/model/random.h"

namespace d7::ui {

inline constexpr int kCountyNameLength = 20;
inline constexpr int kMapNameLength = 11;

class Tnchform : public QDialog {
    Q_OBJECT
  public:
    Tnchform(NameGenerator& words, Random& rng, Prompt& prompt, QWidget* parent = nullptr);

    QLineEdit* ed_name;
    QPushButton* bt_ok;
    QPushButton* bt_cancel;
    QPushButton* bt_gen;
    QFrame* genpanel;
    QPushButton* bt_pre;
    QPushButton* bt_in;
    QPushButton* bt_suf;
    // How many more characters the name takes, or why a key was refused.
    QLabel* lb_left;

    // Set by the caller before showing: random names are offered for counties.
    bool offerRandom = false;

    // Shows the dialog modally with an empty field of at most maxLength
    // characters; the accepted name as Windows-1252 bytes, or nothing on Cancel.
    std::optional<std::string> askName(int maxLength, bool random);
    // The most characters the field takes.
    int nameLimit() const;

    // "Random" and the three "Reroll" buttons: draw and compose with code c.
    void generate(int code);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showCharactersLeft(bool refused);

    QValidator* validator_ = nullptr;
    NameGenerator& generator_;  // the word lists and the current draw
    Random& rng_;
    Prompt& prompt_;
};

}  // namespace d7::ui
