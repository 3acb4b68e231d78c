#include "letters/spell/letters.h"

namespace spell {

namespace {

bool in(unsigned char c, int first, int last) noexcept {
    return c >= first && c <= last;
}

} // namespace

unsigned char Fold(unsigned char c) noexcept {
    if (in(c, 'a', 'z') || (in(c, 224, 254) && c != 240 && c != 247))
        return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 154:
        return 138;
    case 156:
        return 140;
    case 255:
        return 159;
    default:
        return c;
    }
}

std::string Fold(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
    return folded;
}

// Ð (208) keeps its case both ways: its small form ð is not its partner in the maps.
unsigned char Lower(unsigned char c) noexcept {
    if (in(c, 'A', 'Z') || in(c, 192, 207) || in(c, 209, 214) || in(c, 216, 222))
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 138:
        return 154;
    case 140:
        return 156;
    case 159:
        return 255;
    default:
        return c;
    }
}

unsigned char Upper(unsigned char c) noexcept {
    if (in(c, 'a', 'z') || in(c, 224, 239) || in(c, 241, 246) || in(c, 248, 254))
        return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 154:
        return 138;
    case 156:
        return 140;
    case 255:
        return 159;
    default:
        return c;
    }
}

bool IsSmallLetter(unsigned char c) noexcept {
    return in(c, 'a', 'z') || c == 154 || c == 156 || in(c, 224, 239) || in(c, 241, 246) ||
           in(c, 248, 255);
}

// ß (223) and ð (240) are small letters without a capital in the code page: taking them for
// capitals made "Straße" propose "StraFe".
bool IsCapital(unsigned char c) noexcept {
    return in(c, 'A', 'Z') || c == 138 || c == 140 || c == 159 || in(c, 192, 214) ||
           in(c, 216, 222);
}

bool IsWordLetter(unsigned char c) noexcept {
    return c == '\'' || in(c, 'A', 'Z') || in(c, 'a', 'z') || c == 138 || c == 140 || c == 154 ||
           c == 156 || c == 159 || in(c, 192, 214) || in(c, 216, 240) || in(c, 248, 255);
}

bool IsProposalLetter(unsigned char c) noexcept {
    return IsWordLetter(c) || in(c, 241, 246);
}

} // namespace spell
