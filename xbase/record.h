#pragma once

#include <cstdint>
#include <string_view>

namespace xbase {

/// A read-only view of one record's bytes as stored: the deletion byte ('*' or ' ')
/// followed by the fields in file order. Valid only until the table moves or changes.
struct Record {
    std::string_view bytes;
    std::uint32_t recno = 0;

    bool deleted() const noexcept { return !bytes.empty() && bytes[0] == '*'; }
};

} // namespace xbase
