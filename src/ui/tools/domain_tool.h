// "Domains": a click gives the cell the domain chosen in the domain list;
// the domain's tile follows the mouse.
#pragma once

#include "ui/tools/map_tool.h"

namespace d7::ui {

class DomainTool : public MapTool {
  public:
    using MapTool::MapTool;

    void activate() override;
    void mousePress(QPoint cell) override;
};

}  // namespace d7::ui
