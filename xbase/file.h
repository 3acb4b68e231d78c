#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace xbase {

/// How a file is shared with other openers (whole-file advisory lock).
enum class FileLock { None, Shared, Exclusive };

/// A POSIX file opened for positioned reads and writes. Every failure throws
/// xbase::Error naming the file. Locks are taken at open and refused at once
/// (ErrorKind::Locked) when another opener holds a conflicting one, in this
/// process or another.
class File {
public:
    File() = default;
    File(const std::filesystem::path& path, bool writable, bool create, FileLock lock);
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    ~File();

    bool isOpen() const noexcept { return fd_ >= 0; }
    int fd() const noexcept { return fd_; }
    const std::filesystem::path& path() const noexcept { return path_; }
    bool writable() const noexcept { return writable_; }

    std::uint64_t size() const;
    /// Reads exactly n bytes at offset; a short read is an ErrorKind::Corrupt error.
    void readAt(std::uint64_t offset, void* buffer, std::size_t n) const;
    /// Reads up to n bytes; answers how many were read.
    std::size_t readSomeAt(std::uint64_t offset, void* buffer, std::size_t n) const;
    void writeAt(std::uint64_t offset, const void* buffer, std::size_t n);
    /// Fills `n` bytes at offset with blanks and answers whether it could; for writes
    /// that only prepare room, whose failure a later write would report.
    bool tryFillBlanks(std::uint64_t offset, std::size_t n) noexcept;
    void truncate(std::uint64_t size);
    /// Makes sure the disk holds space up to `size` (the file grows to at least it).
    void allocate(std::uint64_t size);
    void sync();
    void close() noexcept;
    /// Gives the file another name (replacing a file of that name); the open file, its
    /// lock and its contents stay.
    void rename(const std::filesystem::path& to);

    /// Serialises writers of a shared file over a byte range (waits for it).
    void lockRange(std::uint64_t offset, std::uint64_t length);
    void unlockRange(std::uint64_t offset, std::uint64_t length) noexcept;

private:
    [[noreturn]] void fail(const std::string& what) const;
    int fd_ = -1;
    bool writable_ = false;
    std::filesystem::path path_;
};

/// Holds File::lockRange for a scope when `active`.
class RangeLock {
public:
    RangeLock(File& file, std::uint64_t offset, std::uint64_t length, bool active)
        : file_(active ? &file : nullptr), offset_(offset), length_(length) {
        if (file_)
            file_->lockRange(offset_, length_);
    }
    RangeLock(const RangeLock&) = delete;
    RangeLock& operator=(const RangeLock&) = delete;
    ~RangeLock() {
        if (file_)
            file_->unlockRange(offset_, length_);
    }

private:
    File* file_;
    std::uint64_t offset_, length_;
};

/// The file in `path`'s folder whose name matches `path`'s name ignoring letter
/// case; `path` itself when none does.
std::filesystem::path findIgnoringCase(const std::filesystem::path& path);

/// Pushes a folder's entries (names made, renamed or removed in it) to the disk.
void syncFolder(const std::filesystem::path& folder);

/// Write-failure injection for tests: the Nth write or allocation from now fails
/// as a full disk would (0 switches it off).
namespace testing {
void failNthWrite(int n) noexcept;
}

} // namespace xbase
