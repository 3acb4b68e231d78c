#pragma once

#include "letters/spell/proposal_list.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace controls {
class TRichEdit;
}
namespace spell {
class TSpellEngine;
}

// The spell engine as the letters use it: words of the editor in, proposals out, in the
// editor's text; the dictionaries are Windows-1252.
namespace letters {

// Opens "corvan.dct" and the user's "corvanu.dct" from the program's folder; the user
// dictionary is created empty when missing and `createUser` is set. Answers the user
// dictionary's handle, -1 when there is none.
std::int16_t OpenProgramDictionaries(spell::TSpellEngine& engine, bool createUser);

// The word in Windows-1252 with a typographic apostrophe as a plain one; nothing when the
// word has a character that code page cannot hold.
std::optional<std::string> SpellBytes(const QString& word);

bool IsWordKnown(spell::TSpellEngine& engine, const QString& word);

struct SpellProposal {
    QString text;
    int score = 0;
};
std::vector<SpellProposal> Suggestions(spell::TSpellEngine& engine, const QString& word);
bool AddUserWord(spell::TSpellEngine& engine, const QString& word, std::int16_t handle);

// Walks the editor on from its word cursor to the next word that no open dictionary holds;
// empty at the end of the text. Words without a letter (numbers) are not spelling.
QString NextUnknownWord(controls::TRichEdit& editor, spell::TSpellEngine& engine);

} // namespace letters
