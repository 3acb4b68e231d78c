#pragma once

#include "xbase/index_storage.h"

#include <cstdint>
#include <unordered_set>

namespace xbase {

/// Hands out node-sized pieces of an index file: first from the chain of freed
/// nodes (its head is the file's first header at offset 4, the next link the
/// first four bytes of each freed node), then from the end of the file.
class IndexSpace {
public:
    explicit IndexSpace(IndexStorage& storage) : storage_(&storage) {}
    IndexStorage& storage() const noexcept { return *storage_; }

    std::uint32_t allocateNode();
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
