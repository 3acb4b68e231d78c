#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace spell {

// The folded words of one dictionary in byte order, without repeats. The order is the one
// in which suggestions visit them, so it decides the order of proposals with equal scores.
class WordList {
public:
    WordList() = default;
    // Takes folded words in any order; sorts them and drops repeats.
    explicit WordList(std::vector<std::string> words);

    bool contains(std::string_view folded) const noexcept;
    // Adds a folded word in its place; false when it was there already.
    bool insert(std::string word);

    std::size_t size() const noexcept { return words_.size(); }
    const std::vector<std::string>& words() const noexcept { return words_; }

    // Visits the words in order. `enter` is asked of each prefix (from one letter on) that
    // longer words share; when it says no, the words that continue that prefix are skipped.
    // A word is given to `take` when every prefix shorter than the word was entered.
    void walk(const std::function<bool(std::string_view prefix)>& enter,
              const std::function<void(std::string_view word)>& take) const;

private:
    std::vector<std::string> words_;
};

} // namespace spell
