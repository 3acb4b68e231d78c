#include "controls/rich_edit.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "data/xb_env.h"
#include "letters/letter_run.h"
#include "letters/letter_store.h"
#include "letters/merge.h"
#include "platform/program_dir.h"
#include "tests/controls/rtf_test_support.h"
#include "tests/letters/letters_fixture.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using testing_letters::Letter;

QHash<QString, QString> values(const char* first, const char* last) {
    letters::AddressValues v;
    v.first = first;
    v.last = last;
    return letters::MergeValues(v, QDate(2024, 1, 2), "mm/dd/yyyy");
}

TEST(Merge, ReplacesEveryMarkInAnyLetterCase) {
    const auto document = ReadDocument(Letter({"[First], [FIRST] and [first] [Last]"}));
    letters::ReplaceTokens(*document, values("Ann", "Baker"));
    EXPECT_EQ(Paragraphs(*document), QStringList{"Ann, Ann and Ann Baker"});
    const auto none = ReadDocument(Letter({"No fields here"}));
    letters::ReplaceTokens(*none, values("Ann", "Baker"));
    EXPECT_EQ(Paragraphs(*none), QStringList{"No fields here"});
}

TEST(Merge, AValueHoldingALaterMarkIsMergedInTurnButNotItsOwn) {
    const auto document = ReadDocument(Letter({"[First]"}));
    letters::ReplaceTokens(*document, values("[Last] [First]", "Baker"));
    EXPECT_EQ(Paragraphs(*document), QStringList{"Baker [First]"});
}

TEST(Merge, TheAddressBlockBecomesParagraphs) {
    const auto document = ReadDocument(Letter({"[Name and Address]", "Dear [Full Name]:"}));
    letters::AddressValues v;
    v.first = "Ann";
    v.last = "Baker";
    v.city = "Springfield";
    v.zip = "62704";
    letters::ReplaceTokens(*document, letters::MergeValues(v, QDate(2024, 1, 2), "mm/dd/yyyy"));
    EXPECT_EQ(Paragraphs(*document),
              (QStringList{"Ann Baker ", "Springfield  62704", "", "Dear Ann Baker :"}));
}

// A PDF writer that counts the pages it is asked to start.
class CountingWriter : public QPdfWriter {
public:
    using QPdfWriter::QPdfWriter;
    bool newPage() override {
        ++newPages;
        return QPdfWriter::newPage();
    }
    int newPages = 0;
};

class LetterFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        platform::SetProgramDir(home.path());
        data::TXbEnv::instance().Deleted = true;
        testing_letters::WriteAddressFile(home.filePath("ADDR.DBF"));
        addressSource.setDataSet(&addresses);
        addressEngine.DataSource = &addressSource;
        ASSERT_TRUE(data::OpenAddressTable(home.filePath("ADDR.DBF"), addresses));
        addressEngine.setQuery("NOT ISDEL");
        addresses.first();
    }
    QTemporaryDir home;
    data::TTable addresses;
    data::TDataSource addressSource;
    data::TXbEngine addressEngine;
};

TEST_F(LetterFiles, TwoCopiesOfATwoPageLetterTakeFourPagesARecord) {
    controls::TRichEdit templ, work;
    templ.SetRtfText("{\\rtf1 Page one for [First]\\page Page two\\par}");
    CountingWriter writer(home.filePath("out.pdf"));
    QPainter painter(&writer);
    std::vector<int> afterEach;
    const int pages =
        letters::PrintLetters(templ, work, addresses, {2, false}, writer, painter, [&](int count) {
            afterEach.push_back(count);
            return true;
        });
    painter.end();
    EXPECT_EQ(pages, 8) << "two records not deleted";
    EXPECT_EQ(afterEach, (std::vector<int>{4, 8}));
    EXPECT_EQ(writer.newPages, 7);
}

TEST_F(LetterFiles, OnlyTheCurrentRecordAndAStopAfterARecord) {
    controls::TRichEdit templ, work;
    templ.SetRtfText(Letter({"For [First]"}));
    QTextDocument merged;
    addresses.last();
    EXPECT_EQ(letters::MergeLettersInto(templ, work, addresses, {1, true}, merged, {}), 1);
    EXPECT_EQ(Paragraphs(merged), QStringList{QString("For J") + QChar(0xFC) + "rgen"});
    addresses.first();
    QTextDocument stopped;
    EXPECT_EQ(letters::MergeLettersInto(templ, work, addresses, {3, false}, stopped,
                                        [](int) { return false; }),
              3);
    EXPECT_EQ(Paragraphs(stopped), (QStringList{"For Ann", "For Ann", "For Ann"}));
    const QTextBlock second = stopped.begin().next();
    EXPECT_TRUE(second.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
}

TEST_F(LetterFiles, ALetterPassesThroughTheExchangeFileIntoItsMemoAndBack) {
    data::TTable table;
    data::TDataSource source;
    source.setDataSet(&table);
    data::TXbEngine engine;
    engine.DataSource = &source;
    ASSERT_TRUE(letters::OpenLetters(table, engine));
    controls::TRichEdit editor;
    editor.SetRtfText(Letter({"Dear [First],", QString("Caf\\'e9 [Name and Address]")}));
    controls::PageSetup a4{11906, 16838, 1134, 1417, 1134, 1417};
    editor.SetPage(a4);
    table.insert();
    table.setFieldText("DESCRIPT", "Welcome");
    ASSERT_TRUE(letters::SaveRichText(editor, table));
    table.post();
    EXPECT_FALSE(QFile::exists(letters::ExchangeFilePath()));
    const QString memo = table.fieldText("RTF");
    const QString written = QString::fromLatin1(editor.RtfText()).trimmed();
    EXPECT_EQ(memo, written.size() % 4 == 0 ? written + " " : written);

    controls::TRichEdit loaded;
    ASSERT_TRUE(letters::LoadRichText(table, loaded));
    EXPECT_FALSE(QFile::exists(letters::ExchangeFilePath()));
    EXPECT_EQ(Paragraphs(*loaded.document()),
              (QStringList{"Dear [First],", QString("Caf") + QChar(0xE9) + " [Name and Address]"}));
    EXPECT_EQ(loaded.Page(), a4);
    EXPECT_EQ(letters::FindLetter(table, engine, "welcome"), 1u);
    EXPECT_EQ(letters::FindLetter(table, engine, "other"), 0u);
}

TEST_F(LetterFiles, AMemoOfALengthDivisibleByFourIsStoredOneLonger) {
    data::TTable table;
    data::TDataSource source;
    source.setDataSet(&table);
    data::TXbEngine engine;
    engine.DataSource = &source;
    ASSERT_TRUE(letters::OpenLetters(table, engine));
    controls::TRichEdit editor;
    // Lengthen the letter until its RTF is a multiple of 4 long.
    QString text = "x";
    while ((editor.SetRtfText(Letter({text})),
            QString::fromLatin1(editor.RtfText()).trimmed().size() % 4 != 0))
        text += "x";
    const int length = int(QString::fromLatin1(editor.RtfText()).trimmed().size());
    table.insert();
    ASSERT_TRUE(letters::SaveRichText(editor, table));
    table.post();
    EXPECT_EQ(table.fieldText("RTF").size() + 0, length + 1);
    EXPECT_TRUE(table.fieldText("RTF").endsWith("} "));
}

TEST_F(LetterFiles, ANewHomeGetsTheShippedLettersOnce) {
    const QByteArray rtf = Letter({"[Name and Address]", "Dear [First],"});
    ASSERT_TRUE(letters::InstallSampleLetters({{"Sample", rtf}}));
    ASSERT_TRUE(letters::InstallSampleLetters({{"Other", rtf}})) << "an existing table stays";
    data::TTable table;
    data::TDataSource source;
    source.setDataSet(&table);
    data::TXbEngine engine;
    engine.DataSource = &source;
    ASSERT_TRUE(letters::OpenLetters(table, engine));
    const QList<letters::LetterEntry> list = letters::ListLetters(table, engine);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].description, "Sample");
}

} // namespace
