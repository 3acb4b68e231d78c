// Index operations of the engine object (placeholder until the index engine lands).
#include "data/xb_engine.h"

namespace data {

int TXbEngine::tagArea(const QString&) {
    return 0;
}
void TXbEngine::setOrderNumber(int) {}
int TXbEngine::indexOrd() {
    return 0;
}
QString TXbEngine::tagName() {
    return {};
}
QString TXbEngine::indexName() {
    return {};
}
QStringList TXbEngine::tagNames() {
    return {};
}
void TXbEngine::indexTag(const QString&, const QString&, const QString&, int, bool,
                         const QString&) {
    throw TableError(TableError::Kind::General, "Indexes are not available");
}
void TXbEngine::closeIndexes() {}
void TXbEngine::setScope(const QString&, const QString&) {}
void TXbEngine::clearScope() {}

} // namespace data
