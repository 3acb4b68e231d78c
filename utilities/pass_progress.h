#pragma once

#include <functional>

namespace utilities {

// Where a long pass over the address table stands: records visited of the total it counted
// first, and how many it found (listed, changed or deleted).
struct PassState {
    unsigned done = 0;
    unsigned total = 0;
    unsigned found = 0;
};

// Called after every record with where the pass stands; answers false to stop the pass there.
// The record in hand is always finished first, so a stopped pass leaves every record done or
// untouched.
using PassStep = std::function<bool(const PassState&)>;

// The gauge's reading: done / total x 100, truncated; 0 for an empty total.
int GaugePercent(unsigned done, unsigned total);

} // namespace utilities
