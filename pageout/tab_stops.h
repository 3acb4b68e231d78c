#pragma once

#include <vector>

namespace pageout {

// How the text of a cell is placed.
enum class CellJustify { Centre = 0, Left = 1, Right = 2, Spread = 3 };

struct CellBorders {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
    bool any() const { return left || top || right || bottom; }
};

// One tab stop. All lengths in inches except the margin, kept as given in hundredths of an
// inch. A negative position starts the cell right after the previous one; a width of 0 or less
// is a plain tab without a cell box.
struct TabStop {
    double position = 0;
    CellJustify justify = CellJustify::Left;
    double width = 0;
    int marginHundredths = 0;
    CellBorders borders;
    int shadePercent = 0;

    bool isCell() const { return width > 0; }
    double margin() const { return marginHundredths / 100.0; }
};

// The left edge and width of a resolved cell, in inches.
struct CellSpan {
    double left = 0;
    double right = 0;
};

// Where a text of `textWidth` starts in a cell, and for Spread the extra space between
// characters (zero otherwise).
struct CellPlacement {
    double x = 0;
    double letterSpacing = 0;
};

class TabStops {
public:
    void add(const TabStop& stop) { stops_.push_back(stop); }
    void clear() { stops_.clear(); }
    void push() { saved_.push_back(stops_); }
    // Restores the tabs of the last push; nothing happens without one.
    void pop();
    bool empty() const { return stops_.empty(); }
    int count() const { return static_cast<int>(stops_.size()); }
    const TabStop& at(int index) const { return stops_.at(index); }

    // The span of a tab with the chain of negative positions resolved from `sectionLeft`.
    CellSpan span(int index, double sectionLeft) const;
    // The index after `current` (wrapping to the first; -1 when there are no tabs).
    int next(int current) const;
    // The first plain or cell tab whose position lies right of x, or -1.
    int nextAfter(double x, double sectionLeft) const;

private:
    std::vector<TabStop> stops_;
    std::vector<std::vector<TabStop>> saved_;
};

CellPlacement PlaceInCell(const TabStop& stop, const CellSpan& span, double textWidth,
                          int characters);

} // namespace pageout
