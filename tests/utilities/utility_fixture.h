#pragma once

// An address file with its 26 tags in a temporary home, open as the main window holds it: the
// address view, the last-name order and the query "!ISDEL".
#include "data/address_file.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "data/xb_env.h"
#include "platform/program_dir.h"
#include "platform/scripted_dialogs.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

#include <QStringList>
#include <QTemporaryDir>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace testing_utilities {

using Values = std::vector<std::pair<QString, QString>>;

struct UtilityFixture {
    UtilityFixture() {
        platform::SetProgramDir(home.path());
        data::TXbEnv::instance().Deleted = true;
        source.setDataSet(&table);
        engine.DataSource = &source;
        path = home.path() + "/DATA/add0001.DBF";
        table.exclusive = true;
        created = data::CreateAddressFile(path, table, engine);
        reopen();
    }
    ~UtilityFixture() {
        table.close();
        platform::SetProgramDir({});
    }

    void reopen() {
        table.close();
        data::OpenAddressTable(path, table);
        data::SetupAddressView(
            table, [this] { return tagId; }, [] { return QString("mm/dd/yyyy"); });
        engine.setOrderNumber(engine.tagArea("LNAME"));
        engine.setQuery("!ISDEL");
    }

    // Appends a record with these values ("ISDEL" "T" marks it deleted by the user) and
    // answers its record number.
    unsigned add(const Values& values) {
        table.insert();
        for (const auto& [field, value] : values) {
            if (field == "ISDEL")
                table.setFieldBool("ISDEL", value == "T");
            else
                table.setFieldText(field, value);
        }
        table.post();
        return table.recordNumber();
    }

    // The stored value of a field of a record, whatever the query and the order.
    QString valueOf(unsigned recno, const QString& field) {
        xbase::Table& engineTable = table.engineTable();
        const xbase::Record record = engineTable.storedRecord(recno);
        const auto& f =
            engineTable.structure().field(engineTable.structure().indexOf(field.toStdString()));
        std::string_view bytes = record.bytes.substr(f.offset, f.width);
        while (!bytes.empty() && bytes.back() == ' ')
            bytes.remove_suffix(1);
        return table.text(bytes);
    }
    bool markedDeleted(unsigned recno) { return table.engineTable().storedRecord(recno).deleted(); }

    // What disagrees between the table and its tags, after the table is pushed to the disk;
    // empty when every tag is current.
    std::vector<std::string> indexProblems() { return table.indexes().check(); }

    // The file as the next program to open it finds it: every tag current and the index's
    // stamp vouching for the records.
    std::vector<std::string> problemsOnDisk() {
        table.close();
        std::vector<std::string> problems;
        {
            xbase::Table reopened =
                xbase::Table::open(path.toStdString(), xbase::OpenMode::ReadOnly);
            xbase::TableIndexes indexes(reopened);
            problems = indexes.check();
        }
        reopen();
        return problems;
    }

    platform::ScriptedDialogs dialogs;
    QTemporaryDir home;
    QString path;
    QString tagId = "272VQE0";
    bool created = false;
    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;
};

} // namespace testing_utilities
