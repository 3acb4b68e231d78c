// Reads a column list of arbitrary bytes and applies it to the address view's field order: no
// crash, and the order that comes out holds every field exactly once.
#include "data/address_file.h"
#include "select/field_list_file.h"

#include <QStringList>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList& order = data::AddressViewOrder();
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList arranged =
        selection::ApplyFieldListLines(order, selection::ParseFieldList(text));
    QStringList sorted = arranged, expected = order;
    sorted.sort();
    expected.sort();
    if (sorted != expected)
        std::abort();
    return 0;
}
