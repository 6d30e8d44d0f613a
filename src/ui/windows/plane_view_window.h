// The plane viewer ("View"): one of the game record's picture planes, one
// pixel per byte in its canvas colour, copied (view factor 1) or stretched
// (view factor 2). The minimap views set the factor to 2 and it stays so.
#pragma once

#include <QDialog>
#include <QImage>

#include "ui/editor_context.h"

namespace d7::ui {

enum class ViewPlane { DomainMask, MinimapImage, DomainCopy };

class Tviewform : public QDialog {
    Q_OBJECT
  public:
    explicit Tviewform(EditorContext& ctx, QWidget* parent = nullptr);

    // Clears the picture to black and loads the plane: the 128 x 128 minimap
    // planes or the 64 x 64 domain copy. The window takes the picture's size
    // times the view factor.
    void loadPlane(ViewPlane plane);
    void setFactor(int factor);
    int factor() const { return factor_; }
    const QImage& picture() const { return picture_; }
    // After a command changed the planes: an open viewer loads its plane
    // again, so that it never shows a plane that is no longer there.
    void reloadIfVisible();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void fitToPicture();

    EditorContext& ctx_;
    QImage picture_;
    ViewPlane plane_ = ViewPlane::DomainMask;
    int factor_ = 1;
};

}  // namespace d7::ui
