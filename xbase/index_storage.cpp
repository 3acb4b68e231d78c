#include "xbase/index_storage.h"

#include "xbase/error.h"

#include <algorithm>
#include <cstring>

namespace xbase {

namespace {

[[noreturn]] void pastEnd(const IndexStorage& storage, std::uint64_t offset) {
    throw Error(ErrorKind::Corrupt, storage.name() + ": index read at offset " +
                                        std::to_string(offset) + " is past the end of the file");
}

constexpr std::uint64_t mapHeadroom = 8u << 20;

} // namespace

void MemoryIndexStorage::read(std::uint64_t offset, void* buffer, std::size_t n) const {
    if (offset > bytes_.size() || n > bytes_.size() - offset)
        pastEnd(*this, offset);
    std::memcpy(buffer, bytes_.data() + offset, n);
}

void MemoryIndexStorage::write(std::uint64_t offset, const void* buffer, std::size_t n) {
    if (offset + n > bytes_.size())
        bytes_.resize(offset + n);
    std::memcpy(bytes_.data() + offset, buffer, n);
}

FileIndexStorage::FileIndexStorage(File file) : file_(std::move(file)), size_(file_.size()) {}

// The mapping reaches somewhat past the end, so that a growing file is not mapped again
// for every node added; only bytes inside the file are ever read from it.
bool FileIndexStorage::mapFor(std::uint64_t end) const {
    if (end <= map_.length())
        return true;
    if (!mappable_)
        return false;
    try {
        map_.map(file_, std::max(size_ + size_ / 4, size_ + mapHeadroom), false);
    } catch (const Error&) {
        mappable_ = false;
        map_.unmap();
    }
    return mappable_;
}

void FileIndexStorage::read(std::uint64_t offset, void* buffer, std::size_t n) const {
    if (offset > size_ || n > size_ - offset)
        pastEnd(*this, offset);
    if (mapFor(offset + n))
        std::memcpy(buffer, map_.data() + offset, n);
    else
        file_.readAt(offset, buffer, n);
}

void FileIndexStorage::write(std::uint64_t offset, const void* buffer, std::size_t n) {
    file_.writeAt(offset, buffer, n);
    if (offset + n > size_)
        size_ = offset + n;
}

void FileIndexStorage::truncate(std::uint64_t size) {
    if (size < size_)
        map_.unmap(); // pages past the new end may not be touched again
    file_.truncate(size);
    size_ = size;
}

} // namespace xbase
