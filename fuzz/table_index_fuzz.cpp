// Untrusted bytes as the structural index of a small sound table: the indexes open (their
// stamp read, their tags weighed for upkeep), are checked, and every order is walked both
// ways and sought, the table passing over entries past its end. Only xbase::Error may come
// out.
#include "xbase/index_set.h"
#include "xbase/table.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

std::filesystem::path folder() {
    static const auto dir = [] {
        auto d = std::filesystem::temp_directory_path() /
                 ("corvane_fuzz_table_index_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        // Names and numbers, with a deleted record, the table the index claims to serve.
        xbase::Table t =
            xbase::Table::create(d / "T.DBF", {{"NAME", 'C', 12}, {"N", 'N', 6, 1}, {"D", 'D'}});
        const char* names[] = {"SMITH", "ADAMS", "MILLER", "SMITH", "BAKER"};
        for (int i = 0; i < 5; ++i) {
            t.appendBlank();
            t.setText("NAME", names[i]);
            t.setNumber("N", i * 1.5 - 2);
            t.setDate("D", "1997042" + std::to_string(i));
            t.post();
        }
        t.goTo(3);
        t.setDeleted(true);
        return d;
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto dir = folder();
    std::ofstream(dir / "T.CDX", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    try {
        xbase::Table t = xbase::Table::open(dir / "T.DBF", xbase::OpenMode::ReadOnly);
        t.setDamageCallback([](const std::string&) {});
        xbase::TableIndexes indexes(t);
        (void)indexes.check();
        for (int order = 1; order <= indexes.orderCount() && order <= 8; ++order) {
            try {
                indexes.setOrder(order);
                int steps = 0;
                for (t.top(); !t.eof() && steps < 100; t.skip(), ++steps) {
                }
                for (t.bottom(); !t.bof() && steps < 200; t.skip(-1), ++steps) {
                }
                (void)t.seek("M");
                indexes.setScope("B", "S");
                for (t.top(); !t.eof() && steps < 300; t.skip(), ++steps) {
                }
            } catch (const xbase::Error&) {
            }
        }
    } catch (const xbase::Error&) {
    }
    return 0;
}
