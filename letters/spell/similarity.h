#pragma once

#include <string_view>

// How alike a proposal is to the typed word, from 0 to 100: twice the letters of the common
// blocks found, over both lengths.
namespace spell {

inline constexpr std::size_t MaxProposalLength = 30;

// Both texts folded. The candidate is cut to 30 characters and loses its apostrophes first.
int Similarity(std::string_view candidate, std::string_view word);

} // namespace spell
