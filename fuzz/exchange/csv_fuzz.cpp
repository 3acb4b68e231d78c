// Reads arbitrary bytes as a comma-separated file in every encoding and both quotings: no crash,
// no hang, every record numbered after the one before, and the program's own quoting never
// loses a byte of a line (its fields and commas put back together give the line).
#include "exchange/ascii_sample.h"
#include "exchange/csv_reader.h"
#include "exchange/text_encoding.h"

#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <fstream>

using namespace exchange;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;
    static const std::string path = folder.path().toStdString() + "/in.csv";
    if (size == 0)
        return 0;
    const std::span<const TextEncoding> encodings = TextEncodings();
    const TextEncoding encoding = encodings[data[0] % encodings.size()];
    const CsvQuoting quoting = data[0] & 0x80 ? CsvQuoting::Rfc4180 : CsvQuoting::Plain;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), std::streamsize(bytes.size()));

    DetectEncoding(bytes, data[0] & 1);
    GuessTextFile(path);
    CsvReader reader(path, encoding, quoting);
    if (!reader.rewind())
        std::abort();
    CsvRecord record;
    unsigned last = 0;
    while (reader.next(record)) {
        if (record.line <= last || record.fields.empty())
            std::abort();
        last = record.line;
    }
    SampleAsciiFile(path, encoding, quoting);

    // The program's own rule cuts a line without losing anything of it.
    const std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
    std::vector<std::string> fields = SplitPlainLine(line);
    std::string again;
    for (std::size_t i = 0; i < fields.size(); ++i)
        again += (i ? "," : "") + fields[i];
    if (again != line)
        std::abort();
    return 0;
}
