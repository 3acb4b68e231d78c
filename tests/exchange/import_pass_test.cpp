// The import passes on a real address file: the text import's rules, what a cancel or a value
// the file cannot hold leaves, and the table imports.
#include "data/address_file.h"
#include "exchange/ascii_feed.h"
#include "exchange/import_pass.h"
#include "exchange/table_source.h"
#include "tests/exchange/exchange_fixture.h"
#include "xbase/table.h"

using namespace exchange;
using testing_exchange::AddressFile;
using testing_exchange::Values;

namespace {

class ImportPass : public testing_exchange::ExchangeTest {
protected:
    // Checks, appends and rebuilds as the dialogs do; answers the end of the append.
    ImportResult import(ImportFeed& feed, AddressFile& file, unsigned stopAfter = 0) {
        const ImportCheck check = CheckImport(feed, file.table);
        EXPECT_EQ(check.problemCount, 0u) << UnholdableMessage(check, "line", "f").toStdString();
        ImportHooks hooks;
        hooks.progress = [stopAfter](unsigned done, unsigned) { return done != stopAfter; };
        const ImportResult result = AppendImport(feed, check.total, file.table, file.engine, hooks);
        EXPECT_TRUE(RebuildImportIndexes(file.table, file.engine, {}));
        EXPECT_TRUE(data::CheckValidIndex(file.engine));
        return result;
    }
};

// Columns 1 to 3 feed the last name, first name and city.
std::vector<std::pair<int, QString>> nameCityMatches() {
    return {{0, "LNAME"}, {1, "FNAME"}, {2, "CITY"}};
}

} // namespace

TEST_F(ImportPass, AppendsOneRecordALineByTheTextRules) {
    AddressFile file(path("ADD0001.DBF"));
    file.add({{"LNAME", "Existing"}});
    const QString csv = write("in.csv", "Smith,John,Boston\r\n"
                                        "\"Jones, Jr.\",Fred,Vienna,extra,fields\r\n"
                                        "Short\r\n"
                                        "\r\n"
                                        "\"Quote,Anna,\"Paris\r\n"
                                        "A name far longer than the thirty characters,x,y\r\n"
                                        "Wide," +
                                            QByteArray(2100, 'x') + ",Denver\r\n");
    AsciiFeed feed(csv.toStdString(), TextEncoding::Utf8, CsvQuoting::Plain, 3, nameCityMatches());
    const ImportResult result = import(feed, file);
    EXPECT_EQ(result.end, ImportEnd::Complete);
    EXPECT_EQ(result.imported, 7u);
    const std::vector<Values> records = file.records();
    ASSERT_EQ(records.size(), 8u);
    EXPECT_EQ(records[1], (Values{{"LNAME", "Smith"}, {"FNAME", "John"}, {"CITY", "Boston"}}));
    EXPECT_EQ(records[2], (Values{{"LNAME", "Jones, Jr."}, {"FNAME", "Fred"}, {"CITY", "Vienna"}}));
    EXPECT_EQ(records[3], (Values{{"LNAME", "Short"}}));
    EXPECT_EQ(records[4], Values{}); // a blank line is a blank record
    EXPECT_EQ(records[5], (Values{{"LNAME", "\"Quote,Anna,\"Paris"}}));
    EXPECT_EQ(records[6]["LNAME"], "A name far longer than the thi");
    // A line is read whole, however long: its fields past the 2048th character still arrive.
    EXPECT_EQ(records[7]["LNAME"], "Wide");
    EXPECT_EQ(records[7]["CITY"], "Denver");
    // The tags were built over the new records.
    file.engine.setOrderNumber(file.engine.tagArea("LNAME"));
    EXPECT_TRUE(file.engine.seek("JONES"));
}

TEST_F(ImportPass, ACancelKeepsTheRecordsAppendedAndRebuildsTheIndex) {
    AddressFile file(path("ADD0001.DBF"));
    const QString csv = write("in.csv", "a\r\nb\r\nc\r\nd\r\n");
    AsciiFeed feed(csv.toStdString(), TextEncoding::Utf8, CsvQuoting::Plain, 1, {{0, "LNAME"}});
    const ImportResult result = import(feed, file, 2);
    EXPECT_EQ(result.end, ImportEnd::Cancelled);
    EXPECT_EQ(result.imported, 2u);
    EXPECT_EQ(file.records().size(), 2u);
    EXPECT_EQ(ImportCancelledMessage(2), "Import cancelled after importing 2 records.");
}

// A source that breaks after some records, read on the second thread as a text file is.
class BreakingFeed : public ImportFeed {
public:
    explicit BreakingFeed(unsigned good) : good_(good) {}
    QStringList targets() const override { return {"LNAME"}; }
    void rewind() override { read_ = 0; }
    bool next(ImportRecord& record) override {
        if (read_ == good_)
            throw ImportReadError("the disk went away");
        record.where = ++read_;
        record.values = {"Name " + std::to_string(read_)};
        return true;
    }
    bool canReadAhead() const override { return true; }
    QString whereName() const override { return "line"; }

private:
    unsigned good_;
    unsigned read_ = 0;
};

TEST_F(ImportPass, AReadErrorKeepsEveryRecordReadBeforeItAndTheIndexIsRebuilt) {
    AddressFile file(path("ADD0001.DBF"));
    BreakingFeed feed(1300); // more than two batches read ahead
    const ImportResult result = AppendImport(feed, 2000, file.table, file.engine, {});
    EXPECT_EQ(result.end, ImportEnd::ReadError);
    EXPECT_EQ(result.imported, 1300u);
    EXPECT_EQ(result.error, "the disk went away");
    EXPECT_TRUE(RebuildImportIndexes(file.table, file.engine, {}));
    EXPECT_TRUE(data::CheckValidIndex(file.engine));
    const std::vector<Values> records = file.records();
    ASSERT_EQ(records.size(), 1300u);
    EXPECT_EQ(records.back()["LNAME"], "Name 1300");
}

TEST_F(ImportPass, ValuesTheFileCannotHoldAreReportedWithTheirLineBeforeAnythingIsWritten) {
    AddressFile file(path("ADD0001.DBF"));
    file.add({{"LNAME", "Existing"}});
    const QString csv = write("in.csv", "Nowak,Jan\r\n"
                                        "\xC5\x81\xC3\xB3"
                                        "d\xC5\xBA,Zofia\r\n"
                                        "Kowalski,Pawe\xC5\x82\r\n");
    AsciiFeed feed(csv.toStdString(), TextEncoding::Utf8, CsvQuoting::Plain, 2,
                   {{0, "LNAME"}, {1, "FNAME"}});
    const ImportCheck check = CheckImport(feed, file.table);
    EXPECT_EQ(check.total, 3u);
    ASSERT_EQ(check.problemCount, 2u);
    EXPECT_EQ(check.problems[0].where, 2u);
    EXPECT_EQ(check.problems[0].field, "Last Name");
    EXPECT_EQ(check.problems[1].where, 3u);
    EXPECT_EQ(check.problems[1].field, "First Name");
    const QString message = UnholdableMessage(check, "line", "in.csv");
    EXPECT_TRUE(message.startsWith("in.csv holds characters that the address file cannot hold, "
                                   "so nothing was imported:\r\nline 2, Last Name: "))
        << message.toStdString();
    EXPECT_TRUE(message.contains("line 3, First Name: code page 1252 cannot hold \"ł\" (U+0142)"))
        << message.toStdString();
    EXPECT_EQ(file.records().size(), 1u);
    EXPECT_TRUE(data::CheckValidIndex(file.engine));
}

TEST_F(ImportPass, TextFromWindows1252AndUtf16ArrivesWithEveryCharacter) {
    AddressFile file(path("ADD0001.DBF"));
    const QString ansi =
        write("ansi.csv", "M\xFCller,J\xFCrgen,K\xF6ln\r\n\x80uro,\x9C,\xE9t\xE9\r\n");
    AsciiFeed fromAnsi(ansi.toStdString(), TextEncoding::Windows1252, CsvQuoting::Plain, 3,
                       nameCityMatches());
    import(fromAnsi, file);
    QByteArray utf16("\xFF\xFE");
    const QString text = QString::fromUtf8("Ångström,Zoë,Genève\r\n");
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const QString wide = write("wide.csv", utf16);
    AsciiFeed fromUtf16(wide.toStdString(), TextEncoding::Utf16LE, CsvQuoting::Plain, 3,
                        nameCityMatches());
    import(fromUtf16, file);
    const std::vector<Values> records = file.records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], (Values{{"LNAME", "Müller"}, {"FNAME", "Jürgen"}, {"CITY", "Köln"}}));
    EXPECT_EQ(records[1], (Values{{"LNAME", "€uro"}, {"FNAME", "œ"}, {"CITY", "été"}}));
    EXPECT_EQ(records[2], (Values{{"LNAME", "Ångström"}, {"FNAME", "Zoë"}, {"CITY", "Genève"}}));
}

TEST_F(ImportPass, TablesMatchByNameAndLabelAndSkipDeletedRecords) {
    const std::string source = path("OTHER.DBF").toStdString();
    {
        xbase::Table t = xbase::Table::create(source, {{"city", 'C', 20},
                                                       {"LNAME", 'C', 20},
                                                       {"lname2", 'C', 20},
                                                       {"AMOUNT", 'N', 8, 2},
                                                       {"NOTES", 'M', 10}});
        for (const char* name : {"Lee", "Gone", "Ito"}) {
            t.appendBlank();
            t.setText("city", "Oslo");
            t.setText("LNAME", name);
            t.setNumber("AMOUNT", 42.5);
            t.setMemo("NOTES", "memo of " + std::string(name));
            t.post();
            if (std::string(name) == "Gone")
                t.setDeleted(true);
        }
    }
    AddressFile file(path("ADD0001.DBF"));
    ImportSource src;
    ASSERT_EQ(src.open(QString::fromStdString(source)), ImportSource::Opened::Ok);
    const QList<data::FieldInfo> fields = src.fields();
    const std::vector<QString> automatic = AutoMatchTableFields(fields, file.table);
    EXPECT_EQ(automatic, (std::vector<QString>{"CITY", "LNAME", "", "", "MEMO"}));
    // "Last Name" is the label of LNAME; a field named like a label fills that field.
    QList<data::FieldInfo> labelled = fields;
    labelled[2].name = "Last Name";
    labelled[1].name = "First Name";
    EXPECT_EQ(AutoMatchTableFields(labelled, file.table)[1], "FNAME");
    EXPECT_EQ(AutoMatchTableFields(labelled, file.table)[2], "LNAME");
    // Two fields that fit one address field: the first takes it. A field of another type
    // never matches by itself.
    data::FieldInfo odd;
    odd.name = "EMAIL";
    odd.engineType = 'I';
    QList<data::FieldInfo> more{fields[1], fields[1], odd};
    EXPECT_EQ(AutoMatchTableFields(more, file.table), (std::vector<QString>{"LNAME", "", ""}));
    EXPECT_FALSE(SourceFits('M', 'C'));
    EXPECT_TRUE(SourceFits('I', 'C'));
    EXPECT_FALSE(SourceFits('C', 'M'));

    TableFeed feed(src, {{0, "CITY"}, {1, "LNAME"}, {3, "USER1"}, {4, "MEMO"}});
    EXPECT_EQ(import(feed, file).imported, 2u);
    const std::vector<Values> records = file.records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(
        records[0],
        (Values{{"CITY", "Oslo"}, {"LNAME", "Lee"}, {"USER1", "42.50"}, {"MEMO", "memo of Lee"}}));
    EXPECT_EQ(records[1]["LNAME"], "Ito");
    // A table without records is refused.
    xbase::Table::create(path("EMPTY.DBF").toStdString(), {{"A", 'C', 5}}).close();
    ImportSource empty;
    EXPECT_EQ(empty.open(path("EMPTY.DBF")), ImportSource::Opened::NoRecords);
    EXPECT_EQ(empty.open(path("MISSING.DBF")), ImportSource::Opened::CannotOpen);
}

TEST(OlderVersion, DatesBecomeEightDigits) {
    const struct {
        const char* value;
        const char* pattern;
        const char* stored;
    } cases[] = {
        {"19970428", "mm/dd/yyyy", "19970428"},
        {"", "mm/dd/yyyy", ""},
        {"04/28/1997", "mm/dd/yyyy", "19970428"},
        {"4/8/1997", "mm/dd/yyyy", "19970408"},
        {"28.04.1997", "dd.mm.yyyy", "19970428"},
        {"19971345", "mm/dd/yyyy", ""},
        {"soon", "mm/dd/yyyy", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertOldDate(c.value, c.pattern), c.stored) << c.value;
}

TEST_F(ImportPass, OlderVersionTablesAreRecognisedAndCopiedWithTheFixedMapping) {
    std::vector<xbase::Field> layout;
    for (const char* name :
         {"LNAME", "FNAME", "MIDDLE", "TITLE", "ORG", "STREET", "CITY", "STATE", "ZIP", "COUNTRY",
          "PHONE", "EMAIL", "FAX", "NOTES", "PREFIX", "CARRIER", "DATE"})
        layout.push_back({name, 'C', 20});
    layout.push_back({"MEMO", 'M', 10});
    const std::string old = path("OLD.DBF").toStdString();
    {
        xbase::Table t = xbase::Table::create(old, layout);
        const struct {
            const char* last;
            const char* date;
            const char* memo;
        } rows[] = {{"Ames", "19970428", "abcd"},
                    {"Bell", "04/28/1997", "a\r\nb"},
                    {"Cole", "whenever", ""}};
        for (const auto& r : rows) {
            t.appendBlank();
            t.setText("LNAME", r.last);
            t.setText("NOTES", "AB");
            t.setText("CARRIER", "C001");
            t.setText("DATE", r.date);
            t.setMemo("MEMO", r.memo);
            t.post();
        }
    }
    ImportSource src;
    ASSERT_EQ(src.open(QString::fromStdString(old)), ImportSource::Opened::Ok);
    ASSERT_TRUE(IsCorvane1xTable(src.fields()));
    AddressFile file(path("ADD0001.DBF"));
    TableFeed feed(src, Corvane1xMatches(src.fields()), "mm/dd/yyyy");
    EXPECT_EQ(import(feed, file).imported, 3u);
    const std::vector<Values> records = file.records();
    ASSERT_EQ(records.size(), 3u);
    // A memo of four characters gets the blank of text from a text box; so does one of three
    // with its line break counted as two.
    EXPECT_EQ(
        records[0],
        (Values{{"LNAME", "Ames"}, {"CODES", "AB"}, {"DATE", "19970428"}, {"MEMO", "abcd "}}));
    EXPECT_EQ(records[1]["DATE"], "19970428");
    EXPECT_EQ(records[1]["MEMO"], "a\r\nb ");
    EXPECT_FALSE(records[2].contains("DATE"));
    EXPECT_FALSE(records[2].contains("MEMO"));

    // Without CARRIER, which is not even copied, the table is not the older version's.
    layout.erase(layout.begin() + 15);
    xbase::Table::create(path("NOCARR.DBF").toStdString(), layout).close();
    ImportSource other;
    other.open(path("NOCARR.DBF"));
    EXPECT_FALSE(IsCorvane1xTable(other.fields()));
}
