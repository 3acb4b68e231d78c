#pragma once

#include "xbase/index_header.h"
#include "xbase/index_node.h"
#include "xbase/index_space.h"
#include "xbase/key_block.h"
#include "xbase/node_cache.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

/// One index order stored as a B+ tree of compact nodes behind a 1024-byte header:
/// a CDX tag, the CDX tag list, or the single order of an IDX file. Entries are
/// (key, record number) pairs kept in ascending key order, equal keys by ascending
/// record number, whatever the header's direction: a descending tag is the same tree
/// read from its end, as other engines keep it. Interior entries carry the last entry of
/// their child. Damage met while reading throws Error(ErrorKind::Corrupt).
class IndexTree {
public:
    /// Opens the order whose header is at `headerOffset`.
    IndexTree(IndexSpace& space, std::uint32_t headerOffset, std::uint8_t trail = ' ');
    /// Writes a new header with an empty root leaf at `headerOffset`.
    static IndexTree create(IndexSpace& space, std::uint32_t headerOffset, IndexHeader header,
                            std::uint8_t trail);

    const IndexHeader& header() const noexcept { return header_; }
    std::uint32_t headerOffset() const noexcept { return headerOffset_; }
    std::size_t keyLength() const noexcept { return format_.keyLength; }
    bool descending() const noexcept { return header_.descending; }
    std::uint8_t trail() const noexcept { return format_.trail; }
    /// The byte trailing compression drops; it follows from the key expression's type.
    void setTrail(std::uint8_t trail);
    /// Grows with every change, so cursors know to find their place again.
    std::uint64_t changes() const noexcept { return changes_; }

    /// Tree order of two keys: their bytes over the shorter length (a shorter key
    /// compares as a prefix), never reversed by the direction.
    int compareKeys(std::string_view a, std::string_view b) const noexcept;
    /// `key` cut or padded with the trail byte to the key length.
    std::string normalise(std::string_view key) const;

    /// Replaces the contents by these entries (sorted here), packing nodes to about
    /// `fillPercent` of their room.
    void build(std::vector<IndexEntry> entries, int fillPercent = 100);
    /// The same from keys already in tree order (KeyBlock::sort) and of key length.
    void buildSorted(const KeyBlock& keys, int fillPercent = 100);
    /// Adds an entry; an entry already present is left alone.
    void insert(std::string_view key, std::uint32_t recno);
    /// Removes an entry; false when it is not there.
    bool erase(std::string_view key, std::uint32_t recno);
    /// Empties the order, releasing its nodes.
    void clear();
    /// Releases every node and the header itself (dropping a tag).
    void release();

    /// Walks the whole tree and answers the number of entries; damage (bad node type,
    /// key length mismatch, offsets outside the file, a node reached twice, keys out
    /// of order, a broken neighbour chain) throws Error(ErrorKind::Corrupt).
    std::size_t validate() const;

    /// The decoded node at `offset` (cached).
    std::shared_ptr<const IndexNode> node(std::uint32_t offset) const;

    struct Position {
        std::uint32_t leaf = 0; // 0: past the end
        std::size_t index = 0;
    };
    /// The first entry not before (key, recno) in tree order. A key shorter than the
    /// key length compares as a prefix (record number then ignored).
    Position lowerBound(std::string_view key, std::uint32_t recno) const;
    /// The first entry whose key comes after `key` (a shorter key as a prefix, so every
    /// key beginning with it is passed over).
    Position upperBound(std::string_view key) const;
    Position first() const;
    Position last() const;
    /// Neighbour positions; past either end leaf is 0. Guarded against chains that loop.
    Position next(Position at) const;
    Position previous(Position at) const;
    const IndexEntry& entry(Position at) const;

private:
    struct Step {
        std::uint32_t offset;
        std::size_t index;
    };
    int compareEntry(const IndexEntry& e, std::string_view key, std::uint32_t recno) const noexcept;
    std::uint32_t descend(std::string_view key, std::uint32_t recno, std::vector<Step>* path,
                          std::size_t* index) const;
    /// The leaf and index of the first entry for which `before` is false.
    template <typename Before>
    std::uint32_t descendTo(const Before& before, std::vector<Step>* path,
                            std::size_t* index) const;
    /// The position at `index` of `leaf`, or the first entry further right.
    Position positionFrom(std::uint32_t leaf, std::size_t index) const;
    void write(std::uint32_t offset, IndexNode node, bool keep = true);
    void patchNeighbour(std::uint32_t offset, bool leftField, std::uint32_t value);
    void setRoot(std::uint32_t root);
    void rewriteUpwards(std::vector<Step> path, std::uint32_t offset, IndexNode node);
    void collapseRoot();
    std::vector<IndexNode> layout(IndexNode node) const;
    std::vector<std::uint32_t> nodeOffsets() const;
    [[noreturn]] void corrupt(const std::string& what) const;

    IndexSpace* space_;
    std::uint32_t headerOffset_;
    IndexHeader header_;
    NodeFormat format_;
    std::uint64_t changes_ = 0;
    // Decoded nodes kept per order.
    static constexpr std::size_t cacheLimit = 16384;
    const std::shared_ptr<const IndexNode>& nodeHandle(std::uint32_t offset) const;
    /// The cached node, valid until the next node is fetched or written.
    const IndexNode& nodeRef(std::uint32_t offset) const;
    mutable NodeCache cache_{cacheLimit};
};

/// A place in an IndexTree that survives changes to the tree: after one it finds
/// its entry (or where it was) again before moving.
class IndexCursor {
public:
    explicit IndexCursor(const IndexTree& tree) : tree_(&tree) {}

    bool first();
    bool last();
    bool next();
    bool previous();
    /// Goes to the first entry not before (key, recno); false when past the end.
    bool seek(std::string_view key, std::uint32_t recno = 0);
    /// Goes to the first entry whose key comes after `key` (as a prefix); false when
    /// past the end.
    bool seekAfter(std::string_view key);
    bool valid() const noexcept { return valid_; }
    const std::string& key() const noexcept { return key_; }
    std::uint32_t recno() const noexcept { return recno_; }
    void reset() noexcept { valid_ = false; }

private:
    bool land(IndexTree::Position at);
    void refind();
    const IndexTree* tree_;
    IndexTree::Position at_;
    std::shared_ptr<const IndexNode> node_; // the leaf of at_, while the tree is unchanged
    std::uint64_t changes_ = 0;
    bool valid_ = false;
    std::string key_;
    std::uint32_t recno_ = 0;
};

} // namespace xbase
