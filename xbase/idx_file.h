#pragma once

#include "xbase/index_space.h"
#include "xbase/index_storage.h"
#include "xbase/index_tree.h"

#include <filesystem>
#include <memory>

namespace xbase {

/// A compact single-order index file: one 1024-byte header at the start, then nodes.
class IdxFile {
public:
    static IdxFile open(const std::filesystem::path& path, bool writable);
    /// Creates an empty order (an existing file is replaced).
    static IdxFile create(const std::filesystem::path& path, const IndexHeader& header,
                          std::uint8_t trail);
    /// Over any storage; with a header given the storage is made a new, empty file.
    explicit IdxFile(std::unique_ptr<IndexStorage> storage, const IndexHeader* header = nullptr,
                     std::uint8_t trail = ' ');

    IdxFile(IdxFile&&) noexcept = default;
    IdxFile& operator=(IdxFile&&) noexcept = default;

    IndexTree& tree() noexcept { return *tree_; }
    const IndexTree& tree() const noexcept { return *tree_; }
    IndexStorage& storage() const noexcept { return *storage_; }
    void validate() const { tree_->validate(); }
    void flush() { storage_->flush(); }

private:
    std::unique_ptr<IndexStorage> storage_;
    std::unique_ptr<IndexSpace> space_;
    std::unique_ptr<IndexTree> tree_;
};

} // namespace xbase
