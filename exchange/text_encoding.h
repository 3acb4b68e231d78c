#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace exchange {

// How a text file from outside is encoded. The single-byte code pages are those tables are
// stored in.
enum class TextEncoding {
    Utf8,
    Utf16LE,
    Utf16BE,
    Windows1252,
    Windows1250,
    Windows1251,
    Cp437,
    Cp850,
    Cp852,
    Cp866,
};

// Every encoding, in the order a list offers them.
std::span<const TextEncoding> TextEncodings();
// "UTF-8", "UTF-16LE", "Windows-1252", "CP850", ...
const char* EncodingName(TextEncoding encoding);
// An encoding by its name, letter case and '-' or '_' ignored ("utf8", "cp1252", "latin1"
// for Windows-1252, "UTF-16" for UTF-16LE).
std::optional<TextEncoding> EncodingByName(std::string_view name);

// The encoding the bytes of a file look like: a byte-order mark names UTF-8 or UTF-16; without
// one, NUL bytes at every other position mean UTF-16, text that is valid UTF-8 means UTF-8,
// anything else Windows-1252. `complete` says the bytes are the whole file, so that a UTF-8
// sequence cut off at their end is a fault and not the end of a sample.
TextEncoding DetectEncoding(std::string_view bytes, bool complete = true);

// Length of the byte-order mark of the encoding at the start of the bytes, 0 when none.
std::size_t ByteOrderMarkLength(TextEncoding encoding, std::string_view head);

// Turns bytes of an encoding into UTF-8, piece by piece: a character cut between two pieces is
// finished with the next one. A UTF-16 surrogate without its partner, or a piece that ends
// inside a character at the end of the text, gives the byte FFh, which is not UTF-8, so the
// fault shows where the text is checked and is never replaced by another character. UTF-8
// goes through as it is.
class TextDecoder {
public:
    explicit TextDecoder(TextEncoding encoding) : encoding_(encoding) {}
    // Appends the UTF-8 text of the bytes to out; `last` ends the text.
    void decode(std::string_view bytes, std::string& out, bool last);
    void reset() { pending_.clear(); }

private:
    TextEncoding encoding_;
    std::string pending_; // bytes of a character not yet complete
};

// Appends the UTF-8 bytes of a character.
void AppendUtf8(char32_t c, std::string& out);
// Whether the bytes are valid UTF-8; a sequence cut off at the end counts as valid unless
// `complete`.
bool IsValidUtf8(std::string_view bytes, bool complete = true);
// Number of characters of UTF-8 text (bytes that start no character are not counted).
std::size_t Utf8Length(std::string_view utf8);

} // namespace exchange
