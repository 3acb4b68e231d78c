#include "data/cp1252.h"

namespace data {

namespace {

// The characters of bytes 80h to 9Fh, where Windows-1252 differs from Latin-1; 0 marks the
// five bytes it leaves undefined (they are kept as the control characters of Latin-1).
constexpr char16_t high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QString FromCp1252(std::string_view bytes) {
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0 && high[byte - 0x80] != 0)
            text += QChar(high[byte - 0x80]);
        else
            text += QChar(byte);
    }
    return text;
}

std::string ToCp1252(const QString& text) {
    std::string bytes;
    bytes.reserve(size_t(text.size()));
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            bytes += char(code);
            continue;
        }
        char byte = '?';
        for (int i = 0; i < 32; ++i) {
            if (high[i] == code || (high[i] == 0 && code == 0x80 + i))
                byte = char(0x80 + i);
        }
        bytes += byte;
    }
    return bytes;
}

} // namespace data
