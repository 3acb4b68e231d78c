#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace spell {

struct Proposal {
    std::string text; // at most 30 characters
    std::int16_t score = 0;
};

// The best proposals so far, by descending score; of equal scores the earlier one stays
// first. Holds at most `capacity` entries: a candidate below all of a full list is dropped.
class ProposalList {
public:
    explicit ProposalList(std::size_t capacity) : capacity_(capacity) {}

    void offer(std::string_view text, int score);
    const std::vector<Proposal>& entries() const noexcept { return entries_; }

private:
    std::size_t capacity_;
    std::vector<Proposal> entries_;
};

} // namespace spell
