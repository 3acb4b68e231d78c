#include "xbase/code_page.h"

#include "xbase/code_page_tables.h"
#include "xbase/error.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace xbase {

namespace code_page_detail {

struct Reverse {
    char16_t character;
    unsigned char byte;
};

// One code page: the characters of bytes 80h to FFh, and the same pairs sorted by
// character for writing.
struct Entry {
    const code_page_tables::Page* page;
    std::array<Reverse, 128> reverse;
};

} // namespace code_page_detail

namespace {

using code_page_detail::Entry;
using code_page_detail::Reverse;

constexpr Entry entryOf(const code_page_tables::Page& page) {
    Entry entry{&page, {}};
    for (int i = 0; i < 128; ++i)
        entry.reverse[std::size_t(i)] = {page.high[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(entry.reverse.begin(), entry.reverse.end(),
              [](Reverse a, Reverse b) { return a.character < b.character; });
    return entry;
}

constexpr Entry cp437 = entryOf(code_page_tables::cp437);
constexpr Entry cp850 = entryOf(code_page_tables::cp850);
constexpr Entry cp852 = entryOf(code_page_tables::cp852);
constexpr Entry cp866 = entryOf(code_page_tables::cp866);
constexpr Entry cp1250 = entryOf(code_page_tables::cp1250);
constexpr Entry cp1251 = entryOf(code_page_tables::cp1251);
constexpr Entry cp1252 = entryOf(code_page_tables::cp1252);
constexpr const Entry* all[] = {&cp437, &cp850, &cp852, &cp866, &cp1250, &cp1251, &cp1252};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | c >> 6);
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | c >> 12);
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | c >> 18);
        out += char(0x80 | (c >> 12 & 0x3F));
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The character that starts at text[i] and its length in bytes; 0 when the bytes there are
// not UTF-8, which includes overlong forms, surrogates and values above U+10FFFF.
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& c) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = at(i);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - i < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((at(i + k) & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (at(i + k) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::string EncodeFailure::describe() const {
    char code[32];
    if (reason == Reason::InvalidUtf8) {
        std::snprintf(code, sizeof code, "%02Xh", unsigned(character & 0xFF));
        return std::string("not valid UTF-8 (byte ") + code + " at offset " +
               std::to_string(offset) + ")";
    }
    std::snprintf(code, sizeof code, "U+%04X", unsigned(character));
    std::string text = "code page " + std::to_string(codePage) + " cannot hold ";
    if (character >= 0x80 && character < 0xA0) // a control character shows nothing
        return text + code;
    text += '"';
    appendUtf8(text, character);
    return text + "\" (" + code + ")";
}

CodePage CodePage::ofLanguage(std::uint8_t language) noexcept {
    // Besides the plain 437, 850 and Windows bytes, the DOS language drivers of many
    // countries name the same code pages.
    switch (language) {
    case 0x01:
    case 0x09:
    case 0x0B:
    case 0x0D:
    case 0x0F:
    case 0x11:
    case 0x15:
    case 0x18:
    case 0x19:
    case 0x1B:
        return CodePage(&cp437);
    case 0x02:
    case 0x0A:
    case 0x0E:
    case 0x10:
    case 0x12:
    case 0x14:
    case 0x16:
    case 0x1A:
    case 0x1D:
    case 0x25:
    case 0x37:
        return CodePage(&cp850);
    case 0x1F:
    case 0x22:
    case 0x23:
    case 0x40:
    case 0x64:
        return CodePage(&cp852);
    case 0x26:
    case 0x65:
        return CodePage(&cp866);
    case 0xC8:
        return CodePage(&cp1250);
    case 0xC9:
        return CodePage(&cp1251);
    default:
        return CodePage(&cp1252);
    }
}

std::optional<CodePage> CodePage::ofNumber(int number) noexcept {
    for (const Entry* entry : all)
        if (entry->page->number == number)
            return CodePage(entry);
    return std::nullopt;
}

CodePage::CodePage() noexcept : entry_(&cp1252) {}

int CodePage::number() const noexcept {
    return entry_->page->number;
}

char32_t CodePage::character(unsigned char byte) const noexcept {
    return byte < 0x80 ? char32_t(byte) : char32_t(entry_->page->high[byte - 0x80]);
}

std::optional<unsigned char> CodePage::byte(char32_t character) const noexcept {
    if (character < 0x80)
        return static_cast<unsigned char>(character);
    if (character > 0xFFFF)
        return std::nullopt;
    const auto& reverse = entry_->reverse;
    const auto it = std::lower_bound(
        reverse.begin(), reverse.end(), character,
        [](Reverse pair, char32_t wanted) { return char32_t(pair.character) < wanted; });
    if (it == reverse.end() || it->character != character)
        return std::nullopt;
    return it->byte;
}

std::string CodePage::toUtf8(std::string_view bytes) const {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            text += c;
        else
            appendUtf8(text, entry_->page->high[b - 0x80]);
    }
    return text;
}

Encoded CodePage::fromUtf8(std::string_view utf8) const {
    Encoded result;
    result.bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            result.bytes += char(lead);
            ++i;
            continue;
        }
        char32_t c = 0;
        const std::size_t length = decodeUtf8(utf8, i, c);
        std::optional<unsigned char> b;
        if (length == 0 || !(b = byte(c))) {
            result.bytes.clear();
            result.failure =
                length == 0 ? EncodeFailure{EncodeFailure::Reason::InvalidUtf8, i, lead, number()}
                            : EncodeFailure{EncodeFailure::Reason::NotInCodePage, i, c, number()};
            return result;
        }
        result.bytes += char(*b);
        i += length;
    }
    return result;
}

std::string CodePage::fromUtf8OrThrow(std::string_view utf8, std::string_view what) const {
    Encoded encoded = fromUtf8(utf8);
    if (encoded.failure)
        throw Error(ErrorKind::Value, (what.empty() ? std::string() : std::string(what) + ": ") +
                                          encoded.failure->describe());
    return std::move(encoded.bytes);
}

} // namespace xbase
