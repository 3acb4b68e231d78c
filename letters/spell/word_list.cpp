#include "letters/spell/word_list.h"

#include <algorithm>

namespace spell {

WordList::WordList(std::vector<std::string> words) : words_(std::move(words)) {
    if (!std::is_sorted(words_.begin(), words_.end()))
        std::sort(words_.begin(), words_.end());
    words_.erase(std::unique(words_.begin(), words_.end()), words_.end());
}

bool WordList::contains(std::string_view folded) const noexcept {
    const auto at =
        std::lower_bound(words_.begin(), words_.end(), folded,
                         [](const std::string& a, std::string_view b) { return a < b; });
    return at != words_.end() && *at == folded;
}

bool WordList::insert(std::string word) {
    const auto at = std::lower_bound(words_.begin(), words_.end(), word);
    if (at != words_.end() && *at == word)
        return false;
    words_.insert(at, std::move(word));
    return true;
}

namespace {

using Iterator = std::vector<std::string>::const_iterator;

// [first, last) share their first `depth` characters, and every shorter prefix was entered.
void visit(Iterator first, Iterator last, std::size_t depth,
           const std::function<bool(std::string_view)>& enter,
           const std::function<void(std::string_view)>& take) {
    // In byte order the word that is the shared prefix itself comes first.
    if (first != last && first->size() == depth)
        take(*first++);
    if (first == last || (depth > 0 && !enter(std::string_view(*first).substr(0, depth))))
        return;
    while (first != last) {
        const char c = (*first)[depth];
        const Iterator end = std::partition_point(
            first, last, [&](const std::string& word) { return word[depth] == c; });
        visit(first, end, depth + 1, enter, take);
        first = end;
    }
}

} // namespace

void WordList::walk(const std::function<bool(std::string_view)>& enter,
                    const std::function<void(std::string_view)>& take) const {
    visit(words_.begin(), words_.end(), 0, enter, take);
}

} // namespace spell
