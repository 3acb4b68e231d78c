#pragma once

#include "data/address_file.h"
#include "data/address_schema.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "data/xb_env.h"
#include "platform/program_dir.h"
#include "platform/scripted_dialogs.h"

#include <QTemporaryDir>

#include <memory>

// A temporary program folder with an address file DATA\add0001.DBF open in the address view,
// sorted by last name and limited to records not deleted, as the main window has it.
struct AddressFixture {
    AddressFixture() {
        platform::SetProgramDir(home.path());
        data::TXbEnv::instance().Deleted = true;
        source.setDataSet(&table);
        engine.DataSource = &source;
        path = home.path() + "/DATA/add0001.DBF";
        created = data::CreateAddressFile(path, table, engine);
        reopen();
    }
    ~AddressFixture() {
        table.close();
        platform::SetProgramDir({});
    }

    // Opens the file again with the view in its design order.
    void reopen() {
        table.close();
        data::OpenAddressTable(path, table);
        data::SetupAddressView(
            table, [this] { return tagId; }, [] { return QString("mm/dd/yyyy"); });
        engine.setOrderNumber(engine.tagArea("LNAME"));
        engine.setQuery("!ISDEL");
    }

    // Appends a record and answers its record number.
    unsigned add(const QString& last, const QString& first = {}, const QString& city = {},
                 const QString& date = {}, const QString& tag = {}) {
        table.insert();
        table.setFieldText("LNAME", last);
        table.setFieldText("FNAME", first);
        table.setFieldText("CITY", city);
        table.setFieldText("DATE", date);
        table.setFieldText("TAG", tag);
        table.post();
        return table.recordNumber();
    }

    // The main window's tag toggle on the current record.
    void toggleTag() {
        table.edit();
        table.setFieldText("TAG", table.fieldText("TAG") == tagId ? QString() : tagId);
        table.post();
    }

    QStringList viewOrder() const {
        QStringList names;
        for (const data::FieldInfo& field : table.fields())
            names << field.name;
        return names;
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
