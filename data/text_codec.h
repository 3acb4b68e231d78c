#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace data {

// The single-byte code pages tables are stored in: 437, 850, 852, 866, 1250, 1251 and 1252.
const std::vector<int>& TableCodePages();

// Bytes of one of those code pages as UTF-8; every byte has a character.
std::string CodePageToUtf8(int codePage, std::string_view bytes);

// UTF-8 text in a code page, or why it cannot be (a character the code page cannot hold, or
// text that is not UTF-8); never a stand-in character.
struct CodePageBytes {
    std::string bytes;
    QString failure; // empty when the text went over whole
    explicit operator bool() const { return failure.isEmpty(); }
};
CodePageBytes Utf8ToCodePage(int codePage, std::string_view utf8);

} // namespace data
