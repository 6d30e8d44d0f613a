// A cell sink that counts what it is told to redraw.
#pragma once

#include <cstdint>

#include "core/model/ports.h"

namespace d7::test {

class CountingSink : public CellSink {
  public:
    void cellChanged(int, int) override { ++cells; }
    void buildingPieceChanged(int, int, std::uint8_t) override { ++pieces; }
    void mapChanged() override { ++redraws; }
    int cells = 0;
    int pieces = 0;
    int redraws = 0;
};

}  // namespace d7::test
