#include "letters/letter_store.h"

#include "controls/rich_edit.h"
#include "data/address_file.h"
#include "data/data_source.h"
#include "data/memo_text.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "platform/cp1252.h"
#include "platform/path_lookup.h"
#include "platform/program_dir.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace letters {

namespace {

// Removes the exchange file however the transfer ends.
struct ExchangeFile {
    QString path = ExchangeFilePath();
    ~ExchangeFile() { QFile::remove(path); }
};

bool writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

QString ExchangeFilePath() {
    return platform::ProgramDir() + "eraseme.rtf";
}

QString RtfToMemo(const QByteArray& rtf) {
    QString text = QString::fromLatin1(rtf);
    text.replace("\r\n", "\n").replace('\r', '\n');
    if (text.endsWith('\n'))
        text.chop(1);
    return data::MemoTextToStore(text);
}

bool LoadRichText(const data::TTable& letters, controls::TRichEdit& editor) {
    ExchangeFile exchange;
    const std::string memo = platform::ToCp1252(letters.fieldText("RTF"));
    editor.Clear();
    if (!writeFile(exchange.path, QByteArray::fromStdString(memo)))
        return false;
    return editor.LoadFromFile(exchange.path);
}

bool SaveRichText(controls::TRichEdit& editor, data::TTable& letters) {
    ExchangeFile exchange;
    if (!editor.SaveToFile(exchange.path))
        return false;
    QFile file(exchange.path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString memo = RtfToMemo(file.readAll());
    file.close();
    // The memo's lines go through the file once more, as they are stored.
    if (!writeFile(exchange.path, memo.toLatin1()))
        return false;
    QFile again(exchange.path);
    if (!again.open(QIODevice::ReadOnly))
        return false;
    letters.setFieldText("RTF", QString::fromLatin1(again.readAll()));
    return true;
}

QList<LetterEntry> ListLetters(data::TTable& letters, data::TXbEngine& engine) {
    QList<LetterEntry> list;
    if (!letters.active())
        return list;
    letters.first();
    while (!letters.eof()) {
        if (!engine.deleted())
            list.append({letters.recordNumber(), letters.fieldText("DESCRIPT")});
        letters.next();
    }
    letters.first();
    return list;
}

bool OpenLetters(data::TTable& letters, data::TXbEngine& engine) {
    if (!data::OpenLetterTable(letters, engine))
        return false;
    // The list keeps the order the letters were made in.
    engine.setOrderNumber(0);
    letters.first();
    return true;
}

unsigned FindLetter(data::TTable& letters, data::TXbEngine& engine, const QString& description) {
    for (const LetterEntry& entry : ListLetters(letters, engine)) {
        if (entry.description.compare(description.trimmed(), Qt::CaseInsensitive) == 0)
            return entry.record;
    }
    return 0;
}

bool InstallSampleLetters(const QList<ShippedLetter>& shipped) {
    const QString folder = platform::RealPath("sysdata\\");
    if (QFileInfo::exists(platform::RealPathIn(folder, "LETTER.DBF")))
        return true;
    data::TTable table;
    data::TDataSource source;
    source.setDataSet(&table);
    data::TXbEngine engine;
    engine.DataSource = &source;
    if (!OpenLetters(table, engine))
        return false;
    controls::TRichEdit editor;
    try {
        for (const ShippedLetter& letter : shipped) {
            editor.SetRtfText(letter.rtf);
            table.insert();
            table.setFieldText("DESCRIPT", letter.description);
            if (!SaveRichText(editor, table)) {
                table.cancel();
                return false;
            }
            table.post();
        }
    } catch (const std::exception&) {
        return false;
    }
    table.close();
    return true;
}

bool InstallShippedLetters() {
    QFile index(":/letters/letters.txt");
    if (!index.open(QIODevice::ReadOnly))
        return false;
    QList<ShippedLetter> shipped;
    for (const QByteArray& line : index.readAll().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split('|');
        if (parts.size() != 2)
            continue;
        QFile letter(":/letters/" + QString::fromUtf8(parts[0]));
        if (letter.open(QIODevice::ReadOnly))
            shipped.append({QString::fromUtf8(parts[1]), letter.readAll()});
    }
    return InstallSampleLetters(shipped);
}

} // namespace letters
