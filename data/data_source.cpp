#include "data/data_source.h"

namespace data {

void TDataSource::setDataSet(TTable* table) {
    disconnect(connection_);
    table_ = table;
    if (table)
        connection_ =
            connect(table, &TTable::dataChanged, this, [this] { emit dataChanged(state()); });
    emit dataChanged(state());
}

} // namespace data
