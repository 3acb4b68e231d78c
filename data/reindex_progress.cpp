#include "data/reindex_progress.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace data {

std::optional<int> ProgressPercentOfKey(int keyCode) {
    const auto code = std::uint16_t(keyCode);
    if (((code >> 8) & 0x70) == 0)
        return std::nullopt;
    return std::int16_t(-std::int16_t(code));
}

int TagBuildGauge::update(int percent) {
    if (percent > last_)
        total_ += percent - last_;
    last_ = percent;
    if (total_ <= 0)
        return 0;
    const int shown = int(std::lround(double(total_) / divisor_ * 100.0));
    return std::min(shown, 100);
}

} // namespace data
