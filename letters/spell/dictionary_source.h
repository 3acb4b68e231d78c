#pragma once

#include <istream>
#include <string>
#include <vector>

namespace spell {

// The folded, sorted words of the main dictionary from a UTF-8 word list, one word to a line:
// words that Windows-1252 cannot hold, possessives ending in 's and one-letter words other
// than A and I are left out.
std::vector<std::string> MainDictionaryWords(std::istream& utf8Lines);

} // namespace spell
