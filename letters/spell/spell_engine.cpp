#include "letters/spell/spell_engine.h"

#include "letters/spell/letters.h"
#include "letters/spell/suggest.h"
#include "letters/spell/word_file.h"

#include <algorithm>
#include <limits>

namespace spell {

namespace {

constexpr std::size_t MaxUserCharacters = 64000;

std::size_t charactersOf(const WordList& words) {
    std::size_t total = 0;
    for (const std::string& word : words.words())
        total += word.size();
    return total;
}

} // namespace

void TSpellEngine::SetMaxSuggestions(unsigned value) noexcept {
    maxSuggestions_ = static_cast<std::uint8_t>(std::min<unsigned>(value, MaxSuggestionsCap));
}

bool TSpellEngine::OpenDictionary(const std::filesystem::path& file) {
    if (main_)
        return false;
    main_ = LoadWordFile(file);
    if (!main_)
        return false;
    DictionaryName = file;
    return true;
}

std::int16_t TSpellEngine::addUser(const std::filesystem::path& file, WordList words) {
    if (users_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        return -1;
    const std::size_t characters = charactersOf(words);
    users_.push_back(UserDictionary{file, std::move(words), characters});
    DictionaryUser = file;
    return static_cast<std::int16_t>(users_.size() - 1);
}

std::int16_t TSpellEngine::OpenUserDictionary(const std::filesystem::path& file) {
    auto words = LoadWordFile(file);
    if (!words)
        return -1;
    return addUser(file, std::move(*words));
}

std::int16_t TSpellEngine::CreateUserDictionary(const std::filesystem::path& file,
                                                const std::vector<std::string>& words) {
    std::vector<std::string> folded;
    for (const std::string& word : words)
        if (IsStorableWord(word))
            folded.push_back(Fold(word));
    WordList list(std::move(folded));
    if (!WriteWordFile(file, list.words()))
        return -1;
    return addUser(file, std::move(list));
}

void TSpellEngine::ensureMain() {
    if (!main_ && !DictionaryName.empty())
        main_ = LoadWordFile(DictionaryName);
}

bool TSpellEngine::knownFolded(std::string_view folded) const {
    if (folded.size() <= 1)
        return true;
    if (main_ && main_->contains(folded))
        return true;
    for (const UserDictionary& user : users_)
        if (user.words.contains(folded))
            return true;
    // A possessive is known when its word is.
    return folded.ends_with("'S") && knownFolded(folded.substr(0, folded.size() - 2));
}

bool TSpellEngine::IsWordKnown(std::string_view word) {
    ensureMain();
    return knownFolded(Fold(word));
}

std::vector<Proposal> TSpellEngine::Suggestions(std::string_view word) {
    ensureMain();
    SuggestSources sources;
    if (main_)
        sources.dictionaries.push_back(&*main_);
    for (const UserDictionary& user : users_)
        sources.dictionaries.push_back(&user.words);
    sources.isKnown = [this](std::string_view folded) { return knownFolded(folded); };
    return Suggest(word, sources, maxSuggestions_);
}

bool TSpellEngine::AddUserWord(std::string_view word, std::int16_t handle) {
    if (handle < 0 || static_cast<std::size_t>(handle) >= users_.size())
        return false;
    UserDictionary& user = users_[static_cast<std::size_t>(handle)];
    const std::string folded = Fold(word);
    if (folded.size() > MaxWordLength || !IsStorableWord(folded) ||
        user.characters + folded.size() >= MaxUserCharacters)
        return false;
    if (user.words.contains(folded))
        return true;
    if (!AppendToWordFile(user.file, folded))
        return false;
    user.words.insert(folded);
    user.characters += folded.size();
    return true;
}

void TSpellEngine::CloseDictionaries() {
    if (!main_)
        return;
    main_.reset();
    users_.clear();
}

} // namespace spell
