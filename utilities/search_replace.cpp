#include "utilities/search_replace.h"

#include "data/table_object.h"
#include "data/xb_engine.h"
#include "data/xb_env.h"
#include "utilities/case_conversion.h"

namespace utilities {

const std::array<ReplaceField, 18>& ReplaceFields() {
    static const std::array<ReplaceField, 18> fields = {{
        {"Last Name", "LNAME"},
        {"First Name", "FNAME"},
        {"Middle Initial", "MIDDLE"},
        {"Title", "TITLE"},
        {"Organization", "ORG"},
        {"Address 1", "STREET"},
        {"Address 2", "STREET2"},
        {"City", "CITY"},
        {"State", "STATE"},
        {"Zip", "ZIP"},
        {"Country", "COUNTRY"},
        {"Phone 1", "PHONE"},
        {"Phone 2", "PHONE2"},
        {"Email", "EMAIL"},
        {"Fax", "FAX"},
        {"Codes", "CODES"},
        {"Comment 1", "USER1"},
        {"Comment 2", "USER2"},
    }};
    return fields;
}

const ReplaceField* FindReplaceField(const QString& name) {
    for (const ReplaceField& field : ReplaceFields()) {
        if (name.compare(field.field, Qt::CaseInsensitive) == 0 ||
            name.compare(field.displayName, Qt::CaseInsensitive) == 0)
            return &field;
    }
    return nullptr;
}

namespace {

QString quoted(const QString& text) {
    return "\"" + text + "\"";
}

QString rightTrimmed(QString text) {
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

// Exact comparison is with the value as the table delivers it, which never ends in a blank.
QString searchValue(const ReplaceOptions& options) {
    return options.match == FindMatch::Exact ? rightTrimmed(options.find) : options.find;
}

} // namespace

QString ReplaceConfirmation(const ReplaceOptions& options) {
    QString condition;
    if (options.find.isEmpty()) {
        condition = "is empty ";
    } else {
        switch (options.match) {
        case FindMatch::Exact:
            condition = "exactly matches: ";
            break;
        case FindMatch::BeginsWith:
            condition = "begins with: ";
            break;
        case FindMatch::Contains:
            condition = "contains: ";
            break;
        }
        condition += quoted(options.find) +
                     (options.caseSensitive ? "  (case sensitive)" : " (not case sensitive)");
    }
    QString action;
    const bool whole = options.mode == ReplaceMode::WholeField;
    if (options.with.isEmpty())
        action = whole ? "and delete the entire field " : "and delete the matching text ";
    else
        action = (whole ? "and replace the entire field with "
                        : "and replace only the matching text with ") +
                 quoted(options.with);
    return "Find records where field " + options.displayName + "\r" + condition + "\r" + action;
}

QString StringConstant(const QString& text) {
    for (const auto& [open, close] : {std::pair{u'"', u'"'}, {u'\'', u'\''}, {u'[', u']'}}) {
        if (!text.contains(close))
            return QChar(open) + text + QChar(close);
    }
    // Runs without a double quote go in double quotes, runs of double quotes in single ones.
    QStringList parts;
    qsizetype start = 0;
    while (start < text.size()) {
        const bool quotes = text[start] == u'"';
        qsizetype end = start;
        while (end < text.size() && (text[end] == u'"') == quotes)
            ++end;
        const QString run = text.mid(start, end - start);
        parts << (quotes ? "'" + run + "'" : quoted(run));
        start = end;
    }
    return "(" + parts.join("+") + ")";
}

QString ReplaceTestExpression(const ReplaceOptions& options) {
    const QString& f = options.field;
    const QString v = searchValue(options);
    if (v.isEmpty())
        return "EMPTY(" + f + ")";
    const bool cs = options.caseSensitive;
    const QString value = StringConstant(cs ? v : AsciiUpper(v));
    switch (options.match) {
    case FindMatch::Contains:
        return cs ? value + "$" + f : "upper(" + value + ")$upper(" + f + ")";
    case FindMatch::BeginsWith: {
        const QString length = QString::number(v.size());
        return cs ? "LEFT(" + f + "," + length + ")==" + value
                  : "LEFT(upper(" + f + ")," + length + ")==upper(" + value + ")";
    }
    case FindMatch::Exact:
        break;
    }
    return cs ? "RTRIM(" + f + ")==" + value : "upper(RTRIM(" + f + "))==upper(" + value + ")";
}

QString ReplacedValue(const ReplaceOptions& options, const QString& value) {
    const QString find = searchValue(options);
    if (options.mode == ReplaceMode::WholeField || find.isEmpty())
        return options.with;
    const QString haystack = options.caseSensitive ? value : AsciiUpper(value);
    const QString needle = options.caseSensitive ? find : AsciiUpper(find);
    QString result;
    qsizetype from = 0;
    for (int replaced = 0; replaced < MaxReplacements; ++replaced) {
        const qsizetype at = haystack.indexOf(needle, from);
        if (at < 0)
            break;
        result += value.mid(from, at - from) + options.with;
        from = at + needle.size();
    }
    return result + value.mid(from);
}

ReplaceResult RunSearchAndReplace(data::TTable& table, data::TXbEngine& engine,
                                  const ReplaceOptions& options, const QString& filter,
                                  bool filterOnly, const PassStep& step) {
    // Text the table's code page cannot hold is refused (with the reason) before any record
    // changes.
    table.bytes(options.find, "The search value");
    table.bytes(options.with, "The replacement");
    const QString test = ReplaceTestExpression(options);
    if (!engine.queryTest(test))
        throw data::TableError(data::TableError::Kind::General,
                               "The search cannot be made: " + test);
    ReplaceResult result;
    const int order = engine.indexOrd();
    data::TXbEnv& env = data::TXbEnv::instance();
    struct Restore {
        data::TTable& table;
        data::TXbEngine& engine;
        int order;
        bool hidden;
        ~Restore() {
            try {
                table.cancel();
                data::TXbEnv::instance().Deleted = hidden;
                table.applySettings();
                engine.setOrderNumber(order);
            } catch (const std::exception&) {
            }
        }
    } restore{table, engine, order, env.Deleted};
    engine.setQuery(filterOnly ? filter : QString());
    engine.setOrderNumber(0);
    env.Deleted = false;
    table.applySettings();

    data::BulkWrite bulk(table);
    PassState state{0, engine.queryRecCount(), 0};
    for (table.first(); !table.eof();) {
        ++state.done;
        if (!engine.deleted() && engine.evalLogical(test)) {
            const unsigned recno = table.recordNumber();
            table.edit();
            table.setFieldText(options.field,
                               ReplacedValue(options, table.fieldText(options.field)));
            table.post();
            ++result.replaced;
            result.records << recno;
            state.found = result.replaced;
        }
        table.next();
        if (step && !step(state)) {
            result.stopped = true;
            break;
        }
    }
    bulk.finish();
    return result;
}

} // namespace utilities
