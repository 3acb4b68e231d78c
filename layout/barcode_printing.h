#pragma once

// Draws the postal marks through the page output engine as filled rectangles whose sizes are
// fixed in inches, whatever the size of the object that prints them.
#include "layout/layout_enums.h"

#include <string_view>

namespace pageout {
class TBasePageJob;
}

namespace layout {

// The POSTNET bars of a code (PostNetCode), the first bar's top-left corner at (x0, y0) inches.
void PrintPostNetBars(pageout::TBasePageJob& engine, double x0, double y0, std::string_view code);

// The bars of a FIM, slot 1's top-left corner at (x0, y0) inches.
void PrintFimBars(pageout::TBasePageJob& engine, double x0, double y0, TFIMBarCodeType type);

} // namespace layout
