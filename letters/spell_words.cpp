#include "letters/spell_words.h"

#include "controls/rich_edit.h"
#include "data/text_codec.h"
#include "letters/spell/spell_engine.h"
#include "platform/path_lookup.h"

#include <QFileInfo>

#include <algorithm>

namespace letters {

namespace {

constexpr int Windows1252 = 1252;

std::filesystem::path programFile(const char* name) {
    return platform::RealPath(name).toStdString();
}

bool hasLetter(const QString& word) {
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.isLetter(); });
}

} // namespace

std::int16_t OpenProgramDictionaries(spell::TSpellEngine& engine, bool createUser) {
    // A main dictionary that cannot be read is tried again at each word check.
    const std::filesystem::path main = programFile("corvan.dct");
    if (!engine.OpenDictionary(main))
        engine.DictionaryName = main;
    const std::filesystem::path user = programFile("corvanu.dct");
    if (std::filesystem::exists(user))
        return engine.OpenUserDictionary(user);
    return createUser ? engine.CreateUserDictionary(user, {}) : std::int16_t(-1);
}

std::optional<std::string> SpellBytes(const QString& word) {
    QString plain = word;
    plain.replace(QChar(0x2019), QChar('\''));
    data::CodePageBytes bytes = data::Utf8ToCodePage(Windows1252, plain.toStdString());
    if (!bytes)
        return std::nullopt;
    return std::move(bytes.bytes);
}

bool IsWordKnown(spell::TSpellEngine& engine, const QString& word) {
    const auto bytes = SpellBytes(word);
    return bytes && engine.IsWordKnown(*bytes);
}

std::vector<SpellProposal> Suggestions(spell::TSpellEngine& engine, const QString& word) {
    std::vector<SpellProposal> result;
    if (const auto bytes = SpellBytes(word))
        for (const spell::Proposal& proposal : engine.Suggestions(*bytes))
            result.push_back(
                {QString::fromStdString(data::CodePageToUtf8(Windows1252, proposal.text)),
                 proposal.score});
    return result;
}

bool AddUserWord(spell::TSpellEngine& engine, const QString& word, std::int16_t handle) {
    const auto bytes = SpellBytes(word);
    return bytes && engine.AddUserWord(*bytes, handle);
}

QString NextUnknownWord(controls::TRichEdit& editor, spell::TSpellEngine& engine) {
    for (;;) {
        const QString word = editor.NextWord();
        if (word.isEmpty() || (hasLetter(word) && !IsWordKnown(engine, word)))
            return word;
    }
}

} // namespace letters
