#include "select/apply_query.h"

#include "data/xb_engine.h"

#include <QCursor>
#include <QGuiApplication>

#include <exception>

namespace selection {

namespace {

// The busy cursor while a query is counted; nothing without a GUI (the command-line tool).
class BusyCursor {
public:
    BusyCursor() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (shown_)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~BusyCursor() {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool shown_;
};

} // namespace

bool TooComplex(const QString& queryString) {
    return queryString.size() + qsizetype(sizeof NotDeletedTerm) - 1 > MaxQueryLength;
}

ApplyResult ApplyQuery(data::TXbEngine& engine, QueryVars& vars, QString& queryString,
                       const QString& globalTagId) {
    BusyCursor busy;
    queryString = BuildQueryString(vars, globalTagId);
    if (queryString.isEmpty()) {
        engine.setQuery(NotDeletedQuery);
        return {0, ApplyOutcome::NoFilter, {}};
    }
    if (TooComplex(queryString)) {
        // Too long an expression leaves no filter set, not only no criteria.
        ClearQueryVars(vars);
        queryString.clear();
        engine.setQuery(NotDeletedQuery);
        return {0, ApplyOutcome::TooComplex, {}};
    }

    const QString query = queryString + NotDeletedTerm;
    ApplyResult result{0, ApplyOutcome::Matches, {}};
    try {
        // Asks how far the indexes can serve the query; an expression that does not compile
        // is refused by setQuery below with the engine's reason.
        engine.queryTest(query);
        engine.setQuery(query);
        result.count = engine.queryRecCount();
    } catch (const std::exception& error) {
        result.outcome = ApplyOutcome::Refused;
        result.engineMessage = QString::fromLocal8Bit(error.what());
    }
    if (result.outcome == ApplyOutcome::Matches && result.count > 0)
        return result;
    if (result.outcome == ApplyOutcome::Matches)
        result.outcome = ApplyOutcome::NoMatch;
    result.count = 0;
    ClearQueryVars(vars);
    engine.setQuery(NotDeletedQuery);
    return result;
}

QString RecordSelectionCaption(RecordSelection selection) {
    switch (selection) {
    case RecordSelection::AllRecords:
        return "All records";
    case RecordSelection::MatchingFilter:
        return "Records matching filter";
    case RecordSelection::CurrentRecord:
        return "Only current record";
    }
    return {};
}

QString SelectionQuery(RecordSelection selection, const QString& queryString,
                       unsigned currentRecord) {
    switch (selection) {
    case RecordSelection::AllRecords:
        break;
    case RecordSelection::MatchingFilter:
        if (!queryString.isEmpty())
            return queryString + NotDeletedTerm;
        break;
    case RecordSelection::CurrentRecord:
        return "RECNO()=" + QString::number(currentRecord);
    }
    return NotDeletedQuery;
}

void SetSelectionQuery(data::TXbEngine& engine, RecordSelection selection,
                       const QString& queryString, unsigned currentRecord) {
    engine.setQuery(SelectionQuery(selection, queryString, currentRecord));
}

} // namespace selection
