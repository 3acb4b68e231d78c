#pragma once

namespace layout {

// P: the display's logical pixels per inch, the unit of layouts at zoom 1.0 (96 without a
// screen).
double DisplayPixelsPerInch();
// Surface pixels at zoom 1.0 for a length in inches, to the nearest integer.
int InchesToPixels(double inches);

} // namespace layout
