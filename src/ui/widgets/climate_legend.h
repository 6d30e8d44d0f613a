// The climate legend of the "Climate Zones" window: the nine climate values,
// their colours and the domain numbers that have each in the chosen season.
#pragma once

#include <QWidget>

#include "core/analysis/ai_preferences.h"

namespace d7::ui {

class ClimateLegend : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kRowHeight = 16;
    explicit ClimateLegend(QWidget* parent = nullptr);

    void setSeason(ClimateSeason season);
    ClimateSeason season() const { return season_; }
    // The text of row i after the value and swatch ("Domains 6..9"), empty
    // when no domain has that value in the season.
    QString rowText(int i) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ClimateSeason season_ = ClimateSeason::Summer;
};

}  // namespace d7::ui
