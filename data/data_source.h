#pragma once

#include "data/table_object.h"

#include <QObject>
#include <QPointer>

namespace data {

// Links bound controls to a table: it reports every data change together with the table's
// state, unless code has stopped the controls following the table.
class TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(QObject* parent = nullptr) : QObject(parent) {}
    void setDataSet(TTable* table);
    TTable* dataSet() const { return table_; }
    TableState state() const { return table_ ? table_->state() : TableState::Inactive; }

signals:
    void dataChanged(TableState state);

private:
    QPointer<TTable> table_;
    QMetaObject::Connection connection_;
};

} // namespace data
