#pragma once

#include <QString>

namespace pageout {

inline constexpr double MinZoom = 10.0;
inline constexpr double MaxZoom = 200.0;

// Zoom factors in percent are kept between 10 and 200.
double ClampZoom(double zoom);
double ZoomStepIn(double zoom, double step);
double ZoomStepOut(double zoom, double step);

// How a page of `pageWidth` x `pageHeight` inches shows at a zoom of 100 % on a screen of
// `dpi` pixels per inch, with a white border of `marginPercent` of the page width on each side.
struct PageView {
    double pageWidth = 8.5;
    double pageHeight = 11.0;
    double dpi = 96.0;
    double marginPercent = 2.5;

    double border(double zoom) const;
    // Size in pixels of the page with its border at a zoom.
    double viewWidth(double zoom) const;
    double viewHeight(double zoom) const;
    // The zoom at which the page width, or the whole page, fits a viewport (clamped).
    double pageWidthZoom(double viewportWidth) const;
    double wholePageZoom(double viewportWidth, double viewportHeight) const;
};

// "Preview Page n of m ( z% )" with n counted from the first page of the preview.
QString PreviewCaption(int currentPage, int firstPage, int pageCount, double zoom);

} // namespace pageout
