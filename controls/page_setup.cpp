#include "controls/page_setup.h"

#include <algorithm>

namespace controls {

namespace {
constexpr int MinimumTextTwips = TwipsPerInch / 10;
}

int PageSetup::textWidth() const {
    return std::max(MinimumTextTwips, width - left - right);
}

int PageSetup::textHeight() const {
    return std::max(MinimumTextTwips, height - top - bottom);
}

} // namespace controls
