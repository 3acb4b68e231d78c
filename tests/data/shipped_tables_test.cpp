// The shipped reference tables: the CSV rows they are made from, the US ZIP code table made
// in a new home and looked up, and what a missing or damaged one answers.
#include "data/shipped_tables.h"
#include "data/table_object.h"
#include "data/zip_city_table.h"
#include "platform/program_dir.h"
#include "tests/xbase/damaged_tables.h"
#include "xbase/table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <variant>

#include <gtest/gtest.h>

namespace {

using xbase::test::Damage;

QByteArray shippedZipRows() {
    QFile file(CORVANE_FIXTURES "/../../resources/data/us-zip-cities.csv");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

using Rows = std::vector<std::vector<std::string>>;

Rows csvRows(std::string_view csv) {
    Rows rows;
    data::ReadCsvRows(csv, [&rows](std::span<const std::string> row) {
        rows.emplace_back(row.begin(), row.end());
    });
    return rows;
}

// Rows like the shipped ones: `count` ZIPs from 10000 up, each in its own city.
QByteArray madeUpZipRows(int count) {
    QString csv = "ZIP,CITY,STATE\r\n";
    for (int i = 0; i < count; ++i)
        csv += QString("%1,City %2,NY\r\n").arg(10000 + i).arg(i);
    return csv.toUtf8();
}

TEST(ReadCsvRows, QuotedFieldsLineEndsAndBlankLines) {
    const struct {
        const char* csv;
        Rows rows;
    } cases[] = {
        {"ZIP,CITY\r\n62704,Springfield\r\n", {{"ZIP", "CITY"}, {"62704", "Springfield"}}},
        {"72901,\"Fort Smith, West\",AR\n", {{"72901", "Fort Smith, West", "AR"}}},
        {"\"say \"\"hi\"\"\",x", {{"say \"hi\"", "x"}}},
        {"\"two\r\nlines\",x\r\n", {{"two\r\nlines", "x"}}},
        {"a,b\r\n\r\n  \r\nc,d", {{"a", "b"}, {"c", "d"}}},
        {",\n\"\"\n", {{"", ""}, {""}}},
        {"a,b,", {{"a", "b", ""}}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(csvRows(c.csv), c.rows) << c.csv;
}

class ZipCityTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        platform::SetProgramDir(home.path());
    }
    void TearDown() override { platform::SetProgramDir({}); }

    QString sysdata(const QString& name) const { return home.path() + "/sysdata/" + name; }

    // What a lookup answers: the city and state, "not found", or why the table is refused.
    static QString lookUp(const QString& zip) {
        data::ZipCityTable table;
        const QString problem = table.open();
        if (!problem.isEmpty())
            return "cannot be used: " + problem;
        try {
            const std::optional<data::ZipCity> found = table.find(zip);
            return found ? found->zip + " " + found->city + " " + found->state : "not found";
        } catch (const data::TableError& error) {
            return QString("damaged: ") + error.what();
        }
    }

    QTemporaryDir home;
};

TEST_F(ZipCityTableTest, MadeFromTheShippedRowsAndLookedUpByTheFirstFiveDigits) {
    const QByteArray rows = shippedZipRows();
    ASSERT_FALSE(rows.isEmpty());
    ASSERT_TRUE(data::InstallZipCityTable(rows));
    EXPECT_EQ(xbase::Table::open(sysdata("ZIPCITY.DBF").toStdString(), xbase::OpenMode::ReadOnly)
                  .recordCount(),
              42555u);
    EXPECT_TRUE(QFile::exists(sysdata("ZIPCITY.CDX")));
    EXPECT_FALSE(QFile::exists(sysdata("ZIPCITY.DBF.new")));

    const struct {
        const char* typed;
        const char* answer;
    } cases[] = {
        {"62704", "62704 Springfield IL"},
        {"96910", "96910 Hagatna GU"},
        {"00501", "00501 Holtsville NY"},
        {"99950", "99950 Ketchikan AK"},
        {"62704-1234", "62704 Springfield IL"},
        {" 62704 ", "62704 Springfield IL"},
        {"00000", "not found"},
        {"6270", "not found"},
        {"A2704", "not found"},
        {"", "not found"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lookUp(c.typed), c.answer) << c.typed;

    // Every shipped row is found with its own city and state.
    data::ZipCityTable table;
    ASSERT_EQ(table.open(), QString());
    const Rows shipped = csvRows(std::string_view(rows.constData(), rows.size()));
    ASSERT_EQ(shipped.size(), 42556u);
    for (std::size_t r = 1; r < shipped.size(); ++r) {
        const std::optional<data::ZipCity> found =
            table.find(QString::fromStdString(shipped[r][0]));
        ASSERT_TRUE(found) << shipped[r][0];
        ASSERT_EQ((found->city + "," + found->state).toStdString(),
                  shipped[r][1] + "," + shipped[r][2]);
    }

    // An existing table is never made again.
    EXPECT_TRUE(data::InstallZipCityTable(madeUpZipRows(3)));
    EXPECT_EQ(lookUp("62704"), "62704 Springfield IL");
}

TEST_F(ZipCityTableTest, AQuotedCityKeepsItsComma) {
    ASSERT_TRUE(data::InstallZipCityTable("ZIP,CITY,STATE\r\n72901,\"Smith, Fort\",AR\r\n"));
    EXPECT_EQ(lookUp("72901"), "72901 Smith, Fort AR");
}

// A build cut short leaves its files behind; the next start makes the table anyway. A home
// whose sysdata is no folder gets no table and no stray files.
TEST_F(ZipCityTableTest, AFailedBuildLeavesNothingAndALeftOverOneIsReplaced) {
    ASSERT_TRUE(QDir(home.path()).mkpath("sysdata"));
    for (const char* left : {"ZIPCITY.DBF.new", "ZIPCITY.DBF.cdx", "ZIPCITY.CDX"}) {
        QFile file(sysdata(left));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("left over");
    }
    ASSERT_TRUE(data::InstallZipCityTable(madeUpZipRows(5)));
    EXPECT_EQ(lookUp("10004"), "10004 City 4 NY");
    EXPECT_EQ(QDir(home.path() + "/sysdata").entryList(QDir::Files),
              (QStringList{"ZIPCITY.CDX", "ZIPCITY.DBF"}));

    QTemporaryDir other;
    platform::SetProgramDir(other.path());
    QFile blocker(other.path() + "/sysdata");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(data::InstallZipCityTable(madeUpZipRows(5)));
    EXPECT_EQ(QDir(other.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
              QStringList{"sysdata"});
}

// A missing or damaged table is refused with the reason, or found out at the lookup; it never
// answers with another ZIP's city.
TEST_F(ZipCityTableTest, AMissingOrDamagedTableIsRefusedWithTheReason) {
    enum class Harm { TableGone, IndexGone, TableCut, HeaderGarbage, ZipChangedBehindTheIndex };
    using Change = std::variant<Harm, Damage>;
    const struct {
        Change change;
        const char* answerBegins;
    } cases[] = {
        {Harm::TableGone, "cannot be used: it is missing"},
        {Harm::IndexGone, "cannot be used: its index ZIPCITY.CDX is missing"},
        {Harm::TableCut, "cannot be used: "},
        {Harm::HeaderGarbage, "cannot be used: "},
        {Harm::ZipChangedBehindTheIndex, "cannot be used: "},
        {Damage::IndexNodeDamaged, "damaged: "},
        {Damage::IndexOutOfStep, "cannot be used: "},
        {Damage::IndexEntryPastEnd, "damaged: "},
    };
    for (const auto& c : cases) {
        QDir(home.path() + "/sysdata").removeRecursively();
        ASSERT_TRUE(data::InstallZipCityTable(madeUpZipRows(400)));
        ASSERT_EQ(lookUp("10399"), "10399 City 399 NY");
        const std::filesystem::path dbf = sysdata("ZIPCITY.DBF").toStdString();
        if (const Damage* damage = std::get_if<Damage>(&c.change))
            xbase::test::damageTable(dbf, *damage, 2, "", "ZIP");
        switch (std::holds_alternative<Harm>(c.change) ? std::get<Harm>(c.change) : Harm(-1)) {
        case Harm::TableGone:
            QFile::remove(sysdata("ZIPCITY.DBF"));
            break;
        case Harm::IndexGone:
            QFile::remove(sysdata("ZIPCITY.CDX"));
            break;
        case Harm::TableCut:
            std::filesystem::resize_file(dbf, std::filesystem::file_size(dbf) / 2);
            break;
        case Harm::HeaderGarbage:
            xbase::test::patchBytes(dbf, 0, std::string(32, '\xEE'));
            break;
        case Harm::ZipChangedBehindTheIndex: {
            // As a program that does not keep the index would change it.
            xbase::Table table = xbase::Table::open(dbf);
            table.goTo(400);
            table.setText("ZIP", "99999");
            table.post();
            break;
        }
        }
        const QString answer = lookUp("10399");
        EXPECT_TRUE(answer.startsWith(c.answerBegins))
            << answer.toStdString() << " after change " << c.change.index() << "/"
            << std::visit([](auto v) { return int(v); }, c.change);
    }
}

} // namespace
