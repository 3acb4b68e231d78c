#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace xbase {

namespace code_page_detail {
struct Entry;
}

/// Why UTF-8 text could not be written in a code page, and where.
struct EncodeFailure {
    enum class Reason {
        NotInCodePage, // a character the code page cannot hold
        InvalidUtf8,   // the text is not UTF-8
    };
    Reason reason = Reason::NotInCodePage;
    std::size_t offset = 0; // byte offset in the UTF-8 text
    char32_t character = 0; // NotInCodePage: the character; InvalidUtf8: the first bad byte
    int codePage = 0;

    /// E.g. `code page 1252 cannot hold "ł" (U+0142)`, `not valid UTF-8 (byte C3h at offset 5)`.
    std::string describe() const;
};

/// Bytes in a code page, or why the text had none.
struct Encoded {
    std::string bytes; // empty when there is a failure
    std::optional<EncodeFailure> failure;
    explicit operator bool() const noexcept { return !failure; }
};

/// A single-byte code page that table text is stored in: 437, 850, 852, 866, 1250, 1251 or
/// 1252. Bytes below 80h are ASCII in all of them, and every byte reads as a character, so
/// any bytes go to UTF-8 and back unchanged. A small value, cheap to copy.
class CodePage {
public:
    /// The code page a table's language byte (header offset 29) names; a byte that names none
    /// of these (0, or a code page the engine does not read) reads as Windows-1252.
    static CodePage ofLanguage(std::uint8_t language) noexcept;
    /// The code page of this number, or nothing when it is not one of the seven.
    static std::optional<CodePage> ofNumber(int number) noexcept;

    /// Windows-1252, the code page of address files and system tables.
    CodePage() noexcept;

    int number() const noexcept;
    /// The character a byte stands for.
    char32_t character(unsigned char byte) const noexcept;
    /// The byte of a character, or nothing when the code page cannot hold it.
    std::optional<unsigned char> byte(char32_t character) const noexcept;

    /// The bytes as UTF-8 text; every byte has a character, so this never fails.
    std::string toUtf8(std::string_view bytes) const;
    /// UTF-8 text as bytes of this code page; refuses invalid UTF-8 and characters the code
    /// page cannot hold (never a stand-in such as '?').
    Encoded fromUtf8(std::string_view utf8) const;
    /// The same, throwing Error (ErrorKind::Value) on failure, its message the failure
    /// after `what`: "WHAT: code page 1252 cannot hold ...".
    std::string fromUtf8OrThrow(std::string_view utf8, std::string_view what) const;

    friend bool operator==(CodePage a, CodePage b) noexcept { return a.entry_ == b.entry_; }

private:
    explicit CodePage(const code_page_detail::Entry* entry) noexcept : entry_(entry) {}
    const code_page_detail::Entry* entry_;
};

} // namespace xbase
