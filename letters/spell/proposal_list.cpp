#include "letters/spell/proposal_list.h"

#include "letters/spell/similarity.h"

#include <algorithm>

namespace spell {

void ProposalList::offer(std::string_view text, int score) {
    if (capacity_ == 0)
        return;
    const auto at = std::find_if(entries_.begin(), entries_.end(),
                                 [score](const Proposal& entry) { return entry.score < score; });
    const auto position = static_cast<std::size_t>(at - entries_.begin());
    if (position >= capacity_)
        return;
    entries_.insert(at, Proposal{std::string(text.substr(0, MaxProposalLength)),
                                 static_cast<std::int16_t>(score)});
    if (entries_.size() > capacity_)
        entries_.pop_back();
}

} // namespace spell
