#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xbase {

/// What an index key holds; it decides the encoding and which byte trailing
/// compression drops (blanks for character keys, zero bytes for the others).
enum class KeyType { Character, Numeric, Date, Logical };

/// Width in bytes of numeric and date keys.
inline constexpr std::size_t binaryKeyLength = 8;

/// The byte that leaf nodes drop from the end of keys of this type.
std::uint8_t trailByte(KeyType type) noexcept;

/// Character key: the bytes, cut or blank padded to `length`.
std::string characterKey(std::string_view text, std::size_t length);
/// Numeric key: the big-endian double with the sign bit flipped for positive
/// numbers and every bit inverted for negative ones, so bytes sort as numbers.
std::string numericKey(double value);
double numericKeyValue(std::string_view key);
/// Date key from "YYYYMMDD" (blanks: the empty date, which sorts first): the
/// julian day number encoded as a numeric key.
std::string dateKey(std::string_view yyyymmdd);
/// Logical key: one byte, 'T' or 'F'.
std::string logicalKey(bool value);

/// Julian day number of a calendar date (1 January 4713 BC is day 0).
std::int64_t julianDay(int year, int month, int day) noexcept;

} // namespace xbase
