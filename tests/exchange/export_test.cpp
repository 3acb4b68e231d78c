// The export to text, tables and vCards, and the round trips back through the imports.
#include "exchange/ascii_feed.h"
#include "exchange/ascii_sample.h"
#include "exchange/copy_out.h"
#include "exchange/import_pass.h"
#include "exchange/table_source.h"
#include "exchange/vcard_columns.h"
#include "tests/exchange/exchange_fixture.h"

#include <QFileInfo>

using namespace exchange;
using testing_exchange::AddressFile;
using testing_exchange::Values;

namespace {

// A record with every exported field set, and characters that need care in each format.
Values fullRecord() {
    return {{"PREFIX", "Dr."},
            {"FNAME", "Zoë"},
            {"MIDDLE", "Q"},
            {"LNAME", "O\"Brien, Jr."},
            {"TITLE", "Head; of \\ R&D"},
            {"ORG", "Café Ltd, Köln"},
            {"STREET", "1 Main St"},
            {"STREET2", "Suite 5"},
            {"CITY", "Genève"},
            {"STATE", "GE"},
            {"ZIP", "01234"},
            {"COUNTRY", "Switzerland"},
            {"PHONE", "+41 22 555 0101"},
            {"PHONE2", "(022) 555-0102"},
            {"EMAIL", "zoe@example.ch"},
            {"FAX", "+41 22 555 0103"},
            {"DATE", "19970428"},
            {"USER1", "first, comment"},
            {"USER2", "second €"},
            {"CODES", "ABC"},
            {"MEMO", "two\r\nlines"}};
}

Values withoutMemo(Values v) {
    v.remove("MEMO");
    return v;
}

class Export : public testing_exchange::ExchangeTest {
protected:
    void SetUp() override {
        ExchangeTest::SetUp();
        file = std::make_unique<AddressFile>(path("ADD0001.DBF"));
        file->add(fullRecord());
        file->add({{"LNAME", "Brown"}, {"FNAME", "Amy"}, {"MEMO", "abcd"}});
        file->add({{"LNAME", "Adams"}, {"ISDEL", "T"}});
        file->engine.setQuery("!ISDEL");
    }
    ExportResult exportTo(const QString& name, ExportOptions options) {
        return ExportRecords(file->table, file->engine, path(name), options, {});
    }
    // Imports a text file into a new address file, every column to the field the export
    // wrote there; answers its records.
    std::vector<Values> importText(const QString& name, TextEncoding encoding, CsvQuoting quoting) {
        AddressFile into(path("BACK" + QString::number(++backs) + ".DBF"));
        std::vector<std::pair<int, QString>> matches;
        for (int i = 0; i < ExportedTextFields().size(); ++i)
            matches.emplace_back(i, ExportedTextFields()[i]);
        AsciiFeed feed(path(name).toStdString(), encoding, quoting, 20, matches);
        return importInto(feed, into);
    }
    std::vector<Values> importInto(ImportFeed& feed, AddressFile& into) {
        const ImportCheck check = CheckImport(feed, into.table);
        EXPECT_EQ(check.problemCount, 0u);
        AppendImport(feed, check.total, into.table, into.engine, {});
        EXPECT_TRUE(RebuildImportIndexes(into.table, into.engine, {}));
        return into.records();
    }

    std::unique_ptr<AddressFile> file;
    int backs = 0;
};

} // namespace

TEST_F(Export, TextIsTheTwentyFieldsQuotedInTheOrderOfTheFilter) {
    file->engine.setOrderNumber(file->engine.tagArea("LNAME"));
    const ExportResult result = exportTo("out.txt", {ExportFormat::Csv});
    EXPECT_EQ(result.written, 2u);
    EXPECT_TRUE(result.error.isEmpty());
    const QByteArray text = read("out.txt");
    // Brown before O"Brien in last-name order; Adams is deleted. Windows-1252, no escaping.
    EXPECT_TRUE(
        text.startsWith(R"("","Amy","","Brown","","","","","","","","","","","","","","","","")"
                        "\r\n"));
    EXPECT_TRUE(text.contains(R"("Dr.","Zo)"
                              "\xEB"
                              R"(","Q","O"Brien, Jr.","Head; of \ R&D",)"));
    EXPECT_TRUE(text.endsWith(R"("19970428","first, comment","second )"
                              "\x80"
                              R"(","ABC")"
                              "\r\n"));
    EXPECT_EQ(text.count("\r\n"), 2);
}

TEST_F(Export, Rfc4180AndUtf8TextComesBackWhole) {
    exportTo("out.csv", {ExportFormat::Csv, true, true});
    QByteArray text = read("out.csv");
    EXPECT_TRUE(text.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(text.contains(R"("O""Brien, Jr.")"));
    // The detector sees what the export wrote.
    const TextFileGuess guess = GuessTextFile(path("out.csv").toStdString());
    EXPECT_EQ(guess.encoding, TextEncoding::Utf8);
    EXPECT_EQ(guess.quoting, CsvQuoting::Rfc4180);
    const std::vector<Values> back = importText("out.csv", guess.encoding, guess.quoting);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], withoutMemo(fullRecord()));
    EXPECT_EQ(back[1], (Values{{"LNAME", "Brown"}, {"FNAME", "Amy"}}));

    // A spreadsheet user changes a value and saves: the edit arrives, nothing else moves.
    text.replace("Genève", "Lausanne, Vaud");
    write("edited.csv", text);
    const std::vector<Values> edited =
        importText("edited.csv", TextEncoding::Utf8, CsvQuoting::Rfc4180);
    Values expected = withoutMemo(fullRecord());
    expected["CITY"] = "Lausanne, Vaud";
    EXPECT_EQ(edited[0], expected);
}

TEST_F(Export, TheProgramsOwnTextComesBackWhenNoValueHoldsAQuote) {
    file->engine.setQuery("!ISDEL .and. LNAME = \"Brown\"");
    exportTo("plain.txt", {ExportFormat::Csv});
    const std::vector<Values> back =
        importText("plain.txt", TextEncoding::Windows1252, CsvQuoting::Plain);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0], (Values{{"LNAME", "Brown"}, {"FNAME", "Amy"}}));
}

TEST_F(Export, TableCopiesTheStructureAndTheMemoWithItsBlank) {
    write("COPY.CDX", "an index of some older table");
    const ExportResult result = exportTo("COPY.DBF", {ExportFormat::Dbf});
    EXPECT_EQ(result.written, 2u);
    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("COPY.CDX")));
    ImportSource copy;
    ASSERT_EQ(copy.open(path("COPY.DBF")), ImportSource::Opened::Ok);
    EXPECT_EQ(copy.fields().size(), 23);
    copy.table.first();
    EXPECT_EQ(copy.table.fieldText("LNAME"), "O\"Brien, Jr.");
    EXPECT_EQ(copy.table.fieldText("MEMO"), "two\r\nlines");
    copy.table.next();
    // A memo whose length is a multiple of four is stored one blank longer.
    EXPECT_EQ(copy.table.fieldText("MEMO"), "abcd ");
}

TEST_F(Export, DestinationsThatCannotBeUsed) {
    const QString own = path("ADD0001.DBF");
    EXPECT_EQ(ExportDestinationProblem(path("x.txt"), own, ExportFormat::Dbf),
              MustHaveDbfExtension);
    EXPECT_EQ(ExportDestinationProblem(path("add0001.dbf"), own, ExportFormat::Dbf),
              CannotCopyToItself);
    EXPECT_EQ(ExportDestinationProblem(path("x.txt"), own, ExportFormat::Csv), QString());
    EXPECT_EQ(ExportOverwriteQuestion("C:/x.DBF"),
              "C:/x.DBF already exists.\r\nDo you want to overwrite it?");
}

TEST_F(Export, VCardsComeBackThroughTheirImport) {
    for (int version : {3, 4}) {
        const QString name = "cards" + QString::number(version) + ".vcf";
        exportTo(name, {ExportFormat::VCard, false, false, version});
        const QByteArray text = read(name);
        EXPECT_TRUE(
            text.startsWith("BEGIN:VCARD\r\nVERSION:" + QByteArray::number(version) + ".0\r\n"));
        AddressFile into(path("V" + QString::number(version) + ".DBF"));
        std::vector<std::pair<int, QString>> matches;
        for (int i = 0; i < int(VCardColumns().size()); ++i)
            if (*VCardColumns()[std::size_t(i)].address)
                matches.emplace_back(i, VCardColumns()[std::size_t(i)].address);
        VCardFeed feed(path(name).toStdString(), TextEncoding::Utf8, matches);
        const std::vector<Values> back = importInto(feed, into);
        ASSERT_EQ(back.size(), 2u);
        EXPECT_EQ(back[0], fullRecord()) << version;
        EXPECT_EQ(back[1], (Values{{"LNAME", "Brown"}, {"FNAME", "Amy"}, {"MEMO", "abcd"}}));
    }
}
