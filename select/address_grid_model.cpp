#include "select/address_grid_model.h"

#include "data/engine_cursor.h"

#include <QMetaObject>

#include <algorithm>
#include <cstdlib>

namespace selection {

AddressGridModel::AddressGridModel(data::TTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    reload();
}

void AddressGridModel::reload() {
    beginResetModel();
    reloadQueued_ = false;
    columns_.clear();
    for (const data::FieldInfo& field : table_.fields()) {
        if (!field.visible)
            continue;
        columns_ << Column{field.name, field.label.isEmpty() ? field.name : field.label,
                           field.displayWidth, field.kind == data::FieldKind::Boolean};
    }
    rows_ = 0;
    currentRow_ = -1;
    recnos_.clear();
    knownRuns_.clear();
    rowOf_.clear();
    texts_.clear();
    if (table_.active()) {
        try {
            countRows();
        } catch (const std::exception&) {
            rows_ = 0;
            recnos_.clear();
            knownRuns_.clear();
            rowOf_.clear();
        }
    }
    endResetModel();
}

// Record order and the tags of the structural index without a condition hold every record the
// query admits, so its count is the number of rows; other orders (work indexes) are walked.
void AddressGridModel::countRows() {
    if (data::OrderVisitsWholeQuery(table_)) {
        rows_ = int(std::min<std::uint32_t>(data::QueryRecordCount(table_), INT32_MAX));
        recnos_.assign(std::size_t(rows_), 0);
        return;
    }
    std::vector<std::uint32_t> walked;
    {
        data::TEngineCursor e(table_, counters_.engineMoves);
        e.top();
        while (!e.eof() && walked.size() < std::size_t(INT32_MAX)) {
            walked.push_back(e.recno());
            e.skip(1);
        }
    }
    rows_ = int(walked.size());
    recnos_.assign(walked.size(), 0);
    for (int row = 0; row < rows_; ++row)
        remember(row, walked[std::size_t(row)]);
}

int AddressGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int AddressGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant AddressGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return text(index.row(), index.column());
}

QVariant AddressGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section >= 0 && section < columns_.size())
            return columns_[section].title;
        return {};
    }
    if (role == Qt::DisplayRole)
        return section == currentRow_ ? QString(QChar(0x25B6)) : QString();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags AddressGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QString AddressGridModel::columnField(int column) const {
    return column >= 0 && column < columns_.size() ? columns_[column].field : QString();
}

int AddressGridModel::columnOfField(const QString& name) const {
    for (int column = 0; column < columns_.size(); ++column) {
        if (columns_[column].field.compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

int AddressGridModel::columnDisplayWidth(int column) const {
    return column >= 0 && column < columns_.size() ? columns_[column].displayWidth : 0;
}

QString AddressGridModel::text(int row, int column) const {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_.size())
        return {};
    auto it = texts_.find(row);
    if (it == texts_.end()) {
        try {
            fetch(row);
        } catch (const std::exception&) {
            // A record that cannot be read shows blank rather than being tried on every paint.
        }
        it = texts_.find(row);
        if (it == texts_.end()) {
            QStringList blank;
            for (qsizetype i = 0; i < columns_.size(); ++i)
                blank << QString();
            it = texts_.emplace(row, blank).first;
        }
    }
    return it->second.value(column);
}

void AddressGridModel::readRow(data::TEngineCursor& cursor, int row) const {
    ++counters_.recordsRead;
    const QList<QVariant> values = cursor.values();
    QStringList texts;
    texts.reserve(columns_.size());
    for (qsizetype c = 0; c < columns_.size(); ++c) {
        const Column& column = columns_[c];
        const int field = c < fieldIndex_.size() ? fieldIndex_[c] : -1;
        const QVariant value = field >= 0 && field < values.size() ? values[field] : QVariant();
        texts << (column.boolean ? (value.toBool() ? QStringLiteral("Yes") : QStringLiteral("No"))
                                 : value.toString());
    }
    texts_[row] = texts;
}

// Where each column's field stands in the view now (moving a column moves its field).
void AddressGridModel::mapColumns() const {
    fieldIndex_.clear();
    for (const Column& column : columns_)
        fieldIndex_ << table_.fieldIndex(column.field);
}

void AddressGridModel::fetch(int row) const {
    mapColumns();
    // The nearest row whose record is known; the top and the bottom are always at hand.
    enum class From { Known, Top, Bottom };
    From from = From::Top;
    int anchor = 0;
    int distance = row;
    if (rows_ - 1 - row < distance) {
        from = From::Bottom;
        anchor = rows_ - 1;
        distance = rows_ - 1 - row;
    }
    const auto after = knownRuns_.upper_bound(row);
    if (after != knownRuns_.begin()) {
        const int below = std::min(std::prev(after)->second, row);
        if (row - below <= distance) {
            from = From::Known;
            anchor = below;
            distance = row - below;
        }
    }
    if (after != knownRuns_.end() && after->first - row < distance) {
        from = From::Known;
        anchor = after->first;
        distance = after->first - row;
    }

    data::TEngineCursor e(table_, counters_.engineMoves);
    if (from == From::Known) {
        e.go(recnos_[std::size_t(anchor)]);
    } else {
        if (from == From::Top)
            e.top();
        else
            e.bottom();
        if (e.eof()) {
            countIsStale();
            return;
        }
        remember(anchor, e.recno());
    }

    // Away from the anchor; from the row itself forwards, except at the bottom.
    const int step = anchor < row || (anchor == row && row < rows_ - 1) ? 1 : -1;
    const int end =
        step > 0 ? std::min(rows_ - 1, row + BlockRows - 1) : std::max(0, row - BlockRows + 1);
    // The rows passed on the way are read too when they are near (they are about to be shown);
    // a long walk only notes where its rows are.
    const bool readPassed = distance <= BlockRows;
    auto wanted = [&](int at) { return readPassed || (step > 0 ? at >= row : at <= row); };
    int at = anchor;
    if (wanted(at) && !texts_.count(at))
        readRow(e, at);
    while (at != end) {
        const bool pastRow = step > 0 ? at >= row : at <= row;
        if (pastRow && texts_.count(at + step))
            break;
        e.skip(step);
        if (step > 0 ? e.eof() : e.bof()) {
            countIsStale();
            break;
        }
        at += step;
        remember(at, e.recno());
        if (wanted(at) && !texts_.count(at))
            readRow(e, at);
    }
    forgetFarRows(row);
}

void AddressGridModel::remember(int row, std::uint32_t recno) const {
    std::uint32_t& known = recnos_[std::size_t(row)];
    if (known == recno)
        return;
    if (known != 0) {
        // The rows moved under the grid (the table changed): note it and count again.
        rowOf_.remove(known);
        known = recno;
        rowOf_.insert(recno, row);
        countIsStale();
        return;
    }
    known = recno;
    rowOf_.insert(recno, row);
    auto next = knownRuns_.upper_bound(row);
    if (next != knownRuns_.begin()) {
        auto previous = std::prev(next);
        if (previous->second == row - 1) {
            previous->second = row;
            if (next != knownRuns_.end() && next->first == row + 1) {
                previous->second = next->second;
                knownRuns_.erase(next);
            }
            return;
        }
    }
    if (next != knownRuns_.end() && next->first == row + 1) {
        const int last = next->second;
        knownRuns_.erase(next);
        knownRuns_[row] = last;
        return;
    }
    knownRuns_[row] = row;
}

void AddressGridModel::forgetFarRows(int around) const {
    if (texts_.size() <= std::size_t(CachedRows))
        return;
    for (auto it = texts_.begin(); it != texts_.end();) {
        if (std::abs(it->first - around) > CachedRows / 2)
            it = texts_.erase(it);
        else
            ++it;
    }
}

void AddressGridModel::countIsStale() const {
    if (reloadQueued_)
        return;
    reloadQueued_ = true;
    auto* self = const_cast<AddressGridModel*>(this);
    QMetaObject::invokeMethod(
        self, [self] { self->reload(); }, Qt::QueuedConnection);
}

unsigned AddressGridModel::recordOfRow(int row) const {
    if (row < 0 || row >= rows_)
        return 0;
    if (recnos_[std::size_t(row)] == 0) {
        try {
            fetch(row);
        } catch (const std::exception&) {
            return 0;
        }
    }
    return recnos_[std::size_t(row)];
}

int AddressGridModel::rowOfRecord(unsigned recno) const {
    if (recno == 0 || rows_ == 0)
        return -1;
    if (const auto known = rowOf_.constFind(recno); known != rowOf_.constEnd())
        return *known;
    // Other orders were walked whole when counted, so a record not met then is not in them.
    if (!data::OrderVisitsWholeQuery(table_))
        return -1;
    try {
        if (recno > table_.recordCount())
            return -1;
        data::TEngineCursor e(table_, counters_.engineMoves);
        e.go(recno);
        if (!e.admitted())
            return -1;
        // Walk from the record towards both ends in growing steps until one end (or a row
        // already known) gives its row; the cost follows the nearer end.
        std::vector<std::uint32_t> before, after; // nearest first
        int row = -1;
        for (std::size_t budget = BlockRows; row < 0; budget *= 2) {
            e.go(before.empty() ? recno : before.back());
            while (row < 0 && before.size() < budget) {
                e.skip(-1);
                if (e.bof()) {
                    row = int(before.size());
                    break;
                }
                const int steps = int(before.size()) + 1;
                if (const auto k = rowOf_.constFind(e.recno()); k != rowOf_.constEnd())
                    row = *k + steps;
                before.push_back(e.recno());
            }
            if (row >= 0)
                break;
            e.go(after.empty() ? recno : after.back());
            while (row < 0 && after.size() < budget) {
                e.skip(1);
                if (e.eof()) {
                    row = rows_ - 1 - int(after.size());
                    break;
                }
                const int steps = int(after.size()) + 1;
                if (const auto k = rowOf_.constFind(e.recno()); k != rowOf_.constEnd())
                    row = *k - steps;
                after.push_back(e.recno());
            }
        }
        if (row < 0 || row >= rows_) {
            countIsStale();
            return -1;
        }
        remember(row, recno);
        for (std::size_t i = 0; i < before.size() && row - 1 - int(i) >= 0; ++i)
            remember(row - 1 - int(i), before[i]);
        for (std::size_t i = 0; i < after.size() && row + 1 + int(i) < rows_; ++i)
            remember(row + 1 + int(i), after[i]);
        return row;
    } catch (const std::exception&) {
        return -1;
    }
}

void AddressGridModel::refreshRow(int row) {
    if (row < 0 || row >= rows_ || recnos_[std::size_t(row)] == 0)
        return;
    bool stillAdmitted = true;
    try {
        data::TEngineCursor e(table_, counters_.engineMoves);
        e.go(recnos_[std::size_t(row)]);
        stillAdmitted = e.admitted();
        if (stillAdmitted) {
            mapColumns();
            readRow(e, row);
        }
    } catch (const std::exception&) {
        texts_.erase(row);
    }
    if (!stillAdmitted) {
        reload();
        return;
    }
    emit dataChanged(index(row, 0), index(row, int(columns_.size()) - 1));
}

void AddressGridModel::setCurrentRow(int row) {
    const int old = currentRow_;
    currentRow_ = row >= 0 && row < rows_ ? row : -1;
    if (old == currentRow_)
        return;
    if (old >= 0)
        emit headerDataChanged(Qt::Vertical, old, old);
    if (currentRow_ >= 0)
        emit headerDataChanged(Qt::Vertical, currentRow_, currentRow_);
}

} // namespace selection
