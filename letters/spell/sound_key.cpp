#include "letters/spell/sound_key.h"

#include <algorithm>

namespace spell {

namespace {

// Vowels and the letters that sound as little as them leave no trace after the first.
bool isDropped(unsigned char c) noexcept {
    switch (c) {
    case 'A':
    case 'E':
    case 'H':
    case 'I':
    case 'O':
    case 'U':
    case 'W':
    case 'Y':
    case 159:
    case 216:
    case 240:
        return true;
    default:
        return (c >= 192 && c <= 198) || (c >= 200 && c <= 207) || (c >= 210 && c <= 214) ||
               (c >= 217 && c <= 221);
    }
}

unsigned char codeOf(unsigned char c) noexcept {
    switch (c) {
    case 'B':
    case 'F':
    case 'P':
    case 'V':
    case 222:
    case 223:
    case '6':
    case '8':
        return 1;
    case 'C':
    case 'G':
    case 'J':
    case 'K':
    case 'Q':
    case 'S':
    case 'X':
    case 'Z':
    case 138:
    case 140:
    case 199:
    case '3':
    case '4':
    case '5':
    case '9':
        return 2;
    case 'D':
    case 'T':
    case 208:
        return 3;
    case 'L':
    case '2':
        return 4;
    case 'M':
    case 'N':
    case 209:
        return 5;
    case 'R':
        return 6;
    case '\'':
    case '-':
    case '`':
        return 7;
    case '0':
        return 'O';
    case '1':
    case '7':
        return 'I';
    default:
        return c;
    }
}

} // namespace

SoundKey KeyOf(std::string_view text, const SoundKey& completion) {
    SoundKey key = completion;
    if (text.empty())
        return key;
    key[0] = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    for (std::size_t i = 1; i < text.size() && length < KeyLength; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (isDropped(c))
            continue;
        const unsigned char code = codeOf(c);
        // A code already present after the first character is not repeated, wherever it was.
        if (std::find(key.begin() + 1, key.begin() + length, code) != key.begin() + length)
            continue;
        key[length++] = code;
    }
    return key;
}

SoundKey KeyOf(std::string_view text) {
    return KeyOf(text, SoundKey{' ', ' ', ' ', ' '});
}

} // namespace spell
