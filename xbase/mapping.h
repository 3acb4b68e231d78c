#pragma once

#include "xbase/file.h"

#include <cstddef>
#include <cstdint>

namespace xbase {

/// A shared memory mapping of the start of a file. Stores into a writable mapping
/// reach the operating system's cache at once, so they survive the process being
/// killed; remapping moves the data, so no pointer into it may be kept across calls.
class Mapping {
public:
    Mapping() = default;
    Mapping(const Mapping&) = delete;
    Mapping& operator=(const Mapping&) = delete;
    Mapping(Mapping&& other) noexcept;
    Mapping& operator=(Mapping&& other) noexcept;
    ~Mapping();

    /// Maps the first `length` bytes of the file. A mapping may reach past the end of the
    /// file, but bytes past the end must never be touched.
    void map(const File& file, std::uint64_t length, bool writable);
    void unmap() noexcept;
    /// Pushes the stores made through the mapping to the file's pages (the file's sync then
    /// takes them to the disk).
    void sync(const File& file) const;
    char* data() const noexcept { return data_; }
    std::uint64_t length() const noexcept { return length_; }

private:
    char* data_ = nullptr;
    std::uint64_t length_ = 0;
};

/// Reads a file through a read-only mapping that reaches somewhat past its end and is
/// made again as the file grows, so that reading many small pieces costs no system call
/// each; falls back to plain reads when the file cannot be mapped. Only bytes inside the
/// file are ever read from it, so the caller passes the file's size and must call
/// forget() before the file shrinks.
class MappedReads {
public:
    void read(const File& file, std::uint64_t fileSize, std::uint64_t offset, void* buffer,
              std::size_t n) const;
    void forget() noexcept { map_.unmap(); }

private:
    mutable Mapping map_;
    mutable bool mappable_ = true;
};

} // namespace xbase
