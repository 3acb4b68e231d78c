#include "data/engine_cursor.h"

#include "data/table_object.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

namespace data {

namespace {

QString lowered(const std::filesystem::path& path) {
    return QString::fromStdString(path.string()).toLower();
}

} // namespace

TEngineCursor::TEngineCursor(TTable& table, std::uint64_t& moves)
    : table_(table), engine_(table.engineTable()), moves_(moves), recno_(engine_.recno()),
      eof_(engine_.eof()) {}

TEngineCursor::~TEngineCursor() {
    try {
        ++moves_;
        if (!eof_ && recno_ >= 1 && recno_ <= engine_.recordCount()) {
            engine_.goTo(recno_);
        } else {
            engine_.bottom();
            engine_.skip(1);
        }
    } catch (const std::exception&) {
        // The walk failed on a damaged file; the table finds out on its next move.
    }
}

void TEngineCursor::top() {
    ++moves_;
    engine_.top();
}

void TEngineCursor::bottom() {
    ++moves_;
    engine_.bottom();
}

void TEngineCursor::skip(int count) {
    ++moves_;
    engine_.skip(count);
}

void TEngineCursor::go(std::uint32_t recno) {
    ++moves_;
    engine_.goTo(recno);
}

bool TEngineCursor::eof() const {
    return engine_.eof();
}

bool TEngineCursor::bof() const {
    return engine_.bof();
}

std::uint32_t TEngineCursor::recno() const {
    return engine_.recno();
}

bool TEngineCursor::admitted() const {
    if (engine_.settings().deleted && engine_.deleted())
        return false;
    const std::string& query = engine_.query();
    return query.empty() || engine_.evaluateLogical(query);
}

QList<QVariant> TEngineCursor::values() {
    return table_.engineRecordValues();
}

int TEngineCursor::fieldNumber(const QString& name) const {
    const auto found = engine_.structure().find(table_.bytes(name, "The field name"));
    return found ? int(*found) : -1;
}

std::string_view TEngineCursor::fieldBytes(int field) const {
    return engine_.fieldBytes(std::size_t(field));
}

bool TEngineCursor::deleted() const {
    return engine_.deleted();
}

bool OrderVisitsWholeQuery(TTable& table) {
    if (!table.indexesOpen())
        return true;
    xbase::TableIndexes& indexes = table.indexes();
    const int order = indexes.order();
    if (order == 0)
        return true;
    return indexes.forExpression(order).empty() &&
           lowered(indexes.indexFile(order)) == lowered(indexes.structuralPath());
}

std::uint32_t QueryRecordCount(TTable& table) {
    return table.engineTable().queryCount();
}

} // namespace data
