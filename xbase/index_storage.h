#pragma once

#include "xbase/file.h"
#include "xbase/mapping.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace xbase {

/// The bytes of one index file: on disk for real use, in memory for checks of
/// untrusted data. Reads past the end throw ErrorKind::Corrupt.
class IndexStorage {
public:
    virtual ~IndexStorage() = default;
    virtual std::uint64_t size() const = 0;
    virtual void read(std::uint64_t offset, void* buffer, std::size_t n) const = 0;
    virtual void write(std::uint64_t offset, const void* buffer, std::size_t n) = 0;
    virtual void truncate(std::uint64_t size) = 0;
    virtual void flush() {}
    virtual std::string name() const = 0;
};

class MemoryIndexStorage : public IndexStorage {
public:
    MemoryIndexStorage() = default;
    explicit MemoryIndexStorage(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    void read(std::uint64_t offset, void* buffer, std::size_t n) const override;
    void write(std::uint64_t offset, const void* buffer, std::size_t n) override;
    void truncate(std::uint64_t size) override { bytes_.resize(size); }
    std::string name() const override { return "(memory)"; }
    const std::vector<std::uint8_t>& bytes() const noexcept { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

/// An index file on disk. Reads come from a read-only mapping of the file (writes go
/// through the file, which the mapping shows at once); when the file cannot be mapped
/// they are plain reads.
class FileIndexStorage : public IndexStorage {
public:
    explicit FileIndexStorage(File file);
    std::uint64_t size() const override { return size_; }
    void read(std::uint64_t offset, void* buffer, std::size_t n) const override;
    void write(std::uint64_t offset, const void* buffer, std::size_t n) override;
    void truncate(std::uint64_t size) override;
    void flush() override { file_.sync(); }
    std::string name() const override { return file_.path().string(); }

private:
    File file_;
    std::uint64_t size_ = 0;
    MappedReads reads_;
};

} // namespace xbase
