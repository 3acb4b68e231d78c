#pragma once

#include "data/data_source.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <vector>

namespace xbase {
class Table;
}

namespace data {

// Engine functions that a table object does not offer, each on the table of its data source.
// Operations that move the engine first end an edit of the table and afterwards let the table
// show the record the engine stands on.
class TXbEngine : public QObject {
    Q_OBJECT
public:
    explicit TXbEngine(QObject* parent = nullptr) : QObject(parent) {}

    TDataSource* DataSource = nullptr;
    QStringList ExtraIndexes;
    QString Filter;
    bool TurboRead = false;

    // Query: only matching records are visited; also becomes Filter.
    void setQuery(const QString& expression);
    QString queryText() const;
    unsigned queryRecCount();
    bool queryTest(const QString& expression);

    bool seek(const QString& key);
    bool found();
    void go(unsigned recno);
    unsigned recNo();
    unsigned recCount();
    bool deleted();

    // Orders by tag of the structural index: 0 when the tag is missing.
    int tagArea(const QString& tag);
    void setOrderNumber(int order);
    int indexOrd();
    QString tagName();
    QString indexName();
    QStringList tagNames();
    // Builds a tag; it becomes the controlling order. An empty file means the table's
    // structural index.
    void indexTag(const QString& file, const QString& tag, const QString& key, int option = 0,
                  bool descending = false, const QString& condition = {});
    void closeIndexes();
    // Closes one index file; record order follows when the controlling order was in it.
    void closeIndex(const QString& file);
    // Adds the keys of records to a work index order (one built empty, option 2), wherever
    // the engine stands: a pass walking another order gathers the records it found and adds
    // them at its end, in one build.
    void addKeys(int order, const std::vector<unsigned>& recnos);
    // Closes and deletes the table's structural index, also one that cannot be read.
    void dropStructuralIndex();
    // Why the structural index cannot be used (see TTable::indexProblem).
    QString indexProblem();

    void pack();
    void zap();
    // Creates an empty table with the same fields (and a memo file when it has a memo) at the
    // path; an existing file there is replaced.
    void copyStructure(const QString& path);
    void setScope(const QString& top, const QString& bottom);
    void clearScope();

    QString getMemo(const QString& field);
    bool evalLogical(const QString& expression);
    bool empty(const QString& field);
    void replace(const QString& field, const QString& value);

    // Progress of long operations (pack, index builds) in percent.
    void setGaugeHook(std::function<void(int percent)> hook);

    // Called when the data source's table becomes active: applies Filter as the query.
    void tableOpened();

private:
    TTable& table();
    template <typename F> auto withRecordSync(F&& work);
    // Ends an edit, runs work that moves the engine, then lets the table show where it stands.
    // A move through a damaged order falls back to record order (TTable::moveEngine).
    void moving(const std::function<void(xbase::Table&)>& work);
    std::function<void(int)> gauge_;
};

} // namespace data
