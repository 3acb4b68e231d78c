#include "utilities/pass_progress.h"

namespace utilities {

int GaugePercent(unsigned done, unsigned total) {
    if (total == 0)
        return 0;
    return int((static_cast<unsigned long long>(done) * 100) / total);
}

} // namespace utilities
