#include "data/text_codec.h"

#include "xbase/code_page.h"

namespace data {

namespace {

xbase::CodePage pageOf(int number) {
    return xbase::CodePage::ofNumber(number).value_or(xbase::CodePage());
}

} // namespace

const std::vector<int>& TableCodePages() {
    static const std::vector<int> pages{437, 850, 852, 866, 1250, 1251, 1252};
    return pages;
}

std::string CodePageToUtf8(int codePage, std::string_view bytes) {
    return pageOf(codePage).toUtf8(bytes);
}

CodePageBytes Utf8ToCodePage(int codePage, std::string_view utf8) {
    xbase::Encoded encoded = pageOf(codePage).fromUtf8(utf8);
    if (!encoded)
        return {{}, QString::fromStdString(encoded.failure->describe())};
    return {std::move(encoded.bytes), {}};
}

} // namespace data
