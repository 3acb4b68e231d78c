#pragma once

#include "xbase/file.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace xbase {

/// A memo file: texts kept in numbered blocks, referred to from memo fields.
class MemoFile {
public:
    virtual ~MemoFile() = default;
    /// The text starting at this block; block 0 is no memo.
    virtual std::string read(std::uint32_t block) const = 0;
    /// Stores a text and answers its block: in place of the old one when it fits
    /// there, else in new blocks at the end. Empty text answers 0.
    virtual std::uint32_t write(std::string_view text, std::uint32_t oldBlock) = 0;
    /// Forgets every memo (after a zap); a damaged header is written anew.
    virtual void reset() = 0;
    virtual std::uint32_t blockSize() const noexcept = 0;
    /// What is wrong with the file as a whole (a header cut short or unusable), empty when
    /// nothing is. Such a file still opens, so that the table's records stay readable; every
    /// memo read then fails and writes are refused.
    virtual const std::string& damage() const noexcept = 0;
    /// Pushes everything written to the disk.
    virtual void flush() = 0;
    /// Gives the open file another name (see File::rename).
    virtual void rename(const std::filesystem::path& to) = 0;
};

// FPT layout: header block of 512 bytes holding the next free block (big endian,
// bytes 0..3) and the block size (big endian, bytes 6..7); each memo starts on a
// block with its type (1 text, big endian 4 bytes) and length (big endian 4 bytes).
std::unique_ptr<MemoFile> openFpt(const std::filesystem::path& path, bool writable, FileLock lock);
/// Creates an empty FPT file (an existing one is emptied).
void createFpt(const std::filesystem::path& path, std::uint32_t blockSize = 64);

// DBT layout: 512-byte header with the next free block (little endian, bytes 0..3)
// and for dBASE IV the block size (little endian, bytes 20..21). dBASE III memos
// end with 1Ah; dBASE IV memos start with FFh FFh 08h 00h and a little-endian length
// that counts those 8 bytes. Read only.
std::unique_ptr<MemoFile> openDbt(const std::filesystem::path& path, FileLock lock);

} // namespace xbase
