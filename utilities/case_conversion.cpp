#include "utilities/case_conversion.h"

#include "data/table_object.h"
#include "data/xb_engine.h"

namespace utilities {

namespace {

QChar asciiCase(QChar c, bool upper) {
    const char16_t u = c.unicode();
    if (upper && u >= u'a' && u <= u'z')
        return QChar(char16_t(u - 32));
    if (!upper && u >= u'A' && u <= u'Z')
        return QChar(char16_t(u + 32));
    return c;
}

QString withAsciiCase(QString value, bool upper) {
    for (QChar& c : value)
        c = asciiCase(c, upper);
    return value;
}

} // namespace

QString AsciiUpper(const QString& value) {
    return withAsciiCase(value, true);
}

QString AsciiLower(const QString& value) {
    return withAsciiCase(value, false);
}

QString ConvertCase(const QString& value, CaseConversion to) {
    switch (to) {
    case CaseConversion::Upper:
        return AsciiUpper(value);
    case CaseConversion::Lower:
        return AsciiLower(value);
    case CaseConversion::FirstLetter:
        break;
    }
    QString result = AsciiLower(value);
    for (qsizetype i = 0; i < result.size(); ++i) {
        if (i == 0 || result[i - 1] == u' ')
            result[i] = asciiCase(result[i], true);
    }
    return result;
}

const std::array<CaseField, 15>& CaseFields() {
    static const std::array<CaseField, 15> fields = {{
        {"Last", "LNAME"},
        {"First", "FNAME"},
        {"Middle", "MIDDLE"},
        {"Title", "TITLE"},
        {"Organization", "ORG"},
        {"Address 1", "STREET"},
        {"Address 2", "STREET2"},
        {"City", "CITY"},
        {"State/Province", "STATE"},
        {"Zip/Postal Code", "ZIP"},
        {"Country", "COUNTRY"},
        {"Prefix", "PREFIX"},
        {"Comment 1", "USER1"},
        {"Comment 2", "USER2"},
        {"Codes", "CODES"},
    }};
    return fields;
}

CaseResult RunCaseConversion(data::TTable& table, data::TXbEngine& engine,
                             selection::RecordSelection scope, CaseConversion to,
                             const QStringList& fields, const PassStep& step) {
    // The fields in conversion order, whatever order the caller named them in.
    QStringList ordered;
    for (const CaseField& field : CaseFields()) {
        if (fields.contains(field.field, Qt::CaseInsensitive))
            ordered << field.field;
    }
    const QString query = engine.queryText();
    const unsigned remembered = table.recordNumber();
    const bool currentOnly = scope == selection::RecordSelection::CurrentRecord;
    CaseResult result;
    {
        struct Restore {
            data::TTable& table;
            data::TXbEngine& engine;
            const QString& query;
            unsigned recno;
            bool queryChanged = false;
            ~Restore() {
                try {
                    table.cancel();
                    if (queryChanged)
                        engine.setQuery(query);
                    if (recno >= 1 && recno <= table.recordCount())
                        engine.go(recno);
                } catch (const std::exception&) {
                    // The table stays where the pass left it.
                }
            }
        } restore{table, engine, query, remembered};

        if (scope == selection::RecordSelection::AllRecords) {
            restore.queryChanged = true;
            engine.setQuery(selection::NotDeletedQuery);
        }
        data::BulkWrite bulk(table);
        PassState state{0, currentOnly ? 1u : engine.queryRecCount(), 0};
        auto convertRecord = [&] {
            table.edit();
            bool changed = false;
            for (const QString& field : std::as_const(ordered)) {
                const QString before = table.fieldText(field);
                const QString after = ConvertCase(before, to);
                if (after != before) {
                    table.setFieldText(field, after);
                    changed = true;
                }
            }
            const unsigned recno = table.recordNumber();
            table.post();
            ++result.converted;
            if (changed)
                result.changed << recno;
            state.done = result.converted;
            state.found = unsigned(result.changed.size());
        };
        if (currentOnly) {
            if (!(table.eof() && table.bof()))
                convertRecord();
        } else {
            for (table.first(); !table.eof();) {
                convertRecord();
                table.next();
                if (step && !step(state)) {
                    result.stopped = true;
                    break;
                }
            }
        }
        bulk.finish();
    }
    return result;
}

} // namespace utilities
