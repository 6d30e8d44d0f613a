// The tile viewer: one frame of a tileset enlarged pixel by pixel, with its
// extension layers, and the plane values of the map cell under the mouse.
// An inspection aid; the map window tells it the cell (showCell).
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QWidget>

#include "core/tiles/cell_readout.h"
#include "ui/editor_context.h"
#include "ui/widgets/radio_group.h"

namespace d7::ui {

// The enlarged frame: black, with the picture at the top-left corner.
class FramePictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit FramePictureBox(QWidget* parent);
    void setPicture(QImage picture);
    const QImage& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

class Ttileform : public QWidget {
    Q_OBJECT
  public:
    // Height of everything below the picture: the controls and the status bar.
    static constexpr int kControlsHeight = 213;
    static constexpr int kClientWidth = 300;

    explicit Ttileform(EditorContext& ctx, QWidget* parent = nullptr);

    // Shows cell (x, y): its frame in its tileset, the sea around it, its
    // position and its plane labels.
    void showCell(int x, int y);
    // The map window's mouse moved over cell (x, y): shown while the viewer
    // is visible; otherwise the labels read "N/A".
    void cellHovered(int x, int y);
    // The tilesets or the palette changed: the counter's range and the picture follow.
    void graphicsChanged();

    // The texts of the status panels 1 ("Ex: "), 2 ("Dir: ") and 3 (the cell).
    QString panelText(int panel) const;

    RadioGroup* rd_type;
    QSpinBox* ud_frame;     // the frame counter
    QLineEdit* ed_current;  // "Current Frame"
    QLineEdit* ed_count;    // frames of the shown tileset (hidden)
    QSpinBox* Ud_px;        // pixel size (hidden)
    QPlainTextEdit* Memo1;
    QLabel* lm[6];
    QLabel* lext;
    FramePictureBox* PaintBox1;
    QStatusBar* StatusBar1;

  private:
    void buildControls(QWidget* panel);
    void setLabels(const tiles::CellLabels& labels);
    // "Type": the counter's range and the frame count follow the tileset.
    void setTilesetType(int kind);
    void refreshPicture();

    EditorContext& ctx_;
    QLabel* panels_[3];
    tiles::CellFrame shown_{-1, -1};
};

}  // namespace d7::ui
