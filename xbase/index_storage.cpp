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

void FileIndexStorage::read(std::uint64_t offset, void* buffer, std::size_t n) const {
    if (offset > size_ || n > size_ - offset)
        pastEnd(*this, offset);
    reads_.read(file_, size_, offset, buffer, n);
}

void FileIndexStorage::write(std::uint64_t offset, const void* buffer, std::size_t n) {
    file_.writeAt(offset, buffer, n);
    if (offset + n > size_)
        size_ = offset + n;
}

void FileIndexStorage::truncate(std::uint64_t size) {
    if (size < size_)
        reads_.forget(); // pages past the new end may not be touched again
    file_.truncate(size);
    size_ = size;
}

} // namespace xbase
