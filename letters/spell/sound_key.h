#pragma once

#include <array>
#include <string_view>

// The sound key of a folded word: its first character and up to three codes for the sounds
// that follow, so that words that sound alike share a key.
namespace spell {

inline constexpr std::size_t KeyLength = 4;
using SoundKey = std::array<unsigned char, KeyLength>;

// The key of `text`; a key of fewer than four characters is completed from `completion` at
// the missing positions (blanks for the typed word, the target key for a prefix).
SoundKey KeyOf(std::string_view text, const SoundKey& completion);
SoundKey KeyOf(std::string_view text);

} // namespace spell
