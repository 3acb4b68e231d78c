#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace controls {
class TRichEdit;
}
namespace data {
class TTable;
class TXbEngine;
} // namespace data

namespace letters {

// The exchange file through which a letter passes between its memo and an editor: a work
// file in the program folder.
QString ExchangeFilePath();

// The RTF text of a letter as its memo stores it: the lines joined by CR LF, and one blank
// appended to the last line when the length is a positive multiple of 4.
QString RtfToMemo(const QByteArray& rtf);

// Loads the current letter's RTF memo into the editor through the exchange file, which is
// deleted afterwards. False, leaving the editor empty, when the exchange file cannot be
// written.
bool LoadRichText(const data::TTable& letters, controls::TRichEdit& editor);
// Saves the editor's letter into the current record's RTF memo through the exchange file; the
// record must be in edit or insert state. False, leaving the memo as it was, when the exchange
// file cannot be written or read back.
bool SaveRichText(controls::TRichEdit& editor, data::TTable& letters);

// One letter of the list: its record and its description.
struct LetterEntry {
    unsigned record = 0;
    QString description;
};

// The letters in the table's natural order, deleted ones left out; the table is left at its
// first record.
QList<LetterEntry> ListLetters(data::TTable& letters, data::TXbEngine& engine);
// Opens LETTER.DBF (creating it when missing) in record order. False after the message.
bool OpenLetters(data::TTable& letters, data::TXbEngine& engine);
// The record of the letter with this description (letter case ignored), 0 when none.
unsigned FindLetter(data::TTable& letters, data::TXbEngine& engine, const QString& description);

// Letters that ship with the program: put into LETTER.DBF when the table is made for the first
// time (a new home). Each is a description and the RTF text.
struct ShippedLetter {
    QString description;
    QByteArray rtf;
};
// Creates LETTER.DBF with the shipped letters when it does not exist yet; an existing table is
// never touched. False when the table could not be made.
bool InstallSampleLetters(const QList<ShippedLetter>& shipped);
// The same with the letters the program carries in its resources (":/letters/letters.txt"
// names each file and its description, one "file|description" a line).
bool InstallShippedLetters();

} // namespace letters
