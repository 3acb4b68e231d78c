#include "xbase/index_header.h"

#include "xbase/error.h"
#include "xbase/index_bytes.h"
#include "xbase/index_node.h"

#include <cstring>

namespace xbase {

namespace {

constexpr std::size_t poolOffset = 512;
constexpr std::size_t poolSize = 512;

using index_bytes::putLe;

std::uint32_t le(const std::uint8_t* p, std::size_t n) {
    return index_bytes::getLe(p, n);
}

// The text at pos up to its terminating zero (or the given length), inside the pool.
std::string poolText(const std::uint8_t* pool, std::size_t pos, std::size_t length,
                     const std::string& where) {
    if (length == 0)
        return {};
    if (pos >= poolSize || length > poolSize - pos)
        throw Error(ErrorKind::Corrupt, where + ": expression lies outside the header");
    const char* text = reinterpret_cast<const char*>(pool + pos);
    return std::string(text, strnlen(text, length));
}

} // namespace

IndexHeader decodeIndexHeader(const std::uint8_t* b, std::uint64_t fileSize,
                              const std::string& where) {
    IndexHeader h;
    h.root = le(b, 4);
    h.freeList = le(b + 4, 4);
    h.version = le(b + 8, 4);
    h.keyLength = static_cast<std::uint16_t>(le(b + 12, 2));
    h.options = b[14];
    h.signature = b[15];
    if (!(h.options & index_option::compact))
        throw Error(ErrorKind::Unsupported, where + ": not a compact index");
    if (h.keyLength == 0 || h.keyLength > maxKeyLength)
        throw Error(ErrorKind::Corrupt,
                    where + ": key length " + std::to_string(h.keyLength) + " is not 1 to 240");
    if (h.root < nodeSize || std::uint64_t(h.root) + nodeSize > fileSize)
        throw Error(ErrorKind::Corrupt, where + ": root node offset " + std::to_string(h.root) +
                                            " lies outside the file");
    h.descending = le(b + 502, 2) != 0;
    h.ignoreCase = h.signature == 1 && b[499] == 1;
    const std::uint8_t* pool = b + poolOffset;
    h.forExpression = poolText(pool, le(b + 504, 2), le(b + 506, 2), where);
    h.keyExpression = poolText(pool, le(b + 508, 2), le(b + 510, 2), where);
    return h;
}

void encodeIndexHeader(const IndexHeader& h, std::uint8_t* b) {
    std::size_t keyLen = h.keyExpression.empty() ? 0 : h.keyExpression.size() + 1;
    std::size_t forLen = h.forExpression.size() + 1;
    if (keyLen + forLen > poolSize)
        throw Error(ErrorKind::Value, "index expressions are too long for the header");
    std::memset(b, 0, indexHeaderSize);
    putLe(b, h.root, 4);
    putLe(b + 4, h.freeList, 4);
    putLe(b + 8, h.version, 4);
    putLe(b + 12, h.keyLength, 2);
    b[14] = static_cast<std::uint8_t>((h.options & ~index_option::forClause) |
                                      (h.forExpression.empty() ? 0 : index_option::forClause));
    b[15] = h.signature;
    putLe(b + 502, h.descending ? 1 : 0, 2);
    putLe(b + 504, static_cast<std::uint32_t>(keyLen), 2);
    putLe(b + 506, static_cast<std::uint32_t>(h.keyExpression.empty() ? 0 : forLen), 2);
    putLe(b + 508, 0, 2);
    putLe(b + 510, static_cast<std::uint32_t>(keyLen), 2);
    std::memcpy(b + poolOffset, h.keyExpression.data(), h.keyExpression.size());
    std::memcpy(b + poolOffset + keyLen, h.forExpression.data(), h.forExpression.size());
}

} // namespace xbase
