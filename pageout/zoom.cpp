#include "pageout/zoom.h"

#include <algorithm>
#include <cmath>

namespace pageout {

double ClampZoom(double zoom) {
    if (!(zoom >= MinZoom)) // also catches NaN
        return MinZoom;
    return std::min(zoom, MaxZoom);
}

double ZoomStepIn(double zoom, double step) {
    return ClampZoom(zoom + step);
}

double ZoomStepOut(double zoom, double step) {
    return ClampZoom(zoom - step);
}

double PageView::border(double zoom) const {
    return pageWidth * dpi * zoom / 100.0 * marginPercent / 100.0;
}

double PageView::viewWidth(double zoom) const {
    return pageWidth * dpi * zoom / 100.0 + 2 * border(zoom);
}

double PageView::viewHeight(double zoom) const {
    return pageHeight * dpi * zoom / 100.0 + 2 * border(zoom);
}

double PageView::pageWidthZoom(double viewportWidth) const {
    const double perPercent = viewWidth(1.0);
    return ClampZoom(perPercent > 0 ? std::floor(viewportWidth / perPercent) : MinZoom);
}

double PageView::wholePageZoom(double viewportWidth, double viewportHeight) const {
    const double byHeight = viewHeight(1.0) > 0 ? viewportHeight / viewHeight(1.0) : MinZoom;
    const double byWidth = viewWidth(1.0) > 0 ? viewportWidth / viewWidth(1.0) : MinZoom;
    return ClampZoom(std::floor(std::min(byHeight, byWidth)));
}

QString PreviewCaption(int currentPage, int firstPage, int pageCount, double zoom) {
    return QStringLiteral("Preview Page %1 of %2 ( %3% )")
        .arg(currentPage - firstPage + 1)
        .arg(pageCount)
        .arg(std::lround(zoom));
}

} // namespace pageout
