#pragma once

#include "letters/spell/proposal_list.h"

#include <functional>
#include <string_view>
#include <vector>

namespace spell {

class WordList;

inline constexpr std::size_t MaxSuggestionsCap = 220;
// The letters of a typed word that suggestions look at.
inline constexpr std::size_t MaxWordLength = 25;

struct SuggestSources {
    // The main dictionary first, then the user dictionaries in the order they were opened.
    std::vector<const WordList*> dictionaries;
    // Whether a folded word is known, for the two-word splits.
    std::function<bool(std::string_view folded)> isKnown;
};

// The first letters a word may have been meant to begin with, in the order they are tried.
std::string_view AlternativeFirstLetters(unsigned char folded);

// At most `max` proposals for a typed word, best first, in the word's letter case, with their
// scores: dictionary words that sound alike under each alternative first letter, then splits
// of the word into two known words.
std::vector<Proposal> Suggest(std::string_view word, const SuggestSources& sources,
                              std::size_t max);

} // namespace spell
