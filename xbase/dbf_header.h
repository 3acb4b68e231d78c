#pragma once

#include "xbase/field.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace xbase {

// The fixed part of a DBF file:
//   0      first byte: version and memo flag (03h plain, F5h with FPT memo, 83h/8Bh DBT memo)
//   1..3   date of last update: year - 1900, month, day
//   4..7   record count, little endian
//   8..9   header length (records start here), little endian
//   10..11 record length including the deletion byte, little endian
//   28     table flags; 29 language byte (03h Windows-1252)
//   32...  field descriptors of 32 bytes: name (11, zero padded), type, offset (4),
//          width, decimals, flags; then 0Dh, and for version 30h-32h a 263-byte backlink.
//   then   the records, then 1Ah.
struct DbfHeader {
    std::uint8_t signature = 0x03;
    std::uint32_t recordCount = 0;
    std::uint16_t headerLength = 0;
    std::uint16_t recordLength = 0;
    std::uint8_t language = 0x03;
    Structure structure;
};

constexpr std::size_t dbfPrefixLength = 32;
constexpr std::uint8_t dbfEndOfFile = 0x1A;

/// Parses the header bytes (at least headerLength of them, or the whole file when
/// shorter); throws ErrorKind::Corrupt for anything inconsistent.
DbfHeader parseDbfHeader(std::string_view bytes, std::uint64_t fileSize, const std::string& name);
/// The header of a new, empty table of these fields (FoxPro form).
std::string buildDbfHeader(const Structure& structure, std::uint8_t signature);
/// Writes the date of today into bytes 1..3 of a header.
void stampDbfDate(char* header);
bool isKnownDbfSignature(std::uint8_t signature) noexcept;

std::uint32_t readLe32(const char* p) noexcept;
std::uint16_t readLe16(const char* p) noexcept;
void writeLe32(char* p, std::uint32_t v) noexcept;
void writeLe16(char* p, std::uint16_t v) noexcept;

} // namespace xbase
