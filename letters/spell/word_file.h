#pragma once

#include "letters/spell/word_list.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading and writing dictionary files (the format is described in DICTIONARY.md).
namespace spell {

inline constexpr std::string_view WordFileSignature = "CORVANE DICTIONARY 1\n";

// The words of a dictionary file's bytes, or nothing when the bytes are not one.
std::optional<std::vector<std::string>> ParseWordFile(std::string_view bytes);
std::optional<WordList> LoadWordFile(const std::filesystem::path& path);

// Whether a folded word may stand in a dictionary file.
bool IsStorableWord(std::string_view folded) noexcept;

// Writes the signature and the words; false when the file cannot be written.
bool WriteWordFile(const std::filesystem::path& path, const std::vector<std::string>& words);
// Appends one word's line to an existing file.
bool AppendToWordFile(const std::filesystem::path& path, std::string_view word);

} // namespace spell
