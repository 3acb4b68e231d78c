#include "xbase/memo_file.h"

#include "xbase/error.h"
#include "xbase/mapping.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace xbase {

namespace {

std::uint32_t readBe32(const unsigned char* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

void writeBe32(unsigned char* p, std::uint32_t v) {
    p[0] = (v >> 24) & 0xFF;
    p[1] = (v >> 16) & 0xFF;
    p[2] = (v >> 8) & 0xFF;
    p[3] = v & 0xFF;
}

constexpr std::size_t memoHeaderLength = 512;

Error corrupt(const File& f, const std::string& what) {
    return Error(ErrorKind::Corrupt, f.path().string() + ": damaged memo file: " + what);
}

// Where a memo's block starts, when the file as a whole is sound and the block lies in it
// with at least `head` bytes after its start.
std::uint64_t blockOffset(const File& f, const std::string& damage, std::uint32_t block,
                          std::uint32_t blockSize, std::uint64_t fileSize, std::uint64_t head) {
    if (!damage.empty())
        throw corrupt(f, damage);
    const std::uint64_t offset = std::uint64_t(block) * blockSize;
    if (offset < memoHeaderLength || offset + head > fileSize)
        throw corrupt(f, "memo block " + std::to_string(block) + " lies outside the file");
    return offset;
}

class Fpt final : public MemoFile {
public:
    // With `exclusive`, nobody else changes the file, so its size and next free block
    // are kept here instead of being read for every memo.
    Fpt(File file, bool exclusive) : file_(std::move(file)), exclusive_(exclusive) {
        unsigned char h[8];
        size_ = file_.size();
        if (size_ < memoHeaderLength) {
            damage_ = "shorter than its header";
            return;
        }
        file_.readAt(0, h, sizeof h);
        blockSize_ = std::uint32_t(h[6]) << 8 | h[7];
        if (blockSize_ == 0) {
            damage_ = "block size 0";
            blockSize_ = 64;
            return;
        }
        nextFree_ = readBe32(h);
        // The next-free pointer changes with every memo written: a store into the mapped
        // header reaches the system's cache as a write does, without a call for it. Shared
        // files keep to reads and writes, since another opener may change their size.
        if (file_.writable() && exclusive_)
            header_.map(file_, memoHeaderLength, true);
    }

    std::uint32_t blockSize() const noexcept override { return blockSize_; }
    const std::string& damage() const noexcept override { return damage_; }
    void flush() override {
        if (header_.data())
            header_.sync(file_);
        file_.sync();
    }
    void rename(const std::filesystem::path& to) override { file_.rename(to); }

    std::string read(std::uint32_t block) const override {
        if (block == 0)
            return {};
        const std::uint64_t size = fileSize();
        const std::uint64_t offset = blockOffset(file_, damage_, block, blockSize_, size, 8);
        unsigned char head[8];
        reads_.read(file_, size, offset, head, sizeof head);
        std::uint32_t length = readBe32(head + 4);
        if (offset + 8 + length > size)
            throw corrupt(file_, "memo at block " + std::to_string(block) + " runs past the end");
        std::string text(length, '\0');
        reads_.read(file_, size, offset + 8, text.data(), length);
        return text;
    }

    std::uint32_t write(std::string_view text, std::uint32_t oldBlock) override {
        if (!file_.writable())
            throw Error(ErrorKind::State, file_.path().string() + ": memo file is read-only");
        if (text.empty())
            return 0;
        if (!damage_.empty())
            throw corrupt(file_, damage_);
        if (text.size() > 0x7FFFFFF0u)
            throw Error(ErrorKind::Value, "memo text too long");
        std::uint64_t blocks = (8 + text.size() + blockSize_ - 1) / blockSize_;
        std::vector<unsigned char>& data = scratch_;
        data.assign(blocks * blockSize_, 0);
        writeBe32(data.data(), 1);
        writeBe32(data.data() + 4, std::uint32_t(text.size()));
        std::memcpy(data.data() + 8, text.data(), text.size());

        const bool shared = !exclusive_;
        RangeLock headerLock(file_, 0, 8, shared);

        if (oldBlock != 0 && oldBlockCount(oldBlock) >= blocks) {
            file_.writeAt(std::uint64_t(oldBlock) * blockSize_, data.data(), 8 + text.size());
            return oldBlock;
        }
        unsigned char h[4];
        if (shared) {
            file_.readAt(0, h, 4);
            nextFree_ = readBe32(h);
            size_ = file_.size();
        }
        std::uint64_t next = nextFree_;
        std::uint64_t firstFree = (memoHeaderLength + blockSize_ - 1) / blockSize_;
        // Never trust a next-free pointer that points into the header or past the end.
        std::uint64_t endBlock = (size_ + blockSize_ - 1) / blockSize_;
        next = std::max(next, firstFree);
        next = std::max(next, endBlock);
        if (next + blocks > 0xFFFFFFFFu)
            throw Error(ErrorKind::Value, file_.path().string() + ": memo file is full");
        // The text goes to disk before the header points past it.
        file_.writeAt(next * blockSize_, data.data(), data.size());
        size_ = std::max(size_, (next + blocks) * blockSize_);
        nextFree_ = next + blocks;
        if (header_.data()) {
            writeBe32(reinterpret_cast<unsigned char*>(header_.data()), std::uint32_t(nextFree_));
        } else {
            writeBe32(h, std::uint32_t(nextFree_));
            file_.writeAt(0, h, 4);
        }
        return std::uint32_t(next);
    }

    void reset() override {
        unsigned char h[memoHeaderLength] = {};
        writeBe32(h, std::uint32_t((memoHeaderLength + blockSize_ - 1) / blockSize_));
        h[6] = (blockSize_ >> 8) & 0xFF;
        h[7] = blockSize_ & 0xFF;
        reads_.forget();
        if (!damage_.empty()) {
            // Unmapped before the file may grow to its header's length.
            header_.unmap();
            file_.truncate(0);
        }
        file_.writeAt(0, h, sizeof h);
        file_.truncate(memoHeaderLength);
        size_ = memoHeaderLength;
        nextFree_ = readBe32(h);
        if (!damage_.empty() && file_.writable() && exclusive_)
            header_.map(file_, memoHeaderLength, true);
        damage_.clear();
    }

private:
    std::uint64_t fileSize() const { return exclusive_ ? size_ : file_.size(); }

    std::uint64_t oldBlockCount(std::uint32_t block) const {
        std::uint64_t offset = std::uint64_t(block) * blockSize_;
        if (offset < memoHeaderLength || offset + 8 > fileSize())
            return 0;
        unsigned char h[8];
        reads_.read(file_, fileSize(), offset, h, sizeof h);
        return (8 + std::uint64_t(readBe32(h + 4)) + blockSize_ - 1) / blockSize_;
    }

    File file_;
    Mapping header_; // the first bytes of a file open exclusively for writing
    MappedReads reads_;
    std::vector<unsigned char> scratch_;
    bool exclusive_;
    std::string damage_;
    std::uint32_t blockSize_ = 64;
    std::uint64_t size_ = 0;
    std::uint64_t nextFree_ = 0;
};

class Dbt final : public MemoFile {
public:
    explicit Dbt(File file) : file_(std::move(file)) {
        unsigned char h[22] = {};
        if (file_.size() < memoHeaderLength) {
            damage_ = "shorter than its header";
            return;
        }
        file_.readAt(0, h, sizeof h);
        blockSize_ = std::uint32_t(h[20]) | std::uint32_t(h[21]) << 8;
        if (blockSize_ == 0)
            blockSize_ = 512; // dBASE III leaves it empty
        if (blockSize_ < 64 || blockSize_ % 64 != 0) {
            damage_ = "block size " + std::to_string(blockSize_);
            blockSize_ = 512;
        }
    }

    std::uint32_t blockSize() const noexcept override { return blockSize_; }
    const std::string& damage() const noexcept override { return damage_; }
    void flush() override {}
    void rename(const std::filesystem::path& to) override { file_.rename(to); }

    std::string read(std::uint32_t block) const override {
        if (block == 0)
            return {};
        const std::uint64_t size = file_.size();
        std::uint64_t offset = blockOffset(file_, damage_, block, blockSize_, size, 1);
        unsigned char h[8] = {};
        std::size_t got = file_.readSomeAt(offset, h, sizeof h);
        if (got == 8 && h[0] == 0xFF && h[1] == 0xFF && h[2] == 0x08 && h[3] == 0x00) {
            std::uint32_t length = std::uint32_t(h[4]) | std::uint32_t(h[5]) << 8 |
                                   std::uint32_t(h[6]) << 16 | std::uint32_t(h[7]) << 24;
            if (length < 8 || offset + length > size)
                throw corrupt(file_,
                              "memo at block " + std::to_string(block) + " has a bad length");
            std::string text(length - 8, '\0');
            file_.readAt(offset + 8, text.data(), text.size());
            return text;
        }
        // dBASE III form: the text runs to the first 1Ah.
        std::string text;
        char chunk[4096];
        while (offset < size) {
            std::size_t n = file_.readSomeAt(offset, chunk, sizeof chunk);
            if (n == 0)
                break;
            const char* end = static_cast<const char*>(std::memchr(chunk, 0x1A, n));
            if (end) {
                text.append(chunk, std::size_t(end - chunk));
                return text;
            }
            text.append(chunk, n);
            offset += n;
        }
        throw corrupt(file_, "memo at block " + std::to_string(block) + " has no end mark");
    }

    std::uint32_t write(std::string_view, std::uint32_t) override {
        throw Error(ErrorKind::Unsupported,
                    file_.path().string() + ": dBASE memo files (DBT) are read only here");
    }
    void reset() override { write({}, 0); }

private:
    File file_;
    std::uint32_t blockSize_ = 512;
    std::string damage_;
};

} // namespace

std::unique_ptr<MemoFile> openFpt(const std::filesystem::path& path, bool writable, FileLock lock) {
    return std::make_unique<Fpt>(File(path, writable, false, lock), lock == FileLock::Exclusive);
}

void createFpt(const std::filesystem::path& path, std::uint32_t blockSize) {
    File f(path, true, true, FileLock::Exclusive);
    f.truncate(0);
    unsigned char h[memoHeaderLength] = {};
    writeBe32(h, std::uint32_t((memoHeaderLength + blockSize - 1) / blockSize));
    h[6] = (blockSize >> 8) & 0xFF;
    h[7] = blockSize & 0xFF;
    f.writeAt(0, h, sizeof h);
}

std::unique_ptr<MemoFile> openDbt(const std::filesystem::path& path, FileLock lock) {
    return std::make_unique<Dbt>(File(path, false, false, lock));
}

} // namespace xbase
