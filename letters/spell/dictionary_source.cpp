#include "letters/spell/dictionary_source.h"

#include "letters/spell/letters.h"
#include "letters/spell/word_file.h"
#include "letters/spell/word_list.h"
#include "xbase/code_page.h"

namespace spell {

std::vector<std::string> MainDictionaryWords(std::istream& utf8Lines) {
    const xbase::CodePage cp1252;
    std::vector<std::string> words;
    std::string line;
    while (std::getline(utf8Lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const xbase::Encoded encoded = cp1252.fromUtf8(line);
        if (!encoded)
            continue;
        const std::string word = Fold(encoded.bytes);
        // The engine knows a possessive from its word, and every single letter anyway.
        if (word.ends_with("'S") || (word.size() == 1 && word != "A" && word != "I"))
            continue;
        if (IsStorableWord(word))
            words.push_back(word);
    }
    return WordList(std::move(words)).words();
}

} // namespace spell
