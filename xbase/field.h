#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

/// One field as declared: name (upper case, at most 10 characters), type letter,
/// width and decimals. The offset is the field's position in the record bytes
/// (the deletion byte is at 0, so the first field starts at 1).
struct Field {
    std::string name;
    char type = 'C';
    std::uint16_t width = 0;
    std::uint8_t decimals = 0;
    std::uint32_t offset = 0;
    std::uint8_t flags = 0;

    /// Memo-like fields hold a block number; an eight-byte B field is a double instead.
    bool isMemo() const noexcept {
        return type == 'M' || type == 'G' || type == 'P' || (type == 'B' && width != 8);
    }
};

/// The field list of a table and the record length that follows from it.
class Structure {
public:
    Structure() = default;
    /// Lays out the fields one after the other; checks names, types and widths.
    explicit Structure(std::vector<Field> fields);

    const std::vector<Field>& fields() const noexcept { return fields_; }
    std::size_t recordLength() const noexcept { return recordLength_; }
    /// Index of the field of this name, ignoring letter case.
    std::optional<std::size_t> find(std::string_view name) const;
    /// As find, but a missing name is an error.
    std::size_t indexOf(std::string_view name) const;
    const Field& field(std::size_t index) const { return fields_.at(index); }
    bool hasMemo() const noexcept;

    /// Builds a structure from stored descriptors whose offsets are already known.
    static Structure fromStored(std::vector<Field> fields, std::size_t recordLength);

private:
    std::vector<Field> fields_;
    std::size_t recordLength_ = 1;
};

} // namespace xbase
