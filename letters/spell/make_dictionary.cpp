// make-dictionary WORDLIST OUTPUT: builds the main dictionary from a UTF-8 word list, one word
// to a line, at build time, so that every installation ships the same dictionary.
#include "letters/spell/dictionary_source.h"
#include "letters/spell/word_file.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make-dictionary WORDLIST OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "make-dictionary: cannot read " << argv[1] << "\n";
        return 1;
    }
    const auto words = spell::MainDictionaryWords(in);
    if (words.empty() || !spell::WriteWordFile(argv[2], words)) {
        std::cerr << "make-dictionary: no words written to " << argv[2] << "\n";
        return 1;
    }
    std::cout << "make-dictionary: " << words.size() << " words in " << argv[2] << "\n";
    return 0;
}
