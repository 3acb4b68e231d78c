#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace xbase {

/// Compact index nodes (CDX tags and compact IDX files): 512 bytes, a 12-byte
/// head (attributes, key count, left and right neighbours), then either interior
/// entries (key, big-endian record number, big-endian child offset) or leaf
/// entries (packed record number / duplicate count / trailing count, with the
/// key bytes left after compression stored from the node's end downwards).
inline constexpr std::size_t nodeSize = 512;
inline constexpr std::size_t maxKeyLength = 240;
/// Neighbour offset meaning "none".
inline constexpr std::uint32_t noNode = 0xFFFFFFFFu;

struct IndexEntry {
    std::string key;
    std::uint32_t recno = 0;
    std::uint32_t child = 0; // interior nodes only
};

struct IndexNode {
    bool leaf = true;
    bool root = false;
    std::uint32_t left = noNode;
    std::uint32_t right = noNode;
    std::vector<IndexEntry> entries;
};

struct NodeFormat {
    std::size_t keyLength = 0;
    std::uint8_t trail = ' '; // the byte trailing compression drops
};

/// Reads a node, checking everything the format allows to check; offsets must lie
/// inside a file of `fileSize` bytes. Damage throws Error(ErrorKind::Corrupt).
IndexNode decodeNode(const std::uint8_t* page, const NodeFormat& format, std::uint64_t fileSize,
                     std::uint32_t offset);
/// Key bytes an entry stores in a leaf after the previous entry (null: the first).
std::size_t leafKeyBytes(const IndexEntry* previous, const IndexEntry& entry,
                         const NodeFormat& format);
/// Bytes of the packed part of each leaf entry when the largest record number is `maxRecno`.
std::size_t leafInfoBytes(std::size_t keyLength, std::uint32_t maxRecno);
/// Whether these entries fit one leaf node.
bool leafFits(const IndexEntry* first, const IndexEntry* last, const NodeFormat& format);
/// Bytes a run of entries takes in a leaf (packed fields plus stored key bytes).
std::size_t leafBytes(const IndexEntry* first, const IndexEntry* last, const NodeFormat& format);
/// Room for keys in a leaf node.
inline constexpr std::size_t leafRoom = nodeSize - 24;
/// How many entries an interior node holds.
std::size_t interiorCapacity(std::size_t keyLength) noexcept;
/// Writes a node; entries that do not fit throw (a program error, not damage).
void encodeNode(const IndexNode& node, const NodeFormat& format, std::uint8_t* page);
/// How a key of a run of sorted keys is stored in a leaf: the bytes it shares with the key
/// before it in the run and its trailing bytes (key lengths are at most 240).
struct KeyCompression {
    std::uint8_t dup = 0, trail = 0;
};
/// The compression of each of `count` keys of key length held end to end, worked out once
/// for packing and writing leaves.
std::vector<KeyCompression> compressKeys(const char* keys, std::size_t count,
                                         const NodeFormat& format);
/// Writes a leaf straight from `count` keys of key length held end to end.
void encodeLeaf(const char* keys, const std::uint32_t* recnos, const KeyCompression* compression,
                std::size_t count, bool root, std::uint32_t left, std::uint32_t right,
                const NodeFormat& format, std::uint8_t* page);
/// Sets the root flag and the neighbours of an encoded node.
void linkNode(std::uint8_t* page, bool root, std::uint32_t left, std::uint32_t right);
/// Where each leaf starts when sorted keys fill leaves up to `room` bytes.
std::vector<std::size_t> packLeaves(const std::uint32_t* recnos, const KeyCompression* compression,
                                    std::size_t count, const NodeFormat& format, std::size_t room);

} // namespace xbase
