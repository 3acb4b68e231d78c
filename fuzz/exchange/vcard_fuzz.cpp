// Reads arbitrary bytes as a vCard file: no crash, no hang; every card's values turn into a
// card the export writes, and that card reads back with the same names and organisation.
#include "exchange/text_lines.h"
#include "exchange/vcard.h"
#include "exchange/vcard_columns.h"

#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <fstream>

using namespace exchange;

namespace {

// The values of the first card of a text.
std::vector<std::string> readBack(const std::string& path, const std::string& card) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << card;
    TextLineReader lines(path, TextEncoding::Utf8);
    lines.rewind();
    VCardReader reader(lines);
    VCard read;
    if (!reader.next(read))
        std::abort();
    return VCardColumnValues(read);
}

// A value as the export can write it: one line, no character that is no text.
std::string oneLine(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n' || static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;
    static const std::string path = folder.path().toStdString() + "/in.vcf";
    static const std::string back = folder.path().toStdString() + "/back.vcf";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    TextLineReader lines(path, TextEncoding::Utf8);
    if (!lines.rewind())
        std::abort();
    VCardReader reader(lines);
    VCard card;
    int cards = 0;
    while (reader.next(card) && ++cards < 50) {
        const std::vector<std::string> v = VCardColumnValues(card);
        if (v.size() != VCardColumns().size())
            std::abort();
        VCardRecord r;
        r.last = oneLine(v[0]);
        r.first = oneLine(v[1]);
        r.org = oneLine(v[6]);
        for (int version : {3, 4}) {
            const std::vector<std::string> again = readBack(back, WriteVCard(r, version));
            if (again[0] != r.last || again[1] != r.first)
                std::abort();
        }
    }
    return 0;
}
