#include "xbase/dbf_header.h"

#include "xbase/error.h"
#include "xbase/text.h"

#include <cstring>
#include <ctime>
#include <vector>

namespace xbase {

std::uint32_t readLe32(const char* p) noexcept {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t(u[0]) | std::uint32_t(u[1]) << 8 | std::uint32_t(u[2]) << 16 |
           std::uint32_t(u[3]) << 24;
}

std::uint16_t readLe16(const char* p) noexcept {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint16_t(u[0] | u[1] << 8);
}

void writeLe32(char* p, std::uint32_t v) noexcept {
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

void writeLe16(char* p, std::uint16_t v) noexcept {
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}

bool isKnownDbfSignature(std::uint8_t s) noexcept {
    static const std::uint8_t known[] = {0x02, 0x03, 0x04, 0x05, 0x06, 0x30, 0x31, 0x32,
                                         0x43, 0x63, 0x7B, 0x83, 0x86, 0x8B, 0x8E, 0xB3,
                                         0xCB, 0xE5, 0xE6, 0xF5, 0xF6, 0xFB};
    for (std::uint8_t k : known)
        if (k == s)
            return true;
    return false;
}

DbfHeader parseDbfHeader(std::string_view bytes, std::uint64_t fileSize, const std::string& name) {
    auto corrupt = [&](const std::string& what) {
        return Error(ErrorKind::Corrupt, name + ": not a valid dBASE table: " + what);
    };
    if (bytes.size() < dbfPrefixLength + 1)
        throw corrupt("the file is too short for a header");
    DbfHeader h;
    h.signature = std::uint8_t(bytes[0]);
    if (!isKnownDbfSignature(h.signature)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02Xh", h.signature);
        throw corrupt(std::string("unknown first byte ") + hex);
    }
    h.recordCount = readLe32(bytes.data() + 4);
    h.headerLength = readLe16(bytes.data() + 8);
    h.recordLength = readLe16(bytes.data() + 10);
    h.language = std::uint8_t(bytes[29]);
    if (h.headerLength < dbfPrefixLength + 1 || h.headerLength > bytes.size())
        throw corrupt("header length " + std::to_string(h.headerLength) + " is impossible");
    if (h.recordLength < 2)
        throw corrupt("record length " + std::to_string(h.recordLength) + " is impossible");

    std::vector<Field> fields;
    std::size_t offset = 1;
    for (std::size_t pos = dbfPrefixLength; pos < h.headerLength; pos += 32) {
        if (bytes[pos] == 0x0D)
            break;
        if (pos + 32 > h.headerLength)
            throw corrupt("the field list is not terminated");
        const char* d = bytes.data() + pos;
        Field f;
        std::size_t len = 0;
        while (len < 11 && d[len] != '\0')
            ++len;
        f.name = toUpperAscii(trimRight(std::string_view(d, len)));
        if (f.name.empty())
            throw corrupt("field " + std::to_string(fields.size() + 1) + " has no name");
        f.type = toUpperAscii(d[11]);
        f.width = std::uint8_t(d[16]);
        f.decimals = std::uint8_t(d[17]);
        f.flags = std::uint8_t(d[18]);
        if (f.type == 'C' && f.decimals != 0 && h.signature != 0x30 && h.signature != 0x31 &&
            h.signature != 0x32) {
            f.width = std::uint16_t(f.width + 256 * f.decimals); // long character fields
            f.decimals = 0;
        }
        if (f.width == 0)
            throw corrupt("field " + f.name + " has width 0");
        f.offset = std::uint32_t(offset);
        offset += f.width;
        fields.push_back(std::move(f));
    }
    if (fields.empty())
        throw corrupt("the table has no fields");
    if (offset > h.recordLength)
        throw corrupt("the fields are longer than the record length");
    std::uint64_t needed = std::uint64_t(h.headerLength) +
                           std::uint64_t(h.recordCount) * std::uint64_t(h.recordLength);
    if (needed > fileSize)
        throw corrupt("the file is truncated: the header counts " + std::to_string(h.recordCount) +
                      " records but the file holds only " +
                      std::to_string((fileSize - h.headerLength) / h.recordLength));
    h.structure = Structure::fromStored(std::move(fields), h.recordLength);
    return h;
}

std::string buildDbfHeader(const Structure& structure, std::uint8_t signature) {
    const auto& fields = structure.fields();
    std::string h(dbfPrefixLength + 32 * fields.size() + 1, '\0');
    h[0] = char(signature);
    stampDbfDate(h.data());
    writeLe16(h.data() + 8, std::uint16_t(h.size()));
    writeLe16(h.data() + 10, std::uint16_t(structure.recordLength()));
    h[29] = 0x03;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        char* d = h.data() + dbfPrefixLength + 32 * i;
        const Field& f = fields[i];
        std::memcpy(d, f.name.data(), std::min<std::size_t>(f.name.size(), 10));
        d[11] = f.type;
        writeLe32(d + 12, f.offset);
        d[16] = char(f.width & 0xFF);
        d[17] = char(f.decimals);
    }
    h.back() = 0x0D;
    return h;
}

void stampDbfDate(char* header) {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    header[1] = char(tm.tm_year % 256);
    header[2] = char(tm.tm_mon + 1);
    header[3] = char(tm.tm_mday);
}

} // namespace xbase
