// Reads untrusted bytes as a compound index: open, check, walk and seek every tag.
#include "xbase/cdx_file.h"
#include "xbase/error.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    try {
        xbase::CdxFile cdx(std::make_unique<xbase::MemoryIndexStorage>(
            std::vector<std::uint8_t>(data, data + size)));
        for (const std::string& name : cdx.tagNames()) {
            xbase::IndexTree& tag = cdx.tag(name);
            try {
                tag.validate();
            } catch (const xbase::Error&) {
            }
            xbase::IndexCursor cursor(tag);
            for (bool ok = cursor.first(); ok; ok = cursor.next()) {
            }
            for (bool ok = cursor.last(); ok; ok = cursor.previous()) {
            }
            cursor.seek("M");
        }
    } catch (const xbase::Error&) {
    }
    return 0;
}
