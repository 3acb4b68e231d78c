// Feeds arbitrary bytes to the code page conversions: the first input byte is the language
// byte that picks the code page, the rest is taken once as UTF-8 text and once as table
// bytes. Text the encoder accepts must read back exactly; a refusal must point inside the
// text, after a part that encodes; table bytes must come back from UTF-8 unchanged.
#include "xbase/code_page.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const xbase::CodePage page = xbase::CodePage::ofLanguage(data[0]);
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

    const xbase::Encoded encoded = page.fromUtf8(input);
    if (encoded) {
        if (page.toUtf8(encoded.bytes) != input)
            __builtin_trap();
    } else {
        const xbase::EncodeFailure& failure = *encoded.failure;
        if (failure.offset >= input.size() || !encoded.bytes.empty() ||
            !page.fromUtf8(input.substr(0, failure.offset)) || failure.describe().empty())
            __builtin_trap();
    }

    const xbase::Encoded back = page.fromUtf8(page.toUtf8(input));
    if (!back || back.bytes != input)
        __builtin_trap();
    return 0;
}
