// Feeds arbitrary bytes to the FPT and DBT readers: the first input byte picks the
// memo kind, the next four the block pointer, the rest is the memo file.
#include "xbase/error.h"
#include "xbase/memo_file.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5)
        return 0;
    static const auto path = std::filesystem::temp_directory_path() /
                             ("corvane_fuzz_memo_" + std::to_string(::getpid()));
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data + 5), std::streamsize(size - 5));
    std::uint32_t block = std::uint32_t(data[1]) | std::uint32_t(data[2]) << 8 |
                          std::uint32_t(data[3]) << 16 | std::uint32_t(data[4]) << 24;
    try {
        auto memo = (data[0] & 1) ? xbase::openDbt(path, xbase::FileLock::None)
                                  : xbase::openFpt(path, (data[0] & 2) != 0, xbase::FileLock::None);
        (void)memo->read(block);
        (void)memo->read(block % 64);
        if (data[0] & 2)
            (void)memo->read(memo->write("replacement text", block % 64));
    } catch (const xbase::Error&) {
    }
    return 0;
}
