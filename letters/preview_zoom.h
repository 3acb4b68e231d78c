#pragma once

namespace letters {

// The preview's zoom in percent. A step in is taken only below 150 and a step out only above
// 50; each truncates.
int ZoomStepIn(int zoom);
int ZoomStepOut(int zoom);
// The zoom at which `twips` of paper fill `pixels` of window on a screen of `dpi`.
int ZoomToFit(int pixels, int twips, double dpi);
// A length of paper on screen: twips at the screen's resolution, rounded, then zoomed and
// truncated.
int PagePixels(int twips, double dpi, int zoom);
// A margin inside the page: twips at the screen's resolution and zoom, rounded.
int MarginPixels(int twips, double dpi, int zoom);

} // namespace letters
