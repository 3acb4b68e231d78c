#pragma once

namespace pageout {

// Unit of the coordinates a job is given; everything is converted to inches on entry.
enum class Units { Inch, MM, CM, Point, User };

// Inches for a value in the given unit; unUser counts `userFactor` inches per unit.
double ToInches(double value, Units units, double userFactor);
double FromInches(double inches, Units units, double userFactor);

// Device pixels for a length in inches at `resolution` dots per inch and scale in percent.
double InchesToDevice(double inches, double resolution, double scalePercent);

// Pen width in device pixels: a negative width is hundredths of an inch at 100 % scale and
// never thinner than one device pixel; a positive width is already in device pixels.
double PenWidthToDevice(int width, double resolution, double scalePercent);

// Line heights in inches.
double FontLineHeight(double pointSize);
double LinesPerInchLineHeight(double linesPerInch);

} // namespace pageout
