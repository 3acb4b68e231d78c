#pragma once

#include "xbase/index_node.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace xbase {

/// Decoded nodes of one index order by file offset, at most `limit` of them. An open
/// table of slots (one memory access finds a node, where a chained map needs two);
/// a full cache gives up one node for each new one.
class NodeCache {
public:
    explicit NodeCache(std::size_t limit);

    /// The node at `offset`, or null.
    const std::shared_ptr<const IndexNode>* find(std::uint32_t offset) const noexcept;
    /// Adds or replaces a node; when full, first gives up another one (never `keep`).
    void put(std::uint32_t offset, std::shared_ptr<const IndexNode> node, std::uint32_t keep);
    void erase(std::uint32_t offset) noexcept;
    void clear() noexcept;
    std::size_t size() const noexcept { return count_; }

private:
    struct Slot {
        std::uint32_t offset = 0; // 0: empty (a node never lies at the start of the file)
        std::shared_ptr<const IndexNode> node;
    };
    std::size_t home(std::uint32_t offset) const noexcept;
    std::size_t slotOf(std::uint32_t offset) const noexcept;
    void removeAt(std::size_t i) noexcept;
    void evictOne(std::uint32_t keep) noexcept;
    void grow();

    std::size_t limit_;
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
    std::size_t hand_ = 0;
    std::uint32_t newest_ = 0;
    unsigned bits_ = 0;
};

} // namespace xbase
