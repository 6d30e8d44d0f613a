// "Traderoutes" (Ttraderform): the current map's domains, towns and roads
// with, by mode, the towns of a trader (clicks add and remove its stops),
// the domains a computer player may take first, or the climate zones.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QWidget>

#include "render/trader_window_picture.h"
#include "ui/editor_context.h"
#include "ui/widgets/climate_legend.h"
#include "ui/widgets/radio_group.h"

namespace d7::ui {

class Ttraderform;

// The picture: drawn afresh from the map at every paint, and the mouse.
class TraderPictureBox : public QWidget {
    Q_OBJECT
  public:
    TraderPictureBox(Ttraderform& form, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    Ttraderform& form_;
};

class Ttraderform : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kListWidth = 150;
    explicit Ttraderform(EditorContext& ctx, QWidget* parent = nullptr);

    QListWidget* selbox;
    QLabel* lb_desc;
    RadioGroup* rd_view;
    QCheckBox* cb_exclude;
    ClimateLegend* lb_climate;
    TraderPictureBox* picture;
    QStatusBar* StatusBar1;

    // Shows the window in a mode: its caption, description and list.
    void showMode(render::TraderWindowMode mode);
    render::TraderWindowMode mode() const { return options_.mode; }
    const render::TraderPictureOptions& options() const { return options_; }
    // The picture as it is painted now.
    QImage currentPicture() const;
    // Draws the picture again (after the map changed).
    void redrawPicture();

    // The mouse over or on a point of the picture.
    void pointerMoved(QPoint pos);
    void pictureClicked(QPoint pos, Qt::MouseButton button);
    QString statusPanelText(int i) const;

  private:
    void selboxRowChanged(int row);
    void viewChosen(int i);

    EditorContext& ctx_;
    render::TraderPictureOptions options_;
    QLabel* panels_[2];
};

}  // namespace d7::ui
