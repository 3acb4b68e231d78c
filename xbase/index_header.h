#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace xbase {

/// Option bits of a compact index header.
namespace index_option {
inline constexpr std::uint8_t unique = 0x01;
inline constexpr std::uint8_t temporary = 0x02; // kept by hand by the program that made it
inline constexpr std::uint8_t custom = 0x04;    // likewise
inline constexpr std::uint8_t bitVector = 0x10;
inline constexpr std::uint8_t forClause = 0x08;
inline constexpr std::uint8_t compact = 0x20;
inline constexpr std::uint8_t compound = 0x40;
inline constexpr std::uint8_t tagList = 0x80; // the compound file's own directory
} // namespace index_option

inline constexpr std::size_t indexHeaderSize = 1024;

/// The 1024-byte header of one index order (a CDX tag, the tag list, an IDX file):
/// root offset, free chain, change counter, key length, options, the sort
/// direction and the key and for expressions in the expression pool.
struct IndexHeader {
    std::uint32_t root = 0;
    std::uint32_t freeList = 0;
    std::uint32_t version = 0;
    std::uint16_t keyLength = 0;
    std::uint8_t options = index_option::compact;
    std::uint8_t signature = 1;
    bool descending = false;
    /// Keys are made upper case by the index itself (a flag some writers set at 499).
    bool ignoreCase = false;
    std::string keyExpression;
    std::string forExpression;
};

/// Reads a header; anything unusable throws Error (Corrupt, or Unsupported for
/// non-compact files), naming `where`.
IndexHeader decodeIndexHeader(const std::uint8_t* bytes, std::uint64_t fileSize,
                              const std::string& where);
void encodeIndexHeader(const IndexHeader& header, std::uint8_t* bytes);

} // namespace xbase
