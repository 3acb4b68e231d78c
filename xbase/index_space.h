#pragma once

#include "xbase/index_storage.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

namespace xbase {

/// Hands out node-sized pieces of an index file: first from the chain of freed
/// nodes (its head is the file's first header at offset 4, the next link the
/// first four bytes of each freed node), then from the end of the file.
class IndexSpace {
public:
    explicit IndexSpace(IndexStorage& storage) : storage_(&storage) {}
    IndexStorage& storage() const noexcept { return *storage_; }

    std::uint32_t allocateNode();
    /// Many nodes at once (for a build): freed ones first, then one run at the end of
    /// the file, which grows by the run at once. The caller writes every node.
    std::vector<std::uint32_t> allocateNodes(std::size_t count);
    /// Writes whole nodes, `pages` holding one node per offset; neighbouring offsets
    /// go out in one write.
    void writeNodes(const std::vector<std::uint32_t>& offsets, const std::uint8_t* pages);
    /// A tag header (two nodes) at the end of the file.
    std::uint32_t allocateHeader();
    void releaseNode(std::uint32_t offset);

private:
    std::uint32_t end() const;
    IndexStorage* storage_;
    // Nodes handed out since opening; a free chain leading back to one is damaged.
    std::unordered_set<std::uint32_t> inUse_;
};

} // namespace xbase
