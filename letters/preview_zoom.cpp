#include "letters/preview_zoom.h"

#include "controls/page_setup.h"

#include <cmath>

namespace letters {

using controls::TwipsPerInch;

int ZoomStepIn(int zoom) {
    return zoom < 150 ? int(zoom * 1.25) : zoom;
}

int ZoomStepOut(int zoom) {
    return zoom > 50 ? int(zoom * 0.75) : zoom;
}

int ZoomToFit(int pixels, int twips, double dpi) {
    const double page = twips * dpi / TwipsPerInch;
    return page > 0 ? int(pixels / page * 100) : 100;
}

int PagePixels(int twips, double dpi, int zoom) {
    return int(std::lround(twips * dpi / TwipsPerInch) * zoom / 100);
}

int MarginPixels(int twips, double dpi, int zoom) {
    return int(std::lround(twips * dpi / TwipsPerInch * zoom / 100));
}

} // namespace letters
