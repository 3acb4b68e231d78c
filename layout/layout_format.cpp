#include "layout/layout_format.h"

#include "layout/layout_stream.h"

namespace layout {

namespace {

LayoutFormat*& installed() {
    static LayoutFormat* format = nullptr;
    return format;
}

} // namespace

LayoutFormat& CurrentLayoutFormat() {
    static TLayoutStream stream;
    return installed() ? *installed() : stream;
}

void InstallLayoutFormat(LayoutFormat* format) {
    installed() = format;
}

} // namespace layout
