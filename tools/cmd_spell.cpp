// corvane-tool spell ...: the letters' spell check from scripts. "check" lists the words of a
// text or RTF file that the dictionaries do not hold, walking the words as the letter
// designer's check does; "suggest" shows the proposals the check offers for a word.
#include "tools/command.h"
#include "tools/gui_application.h"

#include "controls/rich_edit.h"
#include "letters/spell/spell_engine.h"
#include "letters/spell_words.h"
#include "platform/program_dir.h"

#include <QFileInfo>
#include <QTextBlock>

#include <ostream>

namespace tool {
namespace {

// Takes "--home DIR" wherever it stands; answers the other arguments.
Arguments takeHome(const Arguments& args, QString& home) {
    Arguments rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--home" && i + 1 < args.size())
            home = QString::fromStdString(args[++i]);
        else
            rest.push_back(args[i]);
    }
    return rest;
}

// The main dictionary and the user's words, if any; the tool creates no files.
bool openDictionaries(spell::TSpellEngine& engine, const QString& home, std::ostream& err) {
    if (!home.isEmpty())
        platform::SetProgramDir(QFileInfo(home).absoluteFilePath());
    letters::OpenProgramDictionaries(engine, false);
    if (!engine.HasMainDictionary()) {
        err << "corvane-tool: the dictionary " << engine.DictionaryName.string()
            << " is missing or damaged\n";
        return false;
    }
    return true;
}

int check(const Arguments& given, std::ostream& out, std::ostream& err) {
    QString home;
    const Arguments args = takeHome(given, home);
    if (args.size() != 1 || args[0].starts_with("--")) {
        err << "usage: corvane-tool spell check FILE.txt|FILE.rtf [--home DIR]\n";
        return ExitUsage;
    }
    const QString file = QFileInfo(QString::fromStdString(args[0])).absoluteFilePath();
    const auto app = MakeGuiApplication();
    spell::TSpellEngine engine;
    if (!openDictionaries(engine, home, err))
        return ExitFailure;
    controls::TRichEdit editor;
    if (!QFileInfo(file).isFile() || !editor.LoadFromFile(file)) {
        err << "corvane-tool: cannot read " << args[0] << '\n';
        return ExitFailure;
    }
    editor.StartWordWalk();
    for (QString word = letters::NextUnknownWord(editor, engine); !word.isEmpty();
         word = letters::NextUnknownWord(editor, engine)) {
        // A line is a paragraph of the letter.
        const int line = editor.textCursor().block().blockNumber() + 1;
        out << line << '\t' << word.toStdString() << '\n';
    }
    return ExitOk;
}

int suggest(const Arguments& given, std::ostream& out, std::ostream& err) {
    QString home;
    const Arguments args = takeHome(given, home);
    std::string word;
    unsigned max = 10;
    bool usage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--max" && i + 1 < args.size()) {
            bool ok = false;
            const int n = QString::fromStdString(args[++i]).toInt(&ok);
            if (!ok || n < 0 || n > 255) {
                err << "corvane-tool: --max takes a number from 0 to 255 (at most 220 are "
                       "given)\n";
                usage = true;
            }
            max = static_cast<unsigned>(n);
        } else if (word.empty() && !args[i].starts_with("--"))
            word = args[i];
        else
            usage = true;
    }
    if (usage || word.empty()) {
        err << "usage: corvane-tool spell suggest WORD [--max N] [--home DIR]\n";
        return ExitUsage;
    }
    const QString text = QString::fromStdString(word);
    if (!letters::SpellBytes(text)) {
        err << "corvane-tool: the dictionaries are Windows-1252, which cannot hold " << word
            << '\n';
        return ExitFailure;
    }
    // The application tells the program's folder, where the dictionaries are.
    const auto app = MakeGuiApplication();
    spell::TSpellEngine engine;
    if (!openDictionaries(engine, home, err))
        return ExitFailure;
    engine.SetMaxSuggestions(max);
    for (const letters::SpellProposal& proposal : letters::Suggestions(engine, text))
        out << proposal.score << '\t' << proposal.text.toStdString() << '\n';
    return ExitOk;
}

const Registration registrations[] = {
    Registration({"spell", "check", "FILE.txt|FILE.rtf [--home DIR]",
                  "the words no dictionary holds, each with its line (paragraph) number, "
                  "tab-separated",
                  check}),
    Registration({"spell", "suggest", "WORD [--max N] [--home DIR]",
                  "the proposals for a word, best first, each after its score (0 to 100)",
                  suggest}),
};

} // namespace
} // namespace tool
