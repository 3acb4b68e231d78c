#include "select/query_criteria.h"

#include <QStringList>

namespace selection {

namespace {

constexpr std::array<CriterionInfo, CriterionCount> criteria{{
    {"qLName", "LNAME", "LNAME", true},
    {"qFName", "FNAME", "FNAME", true},
    {"qTitle", "TITLE", "TITLE", true},
    {"qOrg", "ORG", "ORG", true},
    {"qStreet", "STREET", "STREET", false},
    {"qstreet2", "STREET2", "STREET2", false},
    {"qZip", "ZIP", "ZIP", false},
    {"qCity", "CITY+STATE", "CITY", false},
    {"qState", "STATE", "STATE", false},
    {"qCountry", "COUNTRY", "COUNTRY", false},
    {"qPhone", "PHONE", "PHONE", false},
    {"qphone2", "PHONE2", "PHONE2", false},
    {"qFax", "FAX", "FAX", false},
    {"qEmail", "EMAIL", "EMAIL", false},
    {"qDate", "DATE", "DATE", false},
    {"qCodes", "CODES", "CODES", false},
    {"quser1", "USER1", "USER1", false},
    {"quser2", "USER2", "USER2", false},
}};

// The comments come before the date and the codes when the expression is built.
constexpr std::array<Criterion, CriterionCount> buildOrder{
    Criterion::LastName, Criterion::FirstName, Criterion::Title,    Criterion::Organization,
    Criterion::Address1, Criterion::Address2,  Criterion::Zip,      Criterion::City,
    Criterion::State,    Criterion::Country,   Criterion::Phone1,   Criterion::Phone2,
    Criterion::Fax,      Criterion::Email,     Criterion::Comment1, Criterion::Comment2,
    Criterion::Date,     Criterion::Codes,
};

constexpr int MaxValueAfterOperator = 99;

// The engine's UPPER() changes only the letters a-z; the value must be changed the same way or
// a value with accented letters could never equal the field's upper-case form.
QString upperLikeEngine(const QString& text) {
    QString upper = text;
    for (QChar& c : upper) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return upper;
}

// Leading blanks (spaces and control characters) do not make a criterion.
bool hasNonBlank(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() > u' ')
            return true;
    }
    return false;
}

} // namespace

const std::array<CriterionInfo, CriterionCount>& Criteria() {
    return criteria;
}

const CriterionInfo& InfoOf(Criterion criterion) {
    return criteria[std::size_t(criterion)];
}

void ClearQueryVars(QueryVars& vars) {
    for (QString& value : vars.values)
        value.clear();
    vars.tagged = false;
}

QString BuildFieldCriterion(const QString& field, const QString& text) {
    static const struct {
        QChar separator;
        const char* joiner;
    } splits[] = {{u';', ".or."}, {u'+', ".and."}, {u'^', ".and..not."}};
    for (const auto& split : splits) {
        if (!text.contains(split.separator))
            continue;
        const QStringList parts = text.split(split.separator, Qt::KeepEmptyParts);
        QString joined = "(";
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                joined += split.joiner;
            joined += "(" + BuildFieldCriterion(field, parts[i]) + ")";
        }
        return joined + ")";
    }

    static const struct {
        const char* prefix;
        const char* op;
    } operators[] = {{">=", ">="}, {">", ">"}, {"<=", "<="}, {"<", "<"}, {"$", "$"}};
    QString op = "=";
    QString value = text;
    for (const auto& candidate : operators) {
        const QString prefix = candidate.prefix;
        if (text.startsWith(prefix)) {
            op = candidate.op;
            value = text.mid(prefix.size(), MaxValueAfterOperator);
            break;
        }
    }
    value = upperLikeEngine(value);
    if (op == "$")
        return "\"" + value + "\"$UPPER(" + field + ")";
    return "UPPER(" + field + ")" + op + "\"" + value + "\"";
}

QString BuildQueryString(const QueryVars& vars, const QString& globalTagId) {
    QString query;
    for (Criterion criterion : buildOrder) {
        const QString& text = vars[criterion];
        if (!hasNonBlank(text))
            continue;
        if (!query.isEmpty())
            query += " and ";
        query += BuildFieldCriterion(InfoOf(criterion).expression, text);
    }
    if (vars.tagged) {
        if (!query.isEmpty())
            query += " and ";
        query += "(UPPER(TAG)=\"" + globalTagId + "\")";
    }
    return query;
}

} // namespace selection
