#pragma once

#include <string>
#include <string_view>

// Windows-1252 letters as the spell engine sees them: the upper-case fold that dictionaries
// are stored in, the lower and upper maps that give a proposal the case of the typed word, and
// the sets of bytes that count as letters.
namespace spell {

unsigned char Fold(unsigned char c) noexcept;
std::string Fold(std::string_view text);

unsigned char Lower(unsigned char c) noexcept;
unsigned char Upper(unsigned char c) noexcept;

bool IsSmallLetter(unsigned char c) noexcept;
bool IsCapital(unsigned char c) noexcept;
// A letter of a typed word (the apostrophe included).
bool IsWordLetter(unsigned char c) noexcept;
// A letter of a proposal: those of a word and ñ to ö besides.
bool IsProposalLetter(unsigned char c) noexcept;

} // namespace spell
