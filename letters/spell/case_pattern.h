#pragma once

#include <string>
#include <string_view>

namespace spell {

// The proposal written in the letter case of the word the user typed: all capitals stay
// capitals; otherwise small letters, with a capital wherever the model's letter at the same
// place (counting letters only) is one.
std::string WithCaseOf(std::string_view model, std::string_view proposal);

} // namespace spell
