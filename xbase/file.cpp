#include "xbase/file.h"

#include "xbase/error.h"
#include "xbase/text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace xbase {

namespace {

int writesUntilFailure = 0;

// True when the injected failure is due now.
bool injectedFailure() noexcept {
    if (writesUntilFailure <= 0)
        return false;
    if (--writesUntilFailure == 0) {
        errno = ENOSPC;
        return true;
    }
    return false;
}

} // namespace

namespace testing {
void failNthWrite(int n) noexcept {
    writesUntilFailure = n;
}
} // namespace testing

File::File(const std::filesystem::path& path, bool writable, bool create, FileLock lock)
    : writable_(writable), path_(path) {
    int flags = (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC | (create ? O_CREAT : 0);
    fd_ = ::open(path.c_str(), flags, 0644);
    if (fd_ < 0)
        fail("cannot open");
    if (lock != FileLock::None) {
        int how = (lock == FileLock::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
        while (::flock(fd_, how) != 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            ::close(fd_);
            fd_ = -1;
            if (err == EWOULDBLOCK)
                throw Error(ErrorKind::Locked,
                            path_.string() + ": the file is locked by another opener");
            errno = err;
            fail("cannot lock");
        }
    }
}

File::File(File&& other) noexcept
    : fd_(other.fd_), writable_(other.writable_), path_(std::move(other.path_)) {
    other.fd_ = -1;
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.fd_;
        writable_ = other.writable_;
        path_ = std::move(other.path_);
        other.fd_ = -1;
    }
    return *this;
}

File::~File() {
    close();
}

void File::close() noexcept {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void File::fail(const std::string& what) const {
    int err = errno;
    ErrorKind kind = ErrorKind::Io;
    throw Error(kind, path_.string() + ": " + what + ": " + std::strerror(err));
}

std::uint64_t File::size() const {
    struct stat st;
    if (::fstat(fd_, &st) != 0)
        fail("cannot read the file size");
    return std::uint64_t(st.st_size);
}

std::size_t File::readSomeAt(std::uint64_t offset, void* buffer, std::size_t n) const {
    std::size_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < n) {
        ssize_t r = ::pread(fd_, out + done, n - done, off_t(offset + done));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            fail("read failed");
        }
        if (r == 0)
            break;
        done += std::size_t(r);
    }
    return done;
}

void File::readAt(std::uint64_t offset, void* buffer, std::size_t n) const {
    if (readSomeAt(offset, buffer, n) != n)
        throw Error(ErrorKind::Corrupt, path_.string() + ": the file is truncated (" +
                                            std::to_string(n) + " bytes wanted at offset " +
                                            std::to_string(offset) + ")");
}

void File::writeAt(std::uint64_t offset, const void* buffer, std::size_t n) {
    if (injectedFailure())
        fail("write failed");
    std::size_t done = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (done < n) {
        ssize_t r = ::pwrite(fd_, in + done, n - done, off_t(offset + done));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            fail("write failed");
        }
        done += std::size_t(r);
    }
}

bool File::tryFillBlanks(std::uint64_t offset, std::size_t n) noexcept {
    static const std::string blanks(std::size_t(1) << 20, ' ');
    while (n > 0) {
        ssize_t r = ::pwrite(fd_, blanks.data(), std::min(n, blanks.size()), off_t(offset));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        offset += std::uint64_t(r);
        n -= std::size_t(r);
    }
    return true;
}

void File::truncate(std::uint64_t size) {
    if (::ftruncate(fd_, off_t(size)) != 0)
        fail("cannot set the file size");
}

void File::allocate(std::uint64_t size) {
    if (injectedFailure())
        fail("cannot grow the file");
    std::uint64_t current = this->size();
    if (size <= current)
        return;
    int err = ::posix_fallocate(fd_, off_t(current), off_t(size - current));
    if (err == EOPNOTSUPP || err == EINVAL) {
        truncate(size); // file systems without preallocation
        return;
    }
    if (err != 0) {
        errno = err;
        fail("cannot grow the file");
    }
}

void File::sync() {
    if (::fdatasync(fd_) != 0)
        fail("cannot flush to disk");
}

void File::rename(const std::filesystem::path& to) {
    if (::rename(path_.c_str(), to.c_str()) != 0)
        fail("cannot be renamed to " + to.string());
    path_ = to;
}

void syncFolder(const std::filesystem::path& folder) {
    const std::filesystem::path where = folder.empty() ? "." : folder;
    const int fd = ::open(where.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw Error(ErrorKind::Io,
                    where.string() + ": cannot open the folder: " + std::strerror(errno));
    const int result = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    if (result != 0)
        throw Error(ErrorKind::Io,
                    where.string() + ": cannot flush the folder: " + std::strerror(err));
}

void File::lockRange(std::uint64_t offset, std::uint64_t length) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(offset);
    fl.l_len = off_t(length);
    while (::fcntl(fd_, F_SETLKW, &fl) != 0)
        if (errno != EINTR)
            fail("cannot lock the header");
}

void File::unlockRange(std::uint64_t offset, std::uint64_t length) noexcept {
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(offset);
    fl.l_len = off_t(length);
    ::fcntl(fd_, F_SETLK, &fl);
}

std::filesystem::path findIgnoringCase(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        return path;
    std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const std::string wanted = path.filename().string();
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (equalsIgnoreCase(entry.path().filename().string(), wanted))
            return entry.path();
    return path;
}

} // namespace xbase
