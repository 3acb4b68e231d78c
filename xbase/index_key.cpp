#include "xbase/index_key.h"

#include <bit>
#include <cctype>
#include <cstring>

namespace xbase {

std::uint8_t trailByte(KeyType type) noexcept {
    return type == KeyType::Character || type == KeyType::Logical ? ' ' : 0;
}

std::string characterKey(std::string_view text, std::size_t length) {
    std::string key(text.substr(0, length));
    key.resize(length, ' ');
    return key;
}

std::string numericKey(double value) {
    if (value == 0.0)
        value = 0.0; // minus zero sorts with zero
    auto bits = std::bit_cast<std::uint64_t>(value);
    if (bits & 0x8000000000000000ull)
        bits = ~bits;
    else
        bits |= 0x8000000000000000ull;
    std::string key(binaryKeyLength, '\0');
    for (std::size_t i = 0; i < binaryKeyLength; ++i)
        key[i] = static_cast<char>(bits >> (8 * (binaryKeyLength - 1 - i)));
    return key;
}

double numericKeyValue(std::string_view key) {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < binaryKeyLength && i < key.size(); ++i)
        bits = (bits << 8) | static_cast<unsigned char>(key[i]);
    if (bits & 0x8000000000000000ull)
        bits &= ~0x8000000000000000ull;
    else
        bits = ~bits;
    return std::bit_cast<double>(bits);
}

std::int64_t julianDay(int year, int month, int day) noexcept {
    // Gregorian calendar to day count, shifted so that March starts the year.
    std::int64_t a = (14 - month) / 12;
    std::int64_t y = static_cast<std::int64_t>(year) + 4800 - a;
    std::int64_t m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

std::string dateKey(std::string_view yyyymmdd) {
    bool digits = yyyymmdd.size() >= 8;
    for (std::size_t i = 0; digits && i < 8; ++i)
        digits = std::isdigit(static_cast<unsigned char>(yyyymmdd[i])) != 0;
    if (!digits)
        return numericKey(0.0);
    auto number = [&](std::size_t from, std::size_t count) {
        int n = 0;
        for (std::size_t i = from; i < from + count; ++i)
            n = n * 10 + (yyyymmdd[i] - '0');
        return n;
    };
    return numericKey(static_cast<double>(julianDay(number(0, 4), number(4, 2), number(6, 2))));
}

std::string logicalKey(bool value) {
    return value ? "T" : "F";
}

} // namespace xbase
