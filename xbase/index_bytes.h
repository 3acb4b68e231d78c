#pragma once

#include <cstddef>
#include <cstdint>

namespace xbase::index_bytes {

/// Index headers and node heads are little endian; interior node entries big endian.
inline std::uint32_t getLe(const std::uint8_t* p, std::size_t n) {
    std::uint32_t v = 0;
    for (std::size_t i = n; i-- > 0;)
        v = (v << 8) | p[i];
    return v;
}

inline void putLe(std::uint8_t* p, std::uint64_t v, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i, v >>= 8)
        p[i] = static_cast<std::uint8_t>(v);
}

inline std::uint32_t getBe(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           p[3];
}

inline void putBe(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * (3 - i)));
}

} // namespace xbase::index_bytes
