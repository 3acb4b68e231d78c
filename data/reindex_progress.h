#pragma once

#include <optional>

namespace data {

// The percentage a progress message from the engine carries: messages whose key code has a
// bit of 70h set in its high byte carry the negated 16-bit code; other keys carry nothing.
std::optional<int> ProgressPercentOfKey(int keyCode);

// The gauge while the 26 tags of an address file are built: each tag reports 0 to 100, and
// the gauge shows the running total of the rises over 2100, so it reads 100 before the last
// tags are done (the divisor is 2100, not 2600). The imports divide by 1800.
class TagBuildGauge {
public:
    static constexpr int Divisor = 2100;
    static constexpr int ImportDivisor = 1800;
    explicit TagBuildGauge(int divisor = Divisor) : divisor_(divisor) {}
    // Takes the next percentage and answers what the gauge shows (0 to 100).
    int update(int percent);
    void reset() { last_ = 0, total_ = 0; }
    int total() const { return total_; }

private:
    int divisor_;
    int last_ = 0;
    int total_ = 0;
};

} // namespace data
