#pragma once
// What the grid checks need from a line grid: row 0 is the heading, the last row
// of a line grid is its empty entry row.
#include <QString>

namespace kavra {

class GridCells {
  public:
    virtual ~GridCells() = default;
    virtual int rowCount() const = 0;
    virtual int colCount() const = 0;
    virtual QString text(int row, int col) const = 0;
    // Cell foreground colour as 0xBBGGRR, so pure red is 255.
    virtual int colorValue(int row, int col) const { return 0; }
};

}  // namespace kavra
