#pragma once

// An address file of a few records as the data surfaces see it: the address view's field
// labels are the descriptions the data objects look fields up by.
#include "data/address_file.h"
#include "data/address_schema.h"
#include "data/table_object.h"
#include "data/xb_env.h"
#include "xbase/table.h"

#include <QMap>
#include <QTemporaryDir>

namespace testing_layout {

class AddressTable {
public:
    // Opens a new address file in `folder`.
    explicit AddressTable(const QString& folder) {
        path = folder + QStringLiteral("/ADD0001.DBF");
        xbase::Table::create(path.toStdString(), data::EngineFields(data::AddressFields())).close();
        data::TXbEnv::instance().Deleted = true;
        opened = data::OpenAddressTable(path, table);
        data::SetupAddressView(
            table, [] { return QString(); }, [] { return QStringLiteral("mm/dd/yyyy"); });
    }
    ~AddressTable() { table.close(); }

    // Appends a record with these field values and shows it.
    void add(const QMap<QString, QString>& values) {
        table.insert();
        for (auto it = values.begin(); it != values.end(); ++it)
            table.setFieldText(it.key(), it.value());
        table.post();
    }

    QString path;
    data::TTable table;
    bool opened = false;
};

} // namespace testing_layout
