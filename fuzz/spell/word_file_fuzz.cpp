// Dictionary files: any bytes are read as a dictionary or refused, never a crash; the words
// of one that is read are looked up and suggested from.
#include "letters/spell/suggest.h"
#include "letters/spell/word_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto words = spell::ParseWordFile(bytes);
    if (!words)
        return 0;
    const spell::WordList list(std::move(*words));
    spell::SuggestSources sources;
    sources.dictionaries = {&list};
    sources.isKnown = [&list](std::string_view w) { return list.contains(w); };
    for (const std::string& word : list.words()) {
        spell::Suggest(word, sources, 10);
        if (list.size() > 20)
            break;
    }
    return 0;
}
