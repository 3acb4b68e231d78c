#include "xbase/index_node.h"

#include "xbase/error.h"
#include "xbase/index_bytes.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace xbase {

namespace {

using namespace index_bytes;

constexpr std::uint16_t rootFlag = 1;
constexpr std::uint16_t leafFlag = 2;
constexpr std::size_t interiorRoom = nodeSize - 12;

unsigned bitsFor(std::uint64_t value) {
    return static_cast<unsigned>(std::bit_width(value));
}

[[noreturn]] void corrupt(std::uint32_t offset, const std::string& what) {
    throw Error(ErrorKind::Corrupt, "index node at offset " + std::to_string(offset) + ": " + what);
}

// Field widths of the packed part of a leaf entry.
struct LeafBits {
    unsigned recno = 0, dup = 0, trail = 0, bytes = 0;
};

LeafBits leafBits(std::size_t keyLength, std::uint32_t maxRecno) {
    LeafBits b;
    b.dup = b.trail = bitsFor(keyLength);
    unsigned needed = std::max(bitsFor(maxRecno), 1u) + 2 * b.dup;
    b.bytes = std::max(3u, (needed + 7) / 8);
    b.recno = std::min(32u, b.bytes * 8 - 2 * b.dup);
    return b;
}

// Both counts run eight bytes at a time: building a large tag computes them for every key.
std::size_t trailingCount(const char* p, std::size_t size, std::uint8_t trail) {
    const std::uint64_t pattern = 0x0101010101010101ULL * trail;
    std::size_t n = 0;
    for (std::uint64_t word; size - n >= 8; n += 8) {
        std::memcpy(&word, p + size - n - 8, 8);
        if (word != pattern)
            break;
    }
    while (n < size && static_cast<std::uint8_t>(p[size - 1 - n]) == trail)
        ++n;
    return n;
}

std::size_t commonPrefix(const char* a, const char* b, std::size_t limit) {
    std::size_t n = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (std::uint64_t x, y; n + 8 <= limit; n += 8) {
            std::memcpy(&x, a + n, 8);
            std::memcpy(&y, b + n, 8);
            if (x != y)
                return n + static_cast<std::size_t>(std::countr_zero(x ^ y)) / 8;
        }
    }
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

// Key bytes an entry stores after dropping what it shares with the previous key and its
// trailing bytes; the limits keep duplicate plus trailing within the key.
struct Compression {
    std::size_t dup = 0, trail = 0;
};

Compression compress(const char* previous, const char* key, const NodeFormat& f) {
    Compression c;
    c.trail = trailingCount(key, f.keyLength, f.trail);
    if (previous)
        c.dup = commonPrefix(previous, key, f.keyLength - c.trail);
    return c;
}

// Writes the leaf part of a page: entry i has the key at keyAt(i) (key length bytes) and
// the record number recnoAt(i). Each entry's compression is worked out once, for the size
// check and for writing.
template <class KeyAt, class RecnoAt, class CompressionAt>
void encodeLeafEntries(KeyAt keyAt, RecnoAt recnoAt, CompressionAt compressionAt, std::size_t count,
                       const NodeFormat& f, std::uint8_t* page) {
    std::vector<Compression> compression(count);
    std::uint32_t maxRecno = 0;
    std::size_t keyBytes = 0;
    for (std::size_t i = 0; i < count; ++i) {
        Compression& c = compression[i];
        c = compressionAt(i);
        keyBytes += f.keyLength - c.dup - c.trail;
        maxRecno = std::max(maxRecno, recnoAt(i));
    }
    LeafBits b = leafBits(f.keyLength, maxRecno);
    const std::size_t used = keyBytes + count * b.bytes;
    if (used > leafRoom)
        throw Error(ErrorKind::General, "index leaf node overfilled");
    putLe(page + 12, leafRoom - used, 2);
    putLe(page + 14, b.recno >= 32 ? 0xFFFFFFFFu : (1u << b.recno) - 1, 4);
    page[18] = static_cast<std::uint8_t>((1u << b.dup) - 1);
    page[19] = static_cast<std::uint8_t>((1u << b.trail) - 1);
    page[20] = static_cast<std::uint8_t>(b.recno);
    page[21] = static_cast<std::uint8_t>(b.dup);
    page[22] = static_cast<std::uint8_t>(b.trail);
    page[23] = static_cast<std::uint8_t>(b.bytes);
    std::size_t keyEnd = nodeSize;
    std::uint8_t* info = page + 24;
    for (std::size_t i = 0; i < count; ++i) {
        const Compression& c = compression[i];
        std::uint64_t packed = recnoAt(i) | (std::uint64_t(c.dup) << b.recno) |
                               (std::uint64_t(c.trail) << (b.recno + b.dup));
        putLe(info, packed, b.bytes);
        info += b.bytes;
        std::size_t stored = f.keyLength - c.dup - c.trail;
        keyEnd -= stored;
        std::memcpy(page + keyEnd, keyAt(i) + c.dup, stored);
    }
}

void encodeHead(bool leaf, bool root, std::size_t count, std::uint32_t left, std::uint32_t right,
                std::uint8_t* page) {
    std::memset(page, 0, nodeSize);
    putLe(page, (leaf ? leafFlag : 0) | (root ? rootFlag : 0), 2);
    putLe(page + 2, count, 2);
    putLe(page + 4, left, 4);
    putLe(page + 8, right, 4);
}

} // namespace

std::size_t interiorCapacity(std::size_t keyLength) noexcept {
    return interiorRoom / (keyLength + 8);
}

std::size_t leafKeyBytes(const IndexEntry* previous, const IndexEntry& entry,
                         const NodeFormat& format) {
    Compression c = compress(previous ? previous->key.data() : nullptr, entry.key.data(), format);
    return format.keyLength - c.dup - c.trail;
}

std::size_t leafInfoBytes(std::size_t keyLength, std::uint32_t maxRecno) {
    return leafBits(keyLength, maxRecno).bytes;
}

std::size_t leafBytes(const IndexEntry* first, const IndexEntry* last, const NodeFormat& format) {
    std::uint32_t maxRecno = 0;
    std::size_t keyBytes = 0;
    for (const IndexEntry* e = first; e != last; ++e) {
        maxRecno = std::max(maxRecno, e->recno);
        keyBytes += leafKeyBytes(e == first ? nullptr : e - 1, *e, format);
    }
    return keyBytes +
           static_cast<std::size_t>(last - first) * leafInfoBytes(format.keyLength, maxRecno);
}

bool leafFits(const IndexEntry* first, const IndexEntry* last, const NodeFormat& format) {
    return leafBytes(first, last, format) <= leafRoom;
}

void encodeNode(const IndexNode& node, const NodeFormat& f, std::uint8_t* page) {
    encodeHead(node.leaf, node.root, node.entries.size(), node.left, node.right, page);
    if (!node.leaf) {
        if (node.entries.size() > interiorCapacity(f.keyLength))
            throw Error(ErrorKind::General, "index interior node overfilled");
        std::uint8_t* p = page + 12;
        for (const IndexEntry& e : node.entries) {
            std::memcpy(p, e.key.data(), f.keyLength);
            putBe(p + f.keyLength, e.recno);
            putBe(p + f.keyLength + 4, e.child);
            p += f.keyLength + 8;
        }
        return;
    }
    const IndexEntry* entries = node.entries.data();
    auto keyAt = [&](std::size_t i) { return entries[i].key.data(); };
    encodeLeafEntries(
        keyAt, [&](std::size_t i) { return entries[i].recno; },
        [&](std::size_t i) { return compress(i ? keyAt(i - 1) : nullptr, keyAt(i), f); },
        node.entries.size(), f, page);
}

std::vector<KeyCompression> compressKeys(const char* keys, std::size_t count, const NodeFormat& f) {
    std::vector<KeyCompression> out(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char* key = keys + i * f.keyLength;
        Compression c = compress(i ? key - f.keyLength : nullptr, key, f);
        out[i] = {static_cast<std::uint8_t>(c.dup), static_cast<std::uint8_t>(c.trail)};
    }
    return out;
}

void encodeLeaf(const char* keys, const std::uint32_t* recnos, const KeyCompression* compression,
                std::size_t count, bool root, std::uint32_t left, std::uint32_t right,
                const NodeFormat& f, std::uint8_t* page) {
    encodeHead(true, root, count, left, right, page);
    encodeLeafEntries(
        [&](std::size_t i) { return keys + i * f.keyLength; },
        [&](std::size_t i) { return recnos[i]; },
        [&](std::size_t i) {
            // The first key of a leaf shares nothing with the key before it.
            return Compression{i ? compression[i].dup : std::size_t(0), compression[i].trail};
        },
        count, f, page);
}

std::vector<std::size_t> packLeaves(const std::uint32_t* recnos, const KeyCompression* compression,
                                    std::size_t count, const NodeFormat& f, std::size_t room) {
    std::vector<std::size_t> starts;
    std::size_t keyBytes = 0, inLeaf = 0, info = 0;
    std::uint32_t maxRecno = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const KeyCompression c = compression[i];
        std::size_t kb = f.keyLength - (inLeaf ? c.dup : 0) - c.trail;
        std::size_t infoHere = recnos[i] > maxRecno ? leafInfoBytes(f.keyLength, recnos[i]) : info;
        if (inLeaf > 0 && keyBytes + kb + (inLeaf + 1) * infoHere > room) {
            kb = f.keyLength - c.trail; // the first key of a leaf shares nothing
            keyBytes = inLeaf = 0;
            maxRecno = 0;
            infoHere = leafInfoBytes(f.keyLength, recnos[i]);
        }
        if (inLeaf == 0)
            starts.push_back(i);
        keyBytes += kb;
        maxRecno = std::max(maxRecno, recnos[i]);
        info = infoHere;
        ++inLeaf;
    }
    return starts;
}

void linkNode(std::uint8_t* page, bool root, std::uint32_t left, std::uint32_t right) {
    std::uint32_t attributes = getLe(page, 2);
    putLe(page, root ? (attributes | rootFlag) : (attributes & ~std::uint32_t(rootFlag)), 2);
    putLe(page + 4, left, 4);
    putLe(page + 8, right, 4);
}

IndexNode decodeNode(const std::uint8_t* page, const NodeFormat& f, std::uint64_t fileSize,
                     std::uint32_t offset) {
    IndexNode node;
    std::uint32_t attributes = getLe(page, 2);
    if (attributes > (rootFlag | leafFlag))
        corrupt(offset, "unknown node type " + std::to_string(attributes));
    node.leaf = attributes & leafFlag;
    node.root = attributes & rootFlag;
    std::size_t count = getLe(page + 2, 2);
    auto neighbour = [&](std::uint32_t v) {
        if (v == 0 || v == noNode)
            return noNode;
        if (v < nodeSize || std::uint64_t(v) + nodeSize > fileSize)
            corrupt(offset, "neighbour offset " + std::to_string(v) + " lies outside the file");
        return v;
    };
    node.left = neighbour(getLe(page + 4, 4));
    node.right = neighbour(getLe(page + 8, 4));
    node.entries.resize(count);
    if (!node.leaf) {
        if (count > interiorCapacity(f.keyLength))
            corrupt(offset, "too many keys for the key length");
        const std::uint8_t* p = page + 12;
        for (IndexEntry& e : node.entries) {
            e.key.assign(reinterpret_cast<const char*>(p), f.keyLength);
            e.recno = getBe(p + f.keyLength);
            e.child = getBe(p + f.keyLength + 4);
            if (e.child < nodeSize || std::uint64_t(e.child) + nodeSize > fileSize)
                corrupt(offset,
                        "child offset " + std::to_string(e.child) + " lies outside the file");
            p += f.keyLength + 8;
        }
        return node;
    }
    LeafBits b{page[20], page[21], page[22], page[23]};
    if (b.bytes == 0 || b.bytes > 8 || b.recno == 0 || b.recno > 32 || b.dup > 16 || b.trail > 16 ||
        b.recno + b.dup + b.trail > b.bytes * 8 || (1ull << b.dup) <= f.keyLength ||
        (1ull << b.trail) <= f.keyLength)
        corrupt(offset,
                "leaf field widths do not match the key length " + std::to_string(f.keyLength));
    if (count * b.bytes > leafRoom)
        corrupt(offset, "too many keys for the node");
    const std::uint8_t* info = page + 24;
    std::size_t keyEnd = nodeSize;
    const std::size_t keyFloor = 24 + count * b.bytes;
    for (std::size_t i = 0; i < count; ++i, info += b.bytes) {
        std::uint64_t packed = 0;
        for (std::size_t j = b.bytes; j-- > 0;)
            packed = (packed << 8) | info[j];
        std::uint64_t recno = packed & ((1ull << b.recno) - 1);
        std::size_t dup = (packed >> b.recno) & ((1u << b.dup) - 1);
        std::size_t trail = (packed >> (b.recno + b.dup)) & ((1u << b.trail) - 1);
        if (dup + trail > f.keyLength || (i == 0 && dup != 0))
            corrupt(offset, "key compression counts exceed the key length");
        std::size_t stored = f.keyLength - dup - trail;
        if (keyEnd < keyFloor + stored)
            corrupt(offset, "key bytes overlap the entry table");
        keyEnd -= stored;
        IndexEntry& e = node.entries[i];
        e.recno = static_cast<std::uint32_t>(recno);
        if (e.recno == 0)
            corrupt(offset, "record number 0");
        e.key.reserve(f.keyLength);
        if (dup)
            e.key.assign(node.entries[i - 1].key, 0, dup);
        e.key.append(reinterpret_cast<const char*>(page + keyEnd), stored);
        e.key.append(trail, static_cast<char>(f.trail));
    }
    return node;
}

} // namespace xbase
