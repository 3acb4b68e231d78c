#include "pageout/units.h"

#include <algorithm>

namespace pageout {

namespace {

double unitsPerInch(Units units, double userFactor) {
    switch (units) {
    case Units::Inch:
        return 1.0;
    case Units::MM:
        return 25.4;
    case Units::CM:
        return 2.54;
    case Units::Point:
        return 72.0;
    case Units::User:
        return userFactor > 0 ? 1.0 / userFactor : 1.0;
    }
    return 1.0;
}

} // namespace

double ToInches(double value, Units units, double userFactor) {
    return value / unitsPerInch(units, userFactor);
}

double FromInches(double inches, Units units, double userFactor) {
    return inches * unitsPerInch(units, userFactor);
}

double InchesToDevice(double inches, double resolution, double scalePercent) {
    return inches * resolution * scalePercent / 100.0;
}

double PenWidthToDevice(int width, double resolution, double scalePercent) {
    if (width >= 0)
        return width;
    return std::max(1.0, InchesToDevice(-width / 100.0, resolution, scalePercent));
}

double FontLineHeight(double pointSize) {
    return 1.2 * pointSize / 72.0;
}

double LinesPerInchLineHeight(double linesPerInch) {
    return linesPerInch > 0 ? 1.0 / linesPerInch : 1.0 / 6.0;
}

} // namespace pageout
