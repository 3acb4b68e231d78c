#include "letters/spell/suggest.h"

#include "letters/spell/case_pattern.h"
#include "letters/spell/letters.h"
#include "letters/spell/similarity.h"
#include "letters/spell/sound_key.h"
#include "letters/spell/word_list.h"

#include <algorithm>
#include <string>

namespace spell {

namespace {

struct Alternatives {
    std::string_view firsts; // the folded first letters that share the row
    std::string_view tried;
};

// Letters that are near on the keyboard or alike in sound; accented forms stand with their
// plain letter.
constexpr Alternatives alternatives[] = {
    {"A\xC0\xC1\xC2\xC3\xC4\xC5\xC6", "EDA\xC0\xC1\xC2\xC3\xC4\xC5\xC6"},
    {"B\xDF", "PVNB\xDF"},
    {"C\x8C\xC7", "SXVC\xC7\x8C"},
    {"D\xD0", "FD\xD0"},
    {"E\xC8\xC9\xCA\xCB", "IWRE\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"},
    {"F", "DGF"},
    {"G", "JG"},
    {"H", "JGH"},
    {"I\xCC\xCD\xCE\xCF", "EOUI\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"},
    {"J", "GJ"},
    {"K", "CLJK"},
    {"L", "KL"},
    {"M", "NM\xD1"},
    {"N\xD1", "MBN\xD1"},
    {"O\xD2\xD3\xD4\xD5\xD6", "PIO\xD2\xD3\xD4\xD5\xD6\xCC\xCD\xCE\xCF"},
    {"P\xDE", "BOP\xDE"},
    {"Q", "WQ"},
    {"R", "ETR"},
    {"S", "ACDS\x8A\x8C"},
    {"T", "YRT"},
    {"U\xD9\xDA\xDB\xDC", "YIU\xD9\xDA\xDB\xDC"},
    {"V", "BCV\xC7\x8C"},
    {"W", "QEW"},
    {"X", "CZX"},
    {"Y\x9F\xDD", "TUY\x9F\xDD"},
    {"Z", "XZ"},
};

bool isAorI(char c) {
    return c == 'A' || c == 'I';
}

} // namespace

std::string_view AlternativeFirstLetters(unsigned char folded) {
    for (const Alternatives& row : alternatives)
        if (row.firsts.find(static_cast<char>(folded)) != std::string_view::npos)
            return row.tried;
    // Every other first character is tried as itself only.
    static const std::string all = [] {
        std::string bytes(256, '\0');
        for (int i = 0; i < 256; ++i)
            bytes[static_cast<std::size_t>(i)] = static_cast<char>(i);
        return bytes;
    }();
    return std::string_view(all).substr(folded, 1);
}

std::vector<Proposal> Suggest(std::string_view word, const SuggestSources& sources,
                              std::size_t max) {
    const std::string_view model = word.substr(0, MaxWordLength);
    const std::string folded = Fold(model);
    if (folded.empty())
        return {};
    ProposalList list(std::min(max, MaxSuggestionsCap));

    SoundKey target = KeyOf(folded);
    for (char first : AlternativeFirstLetters(static_cast<unsigned char>(folded[0]))) {
        target[0] = static_cast<unsigned char>(first);
        const auto soundsAlike = [&](std::string_view prefix) {
            return KeyOf(prefix, target) == target;
        };
        const auto offer = [&](std::string_view candidate) {
            list.offer(candidate, Similarity(candidate, folded));
        };
        for (const WordList* dictionary : sources.dictionaries)
            dictionary->walk(soundsAlike, offer);
    }

    // A part of one letter is offered only when it is A or I.
    const std::size_t n = folded.size();
    const std::size_t from = isAorI(folded.front()) ? 1 : 2;
    const std::size_t to = n - (isAorI(folded.back()) ? 1 : 2);
    if (sources.isKnown && n >= 2)
        for (std::size_t d = from; d <= to && d < n; ++d) {
            const std::string_view head = std::string_view(folded).substr(0, d);
            const std::string_view tail = std::string_view(folded).substr(d);
            if (sources.isKnown(head) && sources.isKnown(tail)) {
                const std::string split = std::string(head) + ' ' + std::string(tail);
                list.offer(split, Similarity(split, folded));
            }
        }

    std::vector<Proposal> proposals = list.entries();
    for (Proposal& proposal : proposals)
        proposal.text = WithCaseOf(model, proposal.text);
    return proposals;
}

} // namespace spell
