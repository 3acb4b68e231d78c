#pragma once

// An address file on a temporary home for the exchange tests, its messages answered by script.
#include "data/address_file.h"
#include "data/address_schema.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "exchange/field_match.h"
#include "platform/program_dir.h"
#include "platform/scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace testing_exchange {

using Values = QMap<QString, QString>;

// An address file open in its own table object, as the import dialogs have it.
struct AddressFile {
    explicit AddressFile(const QString& path) {
        source.setDataSet(&table);
        engine.DataSource = &source;
        table.exclusive = true;
        if (!QFile::exists(path)) {
            EXPECT_TRUE(data::CreateAddressFile(path, table, engine));
        }
        EXPECT_TRUE(data::OpenAddressTable(path, table));
        for (const data::FieldInfo& f : table.fields())
            table.field(f.name)->label = exchange::AddressFieldLabel(f.name);
    }
    void add(const Values& values) {
        table.insert();
        for (auto it = values.begin(); it != values.end(); ++it)
            table.setFieldText(it.key(), it.value());
        table.post();
    }
    // Every record in record order, each stored field by name (blank ones left out).
    std::vector<Values> records() {
        std::vector<Values> all;
        const QString order = table.indexName;
        engine.setOrderNumber(0);
        for (table.first(); !table.eof(); table.next()) {
            Values v;
            for (const data::FieldInfo& f : table.fields())
                if (!f.calculated && !table.fieldText(f.name).isEmpty() &&
                    !(f.kind == data::FieldKind::Boolean && table.fieldText(f.name) == "F"))
                    v[f.name] = table.fieldText(f.name);
            all.push_back(v);
        }
        if (!order.isEmpty())
            engine.setOrderNumber(engine.tagArea(order));
        return all;
    }

    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;
};

class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        platform::SetProgramDir(home.path());
    }
    QString path(const QString& name) const { return home.path() + "/" + name; }
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QByteArray read(const QString& name) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir home;
    platform::ScriptedDialogs dialogs;
};

} // namespace testing_exchange
