#pragma once

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

inline std::string toUpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = toUpperAscii(c);
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
