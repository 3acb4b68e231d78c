#include "data/address_file.h"
#include "data/address_schema.h"
#include "data/table_object.h"
#include "data/xb_env.h"
#include "platform/program_dir.h"
#include "platform/scripted_dialogs.h"
#include "xbase/table.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// An address file without its index: enough for the table object's record handling.
class AddressTable : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        platform::SetProgramDir(home.path());
        const std::vector<xbase::Field> fields = data::EngineFields(data::AddressFields());
        path = home.path() + "/ADD0001.DBF";
        xbase::Table::create(path.toStdString(), fields).close();
        data::TXbEnv::instance().Deleted = true;
        ASSERT_TRUE(data::OpenAddressTable(path, table));
        data::SetupAddressView(
            table, [this] { return tagId; }, [] { return QString("mm/dd/yyyy"); });
    }
    void TearDown() override {
        table.close();
        platform::SetProgramDir({});
    }

    void add(const QString& last, const QString& first, const QString& memo = {}) {
        table.insert();
        table.setFieldText("LNAME", last);
        table.setFieldText("FNAME", first);
        if (!memo.isEmpty())
            table.setFieldText("MEMO", memo);
        table.post();
    }

    QTemporaryDir home;
    QString path;
    QString tagId = "ABC";
    data::TTable table;
    platform::ScriptedDialogs dialogs;
};

TEST_F(AddressTable, EmptyTableIsAtBothEnds) {
    EXPECT_TRUE(table.active());
    EXPECT_TRUE(table.bof());
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.recordNumber(), 1u); // record count + 1 when nothing is shown
    table.next();
    EXPECT_TRUE(table.eof());
}

TEST_F(AddressTable, InsertPostNavigateAndStopAtTheEnds) {
    add("Smith", "John", "Likes long letters");
    add(QString::fromUtf8("M\u00fcller"), QString::fromUtf8("J\u00fcrgen \u2013 Jr"));
    add("Brown", "Ann");
    EXPECT_EQ(table.recordCount(), 3u);

    table.first();
    EXPECT_EQ(table.fieldText("LNAME"), "Smith");
    EXPECT_EQ(table.fieldText("MEMO"), "Likes long letters");
    EXPECT_FALSE(table.eof());
    table.next();
    EXPECT_EQ(table.fieldText("LNAME"), QString::fromUtf8("M\u00fcller"));
    EXPECT_EQ(table.fieldText("FNAME"), QString::fromUtf8("J\u00fcrgen \u2013 Jr"));
    table.next();
    table.next(); // past the end: stays on the last record with the end flag
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.fieldText("LNAME"), "Brown");
    table.prior();
    EXPECT_FALSE(table.eof());
    table.first();
    table.prior();
    EXPECT_TRUE(table.bof());
    EXPECT_EQ(table.fieldText("LNAME"), "Smith");
}

TEST_F(AddressTable, CancelDiscardsAndMovingPostsAPendingEdit) {
    add("Smith", "John");
    add("Brown", "Ann");
    table.first();
    table.edit();
    table.setFieldText("CITY", "Austin");
    table.cancel();
    EXPECT_EQ(table.fieldText("CITY"), "");
    table.edit();
    table.setFieldText("CITY", "Boston");
    table.next(); // ends the edit by saving it
    table.first();
    EXPECT_EQ(table.fieldText("CITY"), "Boston");
    EXPECT_EQ(table.state(), data::TableState::Browse);
    // Values longer than the field are cut to its width.
    table.edit();
    table.setFieldText("MIDDLE", "QX");
    table.post();
    EXPECT_EQ(table.fieldText("MIDDLE"), "Q");
}

TEST_F(AddressTable, DeletedRecordsDisappearAtTheNextReading) {
    add("Smith", "John");
    add("Brown", "Ann");
    table.first();
    table.deleteRecord();
    table.first();
    EXPECT_EQ(table.fieldText("LNAME"), "Brown");
    table.next();
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.fieldText("LNAME"), "Brown");
}

TEST_F(AddressTable, CalculatedFieldsFollowTheRecord) {
    table.insert();
    table.setFieldText("FNAME", "John");
    table.setFieldText("LNAME", "Smith");
    table.setFieldText("PREFIX", "Dr.");
    table.setFieldText("CITY", "Austin");
    table.setFieldText("STATE", "TX");
    table.setFieldText("ZIP", "78701");
    table.setFieldText("DATE", "19970428");
    table.setFieldText("TAG", "ABC");
    table.post();
    EXPECT_EQ(table.calculatedValue("FullName").toString(), "John Smith");
    EXPECT_EQ(table.calculatedValue("FullNameWithPrefix").toString(), "Dr. John Smith");
    EXPECT_EQ(table.calculatedValue("CityStateZip").toString(), "Austin TX 78701");
    EXPECT_EQ(table.calculatedValue("DisplayDate").toString(), "04/28/1997");
    EXPECT_TRUE(table.calculatedValue("Tagged").toBool());
    tagId = "OTHER";
    table.refresh();
    EXPECT_FALSE(table.calculatedValue("Tagged").toBool());
    EXPECT_FALSE(table.field("MEMO")->visible);
    EXPECT_FALSE(table.field("FullName")->visible);
    EXPECT_EQ(table.fields().first().name, "Tagged");
    EXPECT_EQ(table.field("LNAME")->label, "Last Name");
    EXPECT_EQ(table.field("LNAME")->displayWidth, 20);
}

TEST(OpenAddressTable, MissingFileIsReported) {
    platform::ScriptedDialogs dialogs;
    data::TTable table;
    EXPECT_FALSE(data::OpenAddressTable("/nonexistent/ADD0009.DBF", table));
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"File /nonexistent/ADD0009.DBF not found"});
    EXPECT_FALSE(table.active());
}

TEST(OpenAddressTable, DamagedFileFailsWithoutCrash) {
    QTemporaryDir home;
    const QString path = home.path() + "/BAD.DBF";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x03garbage that is not a table");
    file.close();
    platform::ScriptedDialogs dialogs;
    data::TTable table;
    EXPECT_FALSE(data::OpenAddressTable(path, table));
    EXPECT_FALSE(table.active());
}

} // namespace
