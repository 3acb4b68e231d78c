#include "xbase/mapping.h"

#include "xbase/error.h"

#include <cerrno>
#include <cstring>
#include <sys/mman.h>

#include <algorithm>
#include <unistd.h>
#include <utility>

namespace xbase {

Mapping::Mapping(Mapping&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), length_(std::exchange(other.length_, 0)) {}

Mapping& Mapping::operator=(Mapping&& other) noexcept {
    if (this != &other) {
        unmap();
        data_ = std::exchange(other.data_, nullptr);
        length_ = std::exchange(other.length_, 0);
    }
    return *this;
}

Mapping::~Mapping() {
    unmap();
}

void Mapping::map(const File& file, std::uint64_t length, bool writable) {
    unmap();
    if (length == 0)
        return;
    int prot = PROT_READ | (writable ? PROT_WRITE : 0);
    void* p = ::mmap(nullptr, std::size_t(length), prot, MAP_SHARED, file.fd(), 0);
    if (p == MAP_FAILED)
        throw Error(ErrorKind::Io,
                    file.path().string() + ": cannot map the file: " + std::strerror(errno));
    data_ = static_cast<char*>(p);
    length_ = length;
}

void Mapping::unmap() noexcept {
    if (data_)
        ::munmap(data_, std::size_t(length_));
    data_ = nullptr;
    length_ = 0;
}

void Mapping::sync(const File& file) const {
    if (data_ && ::msync(data_, std::size_t(length_), MS_SYNC) != 0)
        throw Error(ErrorKind::Io,
                    file.path().string() + ": cannot flush the file: " + std::strerror(errno));
}

namespace {
constexpr std::uint64_t mapHeadroom = 8u << 20;
} // namespace

void MappedReads::read(const File& file, std::uint64_t fileSize, std::uint64_t offset, void* buffer,
                       std::size_t n) const {
    const std::uint64_t end = offset + n;
    if (end > map_.length() && mappable_) {
        try {
            map_.map(file, std::max(fileSize + fileSize / 4, fileSize + mapHeadroom), false);
        } catch (const Error&) {
            mappable_ = false;
            map_.unmap();
        }
    }
    if (end <= map_.length())
        std::memcpy(buffer, map_.data() + offset, n);
    else
        file.readAt(offset, buffer, n);
}

} // namespace xbase
