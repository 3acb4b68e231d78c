#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

/// The keys of one order held end to end, each of the key length, with their record
/// numbers: what a build collects, sorts and writes without one allocation per key.
/// Its memory is kept when it is emptied, so one block serves build after build.
class KeyBlock {
public:
    explicit KeyBlock(std::size_t keyLength = 0) : keyLength_(keyLength) {}

    std::size_t keyLength() const noexcept { return keyLength_; }
    std::size_t size() const noexcept { return recnos_.size(); }
    bool empty() const noexcept { return recnos_.empty(); }
    /// Empties the block for keys of another length, keeping its memory.
    void reset(std::size_t keyLength);
    void reserve(std::size_t count);

    /// Room for one more key of key length, blank until the caller fills it.
    char* push(std::uint32_t recno);
    /// Adds a key of exactly the key length.
    void push(std::string_view key, std::uint32_t recno);
    /// Makes the block `count` keys long; new keys are left unset (record number 0), to be
    /// filled in place (by several threads, each in its own range) before they are read.
    void resize(std::size_t count);
    char* keySlot(std::size_t i) noexcept { return bytes_.data() + i * keyLength_; }
    void setRecno(std::size_t i, std::uint32_t recno) noexcept { recnos_[i] = recno; }
    /// Drops the keys from `from` up to `to`, moving the later ones down.
    void erase(std::size_t from, std::size_t to);

    const char* keyData(std::size_t i) const noexcept { return bytes_.data() + i * keyLength_; }
    std::string_view key(std::size_t i) const noexcept { return {keyData(i), keyLength_}; }
    std::uint32_t recno(std::size_t i) const noexcept { return recnos_[i]; }
    const std::uint32_t* recnoData() const noexcept { return recnos_.data(); }

    /// Puts the keys in tree order (bytes ascending, equal keys by ascending record
    /// number) and drops repeated entries of the same key and record. A large block is
    /// sorted by two threads.
    void sort();
    /// Keeps only the first entry of each key (a sorted block of a unique order).
    void keepFirstOfEachKey();

private:
    // What the sort moves: the first eight key bytes as a number (so most comparisons
    // never touch the keys), the record number and where the key lies in the block.
    struct SortItem {
        std::uint64_t prefix;
        std::uint32_t recno;
        std::uint32_t index;
    };

    // Bytes that grow without being cleared first: a build writes every key it keeps, and
    // clearing a block of millions of keys would cost as much as a pass of the sort.
    class Bytes {
    public:
        char* data() noexcept { return data_.get(); }
        const char* data() const noexcept { return data_.get(); }
        std::size_t size() const noexcept { return size_; }
        void resize(std::size_t size);
        void reserve(std::size_t capacity);
        void clear() noexcept { size_ = 0; }
        void swap(Bytes& other) noexcept;

    private:
        std::unique_ptr<char[]> data_;
        std::size_t size_ = 0, capacity_ = 0;
    };

    std::size_t keyLength_;
    Bytes bytes_;
    std::vector<std::uint32_t> recnos_;
    // Working memory of sort(), kept for the next one.
    Bytes sortedBytes_;
    std::vector<std::uint32_t> sortedRecnos_;
    std::vector<SortItem> loose_, items_;
};

} // namespace xbase
