// The table object on bad values and damaged files: posts are all or nothing, text keeps to
// the table's code page, and damage shows as a message instead of stopping the table.
#include "data/address_file.h"
#include "data/address_schema.h"
#include "data/table_object.h"
#include "data/xb_env.h"
#include "platform/program_dir.h"
#include "platform/scripted_dialogs.h"
#include "tests/xbase/damaged_tables.h"
#include "xbase/file.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using xbase::test::Damage;

class TableSafety : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        platform::SetProgramDir(home.path());
        data::TXbEnv::instance().Deleted = true;
    }
    void TearDown() override {
        table.close();
        platform::SetProgramDir({});
    }

    // An indexed address file with three records, each with a memo.
    QString addressFile() {
        const QString path = home.path() + "/ADD0001.DBF";
        data::TTable maker;
        data::TDataSource source;
        source.setDataSet(&maker);
        data::TXbEngine engine;
        engine.DataSource = &source;
        EXPECT_TRUE(data::CreateAddressFile(path, maker, engine));
        open(path);
        for (const char* name : {"Baker", "Adams", "Carter"}) {
            table.insert();
            table.setFieldText("LNAME", name);
            table.setFieldText("MEMO", QString("memo of ") + name);
            table.post();
        }
        table.close();
        return path;
    }

    void open(const QString& path) {
        ASSERT_TRUE(data::OpenAddressTable(path, table));
        data::SetupAddressView(
            table, [] { return QString(); }, [] { return QString("mm/dd/yyyy"); });
    }

    QTemporaryDir home;
    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;
    platform::ScriptedDialogs dialogs;
};

TEST_F(TableSafety, AFailedInsertLeavesNoRecordBehind) {
    const QString path = home.path() + "/PLAIN.DBF";
    xbase::Table::create(path.toStdString(),
                         {{"NAME", 'C', 20}, {"AMOUNT", 'N', 8, 2}, {"NOTE", 'M'}})
        .close();
    open(path);
    struct Case {
        const char* name;
        const char* amount;
        const char* note;
        int failWrite; // the write the disk refuses, 0 for none
        const char* says;
    };
    const Case cases[] = {
        {"Ann", "twelve", "", 0, "\"twelve\" is not a number"},
        {"Bob", "12", "a memo the full disk refuses", 1, "write failed"},
        {"\xc5\x82ucja", "1", "", 0, "code page 1252 cannot hold \"\xc5\x82\""},
    };
    for (const Case& c : cases) {
        table.insert();
        table.setFieldText("NAME", QString::fromUtf8(c.name));
        table.setFieldText("AMOUNT", c.amount);
        table.setFieldText("NOTE", c.note);
        xbase::testing::failNthWrite(c.failWrite);
        try {
            table.post();
            ADD_FAILURE() << c.name << " was stored";
        } catch (const data::TableError& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
        xbase::testing::failNthWrite(0);
        EXPECT_EQ(table.recordCount(), 0u) << c.name;
        EXPECT_EQ(table.state(), data::TableState::Insert) << "the edit stays open to mend";
        table.cancel();
    }
    table.insert();
    table.setFieldText("NAME", "Cy");
    table.setFieldText("AMOUNT", "12.5");
    table.post();
    EXPECT_EQ(table.recordCount(), 1u);
    EXPECT_EQ(table.fieldText("AMOUNT").trimmed(), "12.50");
}

TEST_F(TableSafety, TextIsReadAndWrittenInTheTablesCodePage) {
    const QString path = home.path() + "/DOS.DBF";
    {
        xbase::Table t = xbase::Table::create(path.toStdString(), {{"NAME", 'C', 20}});
        t.appendBlank();
        t.setText("NAME", "M\x81ller"); // 81h is "ü" in code page 437
        t.post();
    }
    xbase::test::patchBytes(path.toStdString(), 29, std::string(1, '\x01')); // code page 437
    open(path);
    EXPECT_EQ(table.fieldText("NAME"), QString::fromUtf8("M\u00fcller"));
    table.edit();
    table.setFieldText("NAME", QString::fromUtf8("G\u00f6del"));
    table.post();
    table.close();
    xbase::Table t = xbase::Table::open(path.toStdString(), xbase::OpenMode::ReadOnly);
    EXPECT_EQ(t.text("NAME"), "G\x94"
                              "del"); // 94h is "ö" in code page 437
}

TEST_F(TableSafety, AnUnreadableMemoShowsEmptyAndIsReported) {
    const QString path = addressFile();
    xbase::test::damageTable(path.toStdString(), Damage::MemoPointerPastEnd, 2);
    open(path);
    QSignalSpy damage(&table, &data::TTable::damageFound);
    table.first(); // record order: Baker, Adams, Carter
    table.next();
    EXPECT_EQ(table.fieldText("LNAME"), "Adams");
    EXPECT_TRUE(table.memoUnreadable());
    EXPECT_EQ(table.fieldText("MEMO"), "");
    ASSERT_GE(damage.count(), 1);
    EXPECT_TRUE(damage.first().first().toString().contains("lies outside the file"));
    // The rest of the record can still change; the memo stays as it was.
    table.edit();
    table.setFieldText("CITY", "Austin");
    table.post();
    EXPECT_EQ(table.fieldText("CITY"), "Austin");
    EXPECT_TRUE(table.memoUnreadable());
}

TEST_F(TableSafety, ADamagedOrderFallsBackToRecordOrder) {
    const QString path = addressFile();
    xbase::test::damageTable(path.toStdString(), Damage::IndexNodeDamaged, 2, "MEMO", "LNAME");
    open(path);
    engine.DataSource = &source;
    source.setDataSet(&table);
    QSignalSpy damage(&table, &data::TTable::damageFound);
    engine.setOrderNumber(engine.tagArea("LNAME"));
    table.first();
    EXPECT_GE(damage.count(), 1);
    EXPECT_EQ(table.fieldText("LNAME"), "Baker"); // record order
    table.next();
    EXPECT_EQ(table.fieldText("LNAME"), "Adams");
}

TEST_F(TableSafety, AnIndexHeldByAnotherProgramKeepsTheTableClosed) {
    const QString path = addressFile();
    xbase::File held(xbase::test::cdxOf(path.toStdString()), false, false,
                     xbase::FileLock::Exclusive);
    table.exclusive = true;
    EXPECT_FALSE(data::OpenAddressTable(path, table));
    EXPECT_FALSE(table.active());
}

TEST_F(TableSafety, AnUnreadableOrStaleIndexIsFoundAndRebuilt) {
    const QString path = addressFile();
    source.setDataSet(&table);
    engine.DataSource = &source;
    for (Damage damage : {Damage::IndexOutOfStep, Damage::IndexNodeDamaged}) {
        if (damage == Damage::IndexNodeDamaged) // the tag list itself: nothing can be read
            std::filesystem::resize_file(xbase::test::cdxOf(path.toStdString()), 700);
        else
            xbase::test::damageTable(path.toStdString(), damage);
        table.exclusive = true;
        open(path);
        EXPECT_FALSE(table.indexProblem().isEmpty());
        EXPECT_FALSE(data::CheckValidIndex(engine));
        if (damage == Damage::IndexNodeDamaged) {
            table.edit();
            table.setFieldText("CITY", "Boston");
            EXPECT_THROW(table.post(), data::TableError);
            table.cancel();
        }
        ASSERT_TRUE(data::BuildAddressIndexes(table, engine));
        EXPECT_TRUE(table.indexProblem().isEmpty());
        EXPECT_TRUE(data::CheckValidIndex(engine));
        table.close();
        open(path);
        EXPECT_TRUE(data::CheckValidIndex(engine));
        table.close();
    }
}

} // namespace
