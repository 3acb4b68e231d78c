#include "xbase/field_codec.h"

#include "xbase/error.h"
#include "xbase/text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace xbase {

namespace {

std::int64_t readLittle(std::string_view bytes, std::size_t n) noexcept {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < n && i < bytes.size(); ++i)
        v |= std::uint64_t(std::uint8_t(bytes[i])) << (8 * i);
    if (n < 8 && (v >> (8 * n - 1)) & 1)
        v |= ~std::uint64_t(0) << (8 * n); // sign-extend
    return static_cast<std::int64_t>(v);
}

double readDouble(std::string_view bytes) noexcept {
    if (bytes.size() < 8)
        return 0.0;
    std::uint64_t bits = static_cast<std::uint64_t>(readLittle(bytes, 8));
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// Julian day number to "YYYYMMDD" (the date half of a binary date-time field).
std::string julianToDate(std::int64_t jd) {
    if (jd <= 0)
        return std::string(8, ' ');
    std::int64_t a = jd + 32044, b = (4 * a + 3) / 146097, c = a - 146097 * b / 4;
    std::int64_t d = (4 * c + 3) / 1461, e = c - 1461 * d / 4, m = (5 * e + 2) / 153;
    std::int64_t day = e - (153 * m + 2) / 5 + 1, month = m + 3 - 12 * (m / 10);
    std::int64_t year = 100 * b + d - 4800 + m / 10;
    if (year < 1 || year > 9999)
        return std::string(8, ' ');
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", int(year), int(month), int(day));
    return buf;
}

} // namespace

bool isReadableType(char type) noexcept {
    return std::strchr("CNFLDMIBYTVGP0", type) != nullptr && type != '\0';
}

bool isWritableType(char type) noexcept {
    return std::strchr("CNLDM", type) && type != '\0';
}

ValueType valueTypeOf(const Field& f) {
    switch (f.type) {
    case 'N':
    case 'F':
    case 'I':
    case 'Y':
        return ValueType::Number;
    case 'B':
        return f.width == 8 ? ValueType::Number : ValueType::String;
    case 'L':
        return ValueType::Logical;
    case 'D':
    case 'T':
        return ValueType::Date;
    default:
        return ValueType::String;
    }
}

namespace {
// The number at the start of a trimmed text, and where it ends.
std::optional<double> leadingNumber(std::string_view& text) noexcept {
    text = trimRight(trimLeft(text));
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double v = 0.0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || !std::isfinite(v))
        return std::nullopt;
    text.remove_prefix(std::size_t(ptr - text.data()));
    return v;
}
} // namespace

double parseNumber(std::string_view text) noexcept {
    return leadingNumber(text).value_or(0.0);
}

std::optional<double> parseWholeNumber(std::string_view text) noexcept {
    std::optional<double> v = leadingNumber(text);
    if (!text.empty())
        return std::nullopt;
    return v;
}

double decodeNumber(const Field& f, std::string_view bytes) noexcept {
    switch (f.type) {
    case 'I':
        return double(readLittle(bytes, 4));
    case 'Y':
        return double(readLittle(bytes, 8)) / 10000.0;
    case 'B':
        return f.width == 8 ? readDouble(bytes) : parseNumber(bytes);
    default:
        return parseNumber(bytes);
    }
}

bool decodeLogical(std::string_view bytes) noexcept {
    if (bytes.empty())
        return false;
    char c = toUpperAscii(bytes[0]);
    return c == 'T' || c == 'Y';
}

Value decodeValue(const Field& f, std::string_view bytes) {
    switch (valueTypeOf(f)) {
    case ValueType::Number:
        return Value::ofNumber(decodeNumber(f, bytes));
    case ValueType::Logical:
        return Value::ofLogical(decodeLogical(bytes));
    case ValueType::Date:
        if (f.type == 'T')
            return Value::ofDate(julianToDate(readLittle(bytes, 4)));
        return Value::ofDate(std::string(bytes));
    case ValueType::String:
        break;
    }
    return Value::ofString(std::string(trimRight(bytes)));
}

std::string encodeNumber(const Field& f, double value) {
    if (!std::isfinite(value))
        throw Error(ErrorKind::Value, "field " + f.name + ": the number is not finite");
    char buf[512];
    for (int decimals = f.decimals; decimals >= 0; --decimals) {
        int n = std::snprintf(buf, sizeof buf, "%*.*f", int(f.width), decimals, value);
        // A value that rounds to zero must not keep its minus sign.
        std::string out(buf, n > 0 ? std::size_t(n) : 0);
        if (auto minus = out.find('-');
            minus != std::string::npos && out.find_first_not_of("-0. ") == std::string::npos)
            out[minus] = ' ';
        if (out.size() == f.width)
            return out;
    }
    throw Error(ErrorKind::Value, "field " + f.name + ": the number does not fit in width " +
                                      std::to_string(f.width));
}

bool isValidDate(std::string_view d) noexcept {
    if (d.size() != 8)
        return false;
    for (char c : d)
        if (!isAsciiDigit(c))
            return false;
    int y = (d[0] - '0') * 1000 + (d[1] - '0') * 100 + (d[2] - '0') * 10 + (d[3] - '0');
    int m = (d[4] - '0') * 10 + (d[5] - '0');
    int day = (d[6] - '0') * 10 + (d[7] - '0');
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || m < 1 || m > 12 || day < 1)
        return false;
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return day <= days[m - 1] + (m == 2 && leap ? 1 : 0);
}

std::string encodeDate(const Field& f, std::string_view d) {
    if (trimRight(d).empty())
        return std::string(8, ' ');
    if (!isValidDate(d))
        throw Error(ErrorKind::Value,
                    "field " + f.name + ": \"" + std::string(d) + "\" is not a date YYYYMMDD");
    return std::string(d);
}

std::string encodeText(const Field& f, std::string_view text) {
    std::string out(text.substr(0, f.width));
    out.resize(f.width, ' ');
    return out;
}

} // namespace xbase
