#include "xbase/idx_file.h"

#include "xbase/error.h"

namespace xbase {

IdxFile::IdxFile(std::unique_ptr<IndexStorage> storage, const IndexHeader* header,
                 std::uint8_t trail)
    : storage_(std::move(storage)), space_(std::make_unique<IndexSpace>(*storage_)) {
    if (header) {
        storage_->truncate(0);
        IndexHeader h = *header;
        h.options = static_cast<std::uint8_t>(
            (h.options & ~(index_option::compound | index_option::tagList)) |
            index_option::compact);
        tree_ = std::make_unique<IndexTree>(IndexTree::create(*space_, 0, h, trail));
        return;
    }
    if (storage_->size() < indexHeaderSize + nodeSize)
        throw Error(ErrorKind::Corrupt, storage_->name() + ": too short for an index file");
    tree_ = std::make_unique<IndexTree>(*space_, 0, trail);
}

IdxFile IdxFile::open(const std::filesystem::path& path, bool writable) {
    File file(path, writable, false, writable ? FileLock::Exclusive : FileLock::Shared);
    return IdxFile(std::make_unique<FileIndexStorage>(std::move(file)));
}

IdxFile IdxFile::create(const std::filesystem::path& path, const IndexHeader& header,
                        std::uint8_t trail) {
    File file(path, true, true, FileLock::Exclusive);
    return IdxFile(std::make_unique<FileIndexStorage>(std::move(file)), &header, trail);
}

} // namespace xbase
