// Reads untrusted bytes as a single-order index: open, check, walk, seek and change it.
#include "xbase/error.h"
#include "xbase/idx_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        xbase::IdxFile idx(std::make_unique<xbase::MemoryIndexStorage>(
            std::vector<std::uint8_t>(data, data + size)));
        xbase::IndexTree& tree = idx.tree();
        bool sound = true;
        try {
            tree.validate();
        } catch (const xbase::Error&) {
            sound = false;
        }
        xbase::IndexCursor cursor(tree);
        for (bool ok = cursor.first(); ok; ok = cursor.next()) {
        }
        for (bool ok = cursor.last(); ok; ok = cursor.previous()) {
        }
        cursor.seek("A");
        // Changes are only made to orders that passed the check, as callers do.
        if (sound) {
            tree.insert("A", 1);
            tree.erase("A", 1);
            tree.validate();
        }
    } catch (const xbase::Error&) {
    }
    return 0;
}
