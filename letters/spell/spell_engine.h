#pragma once

#include "letters/spell/proposal_list.h"
#include "letters/spell/word_list.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spell {

// Keeps the open dictionaries: one main dictionary, read only, and any number of user
// dictionaries that words can be added to. Words are Windows-1252 bytes in any letter case.
class TSpellEngine {
public:
    // The main dictionary's file; a word check opens it when no main dictionary is open.
    std::filesystem::path DictionaryName;
    // The user dictionary last opened or created.
    std::filesystem::path DictionaryUser;

    std::uint8_t MaxSuggestions() const noexcept { return maxSuggestions_; }
    // A value above 220 is stored as 220.
    void SetMaxSuggestions(unsigned value) noexcept;

    // False when a main dictionary is open already or the file is not a readable dictionary.
    bool OpenDictionary(const std::filesystem::path& file);
    // A handle for AddUserWord, or -1 when the file is not a readable dictionary.
    std::int16_t OpenUserDictionary(const std::filesystem::path& file);
    // Writes the file with these words (folded) and opens it; -1 on failure.
    std::int16_t CreateUserDictionary(const std::filesystem::path& file,
                                      const std::vector<std::string>& words);

    bool IsWordKnown(std::string_view word);
    std::vector<Proposal> Suggestions(std::string_view word);
    // Refuses words of more than 25 characters, and any word that would bring the user
    // dictionary's characters to 64,000; the word is on disk when this returns true.
    bool AddUserWord(std::string_view word, std::int16_t handle);
    // Closes every dictionary; nothing happens while no main dictionary is open.
    void CloseDictionaries();

    bool HasMainDictionary() const noexcept { return main_.has_value(); }

private:
    struct UserDictionary {
        std::filesystem::path file;
        WordList words;
        std::size_t characters = 0;
    };

    std::int16_t addUser(const std::filesystem::path& file, WordList words);
    void ensureMain();
    bool knownFolded(std::string_view folded) const;

    std::uint8_t maxSuggestions_ = 10;
    std::optional<WordList> main_;
    std::vector<UserDictionary> users_;
};

} // namespace spell
