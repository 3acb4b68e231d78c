#include "exchange/text_encoding.h"

#include "data/text_codec.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace exchange {

namespace {

struct EncodingEntry {
    TextEncoding encoding;
    const char* name;
    int codePage; // 0 for the Unicode encodings
};

constexpr std::array<EncodingEntry, 10> entries{{
    {TextEncoding::Utf8, "UTF-8", 0},
    {TextEncoding::Utf16LE, "UTF-16LE", 0},
    {TextEncoding::Utf16BE, "UTF-16BE", 0},
    {TextEncoding::Windows1252, "Windows-1252", 1252},
    {TextEncoding::Windows1250, "Windows-1250", 1250},
    {TextEncoding::Windows1251, "Windows-1251", 1251},
    {TextEncoding::Cp437, "CP437", 437},
    {TextEncoding::Cp850, "CP850", 850},
    {TextEncoding::Cp852, "CP852", 852},
    {TextEncoding::Cp866, "CP866", 866},
}};

const EncodingEntry& entryOf(TextEncoding encoding) {
    for (const EncodingEntry& e : entries)
        if (e.encoding == encoding)
            return e;
    return entries[0];
}

std::string folded(std::string_view name) {
    std::string out;
    for (char c : name)
        if (c != '-' && c != '_' && c != ' ')
            out += char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Length of the UTF-8 sequence a lead byte starts, 0 for a byte that starts none.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Whether the sequence at p (n bytes, complete) is a valid character.
bool validSequence(const unsigned char* p, int n) {
    for (int i = 1; i < n; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return false;
    if (n == 3) {
        if (p[0] == 0xE0 && p[1] < 0xA0)
            return false; // overlong
        if (p[0] == 0xED && p[1] >= 0xA0)
            return false; // surrogate
    }
    if (n == 4) {
        if (p[0] == 0xF0 && p[1] < 0x90)
            return false;
        if (p[0] == 0xF4 && p[1] >= 0x90)
            return false;
    }
    return true;
}

} // namespace

std::span<const TextEncoding> TextEncodings() {
    static const std::array<TextEncoding, 10> all = [] {
        std::array<TextEncoding, 10> a{};
        for (std::size_t i = 0; i < entries.size(); ++i)
            a[i] = entries[i].encoding;
        return a;
    }();
    return all;
}

const char* EncodingName(TextEncoding encoding) {
    return entryOf(encoding).name;
}

std::optional<TextEncoding> EncodingByName(std::string_view name) {
    const std::string wanted = folded(name);
    for (const EncodingEntry& e : entries) {
        if (folded(e.name) == wanted)
            return e.encoding;
        if (e.codePage != 0 && wanted == "cp" + std::to_string(e.codePage))
            return e.encoding;
    }
    if (wanted == "utf16")
        return TextEncoding::Utf16LE;
    if (wanted == "latin1" || wanted == "iso88591" || wanted == "ansi")
        return TextEncoding::Windows1252;
    return std::nullopt;
}

bool IsValidUtf8(std::string_view bytes, bool complete) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    for (std::size_t i = 0; i < size;) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const int n = sequenceLength(p[i]);
        if (n == 0)
            return false;
        if (i + std::size_t(n) > size) {
            // Cut off at the end: only the bytes there can be checked.
            for (std::size_t j = i + 1; j < size; ++j)
                if ((p[j] & 0xC0) != 0x80)
                    return false;
            return !complete;
        }
        if (!validSequence(p + i, n))
            return false;
        i += std::size_t(n);
    }
    return true;
}

std::size_t Utf8Length(std::string_view utf8) {
    return std::size_t(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

TextEncoding DetectEncoding(std::string_view bytes, bool complete) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return TextEncoding::Utf8;
    if (bytes.starts_with("\xFF\xFE"))
        return TextEncoding::Utf16LE;
    if (bytes.starts_with("\xFE\xFF"))
        return TextEncoding::Utf16BE;
    // Text in UTF-16 without a mark: Latin letters leave a NUL in every other byte.
    const std::size_t pairs = std::min<std::size_t>(bytes.size() / 2, 4096);
    std::size_t evenNul = 0, oddNul = 0;
    for (std::size_t i = 0; i < pairs; ++i) {
        evenNul += bytes[2 * i] == '\0';
        oddNul += bytes[2 * i + 1] == '\0';
    }
    if (pairs > 0 && oddNul * 10 >= pairs * 3 && evenNul * 10 < pairs)
        return TextEncoding::Utf16LE;
    if (pairs > 0 && evenNul * 10 >= pairs * 3 && oddNul * 10 < pairs)
        return TextEncoding::Utf16BE;
    return IsValidUtf8(bytes, complete) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

std::size_t ByteOrderMarkLength(TextEncoding encoding, std::string_view head) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return head.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    case TextEncoding::Utf16LE:
        return head.starts_with("\xFF\xFE") ? 2 : 0;
    case TextEncoding::Utf16BE:
        return head.starts_with("\xFE\xFF") ? 2 : 0;
    default:
        return 0;
    }
}

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void TextDecoder::decode(std::string_view bytes, std::string& out, bool last) {
    const EncodingEntry& e = entryOf(encoding_);
    if (e.codePage != 0) {
        // Plain ASCII is the same in every code page.
        if (std::all_of(bytes.begin(), bytes.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            out.append(bytes);
        else
            out += data::CodePageToUtf8(e.codePage, bytes);
        return;
    }
    if (encoding_ == TextEncoding::Utf8) {
        out.append(bytes);
        return;
    }
    std::string in = pending_;
    in.append(bytes);
    pending_.clear();
    const bool little = encoding_ == TextEncoding::Utf16LE;
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(in[i]), b = static_cast<unsigned char>(in[i + 1]);
        return char16_t(little ? (a | (b << 8)) : ((a << 8) | b));
    };
    std::size_t i = 0;
    while (i + 1 < in.size()) {
        const char16_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 3 >= in.size())
                break; // the partner comes with the next piece
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(0x10000 + ((char32_t(u) - 0xD800) << 10) + (low - 0xDC00), out);
                i += 4;
                continue;
            }
            out += '\xFF';
            i += 2;
            continue;
        }
        if (u >= 0xDC00 && u <= 0xDFFF)
            out += '\xFF';
        else
            AppendUtf8(u, out);
        i += 2;
    }
    pending_ = in.substr(i);
    if (last && !pending_.empty()) {
        out += '\xFF';
        pending_.clear();
    }
}

} // namespace exchange
