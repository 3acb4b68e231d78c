// Index operations of the engine object: orders, tag builds, scope.
#include "data/xb_engine.h"

#include "xbase/index_set.h"
#include "xbase/table.h"

#include <QFileInfo>

namespace data {

namespace {

std::filesystem::path pathOf(const QString& file) {
    return std::filesystem::path(file.toStdString());
}

} // namespace

int TXbEngine::tagArea(const QString& tag) {
    TTable& t = table();
    if (!t.active())
        return 0;
    return t.indexes().orderOf(tag.toStdString());
}

void TXbEngine::setOrderNumber(int order) {
    moving([&](xbase::Table& engine) {
        TTable& t = table();
        t.indexes().setOrder(order);
        t.indexName = order > 0 ? QString::fromStdString(t.indexes().tagName(order)) : QString();
        // Stay on the record shown when it is in the new order.
        const unsigned shown = t.recordNumber();
        if (shown >= 1 && shown <= engine.recordCount())
            engine.goTo(shown);
        else
            engine.top();
    });
}

int TXbEngine::indexOrd() {
    TTable& t = table();
    return t.active() && t.indexesOpen() ? t.indexes().order() : 0;
}

QString TXbEngine::tagName() {
    const int order = indexOrd();
    return order > 0 ? QString::fromStdString(table().indexes().tagName(order)) : QString();
}

QString TXbEngine::indexName() {
    TTable& t = table();
    if (!t.active() || !t.indexesOpen() || t.indexes().orderCount() == 0)
        return {};
    const int order = indexOrd() > 0 ? indexOrd() : 1;
    return QString::fromStdString(t.indexes().indexFile(order).string());
}

QStringList TXbEngine::tagNames() {
    QStringList names;
    for (const std::string& name : table().indexes().tagNames())
        names << QString::fromStdString(name);
    return names;
}

void TXbEngine::indexTag(const QString& file, const QString& tag, const QString& key, int option,
                         bool descending, const QString& condition) {
    TTable& t = table();
    const std::string keyBytes = t.bytes(key, "The index key");
    const std::string conditionBytes = t.bytes(condition, "The index condition");
    moving([&](xbase::Table&) {
        t.indexes().indexTag(pathOf(file), tag.toStdString(), keyBytes, option, descending,
                             conditionBytes, gauge_);
        t.indexName = tag;
        t.engineTable().top();
    });
    t.flushUnlessBulk();
}

void TXbEngine::dropStructuralIndex() {
    TTable& t = table();
    moving([&](xbase::Table&) { t.dropStructuralIndex(); });
}

QString TXbEngine::indexProblem() {
    TTable& t = table();
    return t.active() ? t.indexProblem() : QString();
}

void TXbEngine::closeIndexes() {
    TTable& t = table();
    if (!t.active() || !t.indexesOpen())
        return;
    moving([&](xbase::Table&) {
        t.indexes().close();
        t.indexName.clear();
    });
}

void TXbEngine::closeIndex(const QString& file) {
    TTable& t = table();
    if (!t.active() || !t.indexesOpen())
        return;
    moving([&](xbase::Table&) {
        xbase::TableIndexes& indexes = t.indexes();
        indexes.close(pathOf(file));
        t.indexName = QString::fromStdString(indexes.tagName());
    });
}

void TXbEngine::addKeys(int order, const std::vector<unsigned>& recnos) {
    try {
        table().indexes().addKeysOf(order, recnos);
    } catch (const xbase::Error& error) {
        throw TableError(TableError::Kind::General, QString::fromUtf8(error.what()));
    }
}

void TXbEngine::setScope(const QString& top, const QString& bottom) {
    const std::string topBytes = table().bytes(top, "The scope"),
                      bottomBytes = table().bytes(bottom, "The scope");
    moving([&](xbase::Table& engine) {
        table().indexes().setScope(topBytes, bottomBytes);
        engine.top();
    });
}

void TXbEngine::clearScope() {
    moving([&](xbase::Table&) { table().indexes().clearScope(); });
}

} // namespace data
