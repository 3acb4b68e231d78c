#include "letters/spell/case_pattern.h"

#include "letters/spell/letters.h"

#include <algorithm>

namespace spell {

std::string WithCaseOf(std::string_view model, std::string_view proposal) {
    auto byte = [](char c) { return static_cast<unsigned char>(c); };
    std::string result(proposal);
    if (std::none_of(model.begin(), model.end(), [&](char c) { return IsSmallLetter(byte(c)); }))
        return result;
    for (char& c : result)
        c = static_cast<char>(Lower(byte(c)));
    std::size_t k = 0, l = 0;
    while (k < model.size() && l < result.size()) {
        while (k + 1 < model.size() && !IsWordLetter(byte(model[k])))
            ++k;
        while (l + 1 < result.size() && !IsProposalLetter(byte(result[l])))
            ++l;
        if (IsCapital(byte(model[k])))
            result[l] = static_cast<char>(Upper(byte(result[l])));
        ++k;
        ++l;
    }
    return result;
}

} // namespace spell
