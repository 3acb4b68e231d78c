#pragma once

#include <QPageSize>
#include <QSizeF>
#include <QString>

#include <optional>

namespace platform {

// A paper size known by its Windows paper-size code; width and height in inches, portrait.
struct PaperSize {
    int code = 0;
    QPageSize::PageSizeId id = QPageSize::Custom;
    double width = 0;
    double height = 0;
};

// The paper for a code: 1 Letter, 9 A4, 11 A5 and the envelope codes 19 to 38; nothing for
// code 0 or an unknown code.
std::optional<PaperSize> PaperForCode(int code);

// A custom size as the driver receives it: tenths of a millimetre (inches x 254, rounded).
int InchesToTenthsOfMillimetre(double inches);

// The page size for a code, or for code 0 a custom size of width x length inches.
std::optional<QPageSize> PageSizeFor(int code, double length, double width);

} // namespace platform
