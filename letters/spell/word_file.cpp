#include "letters/spell/word_file.h"

#include "letters/spell/similarity.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace spell {

bool IsStorableWord(std::string_view folded) noexcept {
    return !folded.empty() && folded.size() <= MaxProposalLength &&
           std::none_of(folded.begin(), folded.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

std::optional<std::vector<std::string>> ParseWordFile(std::string_view bytes) {
    if (!bytes.starts_with(WordFileSignature))
        return std::nullopt;
    bytes.remove_prefix(WordFileSignature.size());
    std::vector<std::string> words;
    words.reserve(bytes.size() / 8);
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt; // a last line without its line feed: cut short
        const std::string_view word = bytes.substr(0, end);
        if (!IsStorableWord(word))
            return std::nullopt;
        words.emplace_back(word);
        bytes.remove_prefix(end + 1);
    }
    return words;
}

std::optional<WordList> LoadWordFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    auto words = ParseWordFile(bytes);
    if (!words)
        return std::nullopt;
    return WordList(std::move(*words));
}

bool WriteWordFile(const std::filesystem::path& path, const std::vector<std::string>& words) {
    std::string bytes(WordFileSignature);
    for (const std::string& word : words) {
        bytes += word;
        bytes += '\n';
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

bool AppendToWordFile(const std::filesystem::path& path, std::string_view word) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out)
        return false;
    out << word << '\n';
    out.close();
    return static_cast<bool>(out);
}

} // namespace spell
