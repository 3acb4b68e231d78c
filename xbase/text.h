#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace xbase {

// Byte helpers that ignore the C locale: tables hold Windows-1252 bytes and only
// ASCII letters change case.

inline bool isAsciiAlpha(char c) noexcept {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
inline bool isAsciiDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}
inline bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t';
}
inline char toUpperAscii(char c) noexcept {
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}
inline char toLowerAscii(char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}

/// Copies `n` bytes changing the case of ASCII letters only (upper: a–z to A–Z, else
/// A–Z to a–z), eight bytes at a time: index builds do this for every key.
inline void copyCaseAscii(const char* in, char* out, std::size_t n, bool upper) noexcept {
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    const std::uint64_t first = upper ? 'a' : 'A', last = upper ? 'z' : 'Z';
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, in + i, 8);
        // In each byte's top bit: at least `first`, above `last`, and not ASCII at all.
        std::uint64_t low = w & (0x7F * ones);
        std::uint64_t atLeast = low + (0x80 - first) * ones;
        std::uint64_t above = low + (0x80 - last - 1) * ones;
        std::uint64_t letters = atLeast & ~above & ~w & (0x80 * ones);
        w ^= letters >> 2; // 0x20 flips the case
        std::memcpy(out + i, &w, 8);
    }
    for (; i < n; ++i)
        out[i] = upper ? toUpperAscii(in[i]) : toLowerAscii(in[i]);
}

inline std::string toUpperAscii(std::string_view s) {
    std::string out(s.size(), '\0');
    copyCaseAscii(s.data(), out.data(), s.size(), true);
    return out;
}

inline bool equalsIgnoreCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (toUpperAscii(a[i]) != toUpperAscii(b[i]))
            return false;
    return true;
}

inline std::string_view trimRight(std::string_view s) noexcept {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
        s.remove_suffix(1);
    return s;
}

inline std::string_view trimLeft(std::string_view s) noexcept {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

} // namespace xbase
