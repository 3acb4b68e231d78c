// Feeds arbitrary bytes to the DBF reader as a table file: open, walk and read every
// field. Only xbase::Error may come out.
#include "xbase/table.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {
std::filesystem::path scratchFile(const char* name) {
    static const auto dir = [] {
        auto d = std::filesystem::temp_directory_path() /
                 ("corvane_fuzz_dbf_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir / name;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = scratchFile("F.DBF");
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    // A small valid memo file, so tables with memo fields open and their pointers are read.
    std::string fpt(512 + 64, '\0');
    fpt[3] = 9;
    fpt[7] = 64;
    fpt[512 + 3] = 1;
    fpt[512 + 7] = 3;
    fpt.replace(512 + 8, 3, "abc");
    std::ofstream(scratchFile("F.FPT"), std::ios::binary | std::ios::trunc) << fpt;
    std::ofstream(scratchFile("F.DBT"), std::ios::binary | std::ios::trunc) << fpt;
    try {
        xbase::Table t = xbase::Table::open(path, xbase::OpenMode::ReadOnly);
        const std::size_t fields = t.structure().fields().size();
        std::uint32_t visited = 0;
        for (t.top(); !t.eof() && visited < 1000; t.skip(), ++visited) {
            for (std::size_t i = 0; i < fields; ++i) {
                try {
                    (void)t.value(i);
                } catch (const xbase::Error&) {
                }
            }
        }
        t.settings().deleted = true;
        try {
            t.setQuery("DELETED() .or. RECNO() > 2");
            (void)t.queryCount();
        } catch (const xbase::Error&) {
        }
    } catch (const xbase::Error&) {
    }
    return 0;
}
