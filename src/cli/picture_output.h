// Writing pictures from d7irir-cli: the format a file name asks for, the
// offscreen GUI that drawing text needs, and PNG or BMP output.
#pragma once

#include <QGuiApplication>
#include <QImage>
#include <optional>
#include <string>

#include "render/map_renderer.h"

namespace d7::cli {

enum class PictureFormat { Png, Bmp };

// From the extension of out (.png or .bmp, any letter case); throws UsageError.
PictureFormat pictureFormatOf(const std::string& out);

// Text needs a QGuiApplication. The tool runs without a display, so it
// brings up the offscreen platform unless the caller already has an application.
class GuiForText {
  public:
    GuiForText();
    ~GuiForText();
    GuiForText(const GuiForText&) = delete;
    GuiForText& operator=(const GuiForText&) = delete;

  private:
    char name_[11] = "d7irir-cli";
    char platformOption_[10] = "-platform";
    char platform_[10] = "offscreen";
    char* argv_[4] = {name_, platformOption_, platform_, nullptr};
    int argc_ = 3;
    QtMessageHandler previousHandler_ = nullptr;
    std::optional<QGuiApplication> app_;
};

// Writes a Format_RGB32 picture atomically; throws FileError.
void writePicture(const QImage& picture, const std::string& out, PictureFormat format);

// How the map picture is drawn; the defaults are the map view at 100 % in spring.
struct PictureOptions {
    int zoom = 1;
    int viewMode = kMapViewMode;
    int season = 0;        // 0 spring .. 3 winter
    int trader = 0;        // the trader view's trader, 0 all
    int routeDisplay = 0;  // 0 routes as lines, 1 as numbers
    bool dark = false;
    bool blacksmiths = false;
};

// Loads the palette and the season's tilesets from st's .pl8 directory, then
// draws the current map into renderer (throws FileError for missing graphics).
void drawMapPicture(EditorState& st, render::MapRenderer& renderer, const PictureOptions& options);

}  // namespace d7::cli
