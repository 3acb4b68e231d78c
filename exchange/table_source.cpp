#include "exchange/table_source.h"

#include "data/memo_text.h"
#include "exchange/field_match.h"

#include <QDate>
#include <QFileInfo>
#include <QRegularExpression>

namespace exchange {

ImportSource::ImportSource() {
    source.setDataSet(&table);
    engine.DataSource = &source;
    table.readOnly = true;
}

ImportSource::Opened ImportSource::open(const QString& path) {
    table.close();
    const QFileInfo info(path);
    table.folder = info.absolutePath() + "/";
    table.fileName = info.fileName();
    table.indexName.clear();
    try {
        table.open();
    } catch (const std::exception&) {
        table.close();
        return Opened::CannotOpen;
    }
    try {
        // Records carrying the deletion mark are not imported; without one left, nothing is.
        engine.setQuery("!DELETED()");
        if (engine.queryRecCount() == 0) {
            table.close();
            return Opened::NoRecords;
        }
    } catch (const std::exception&) {
        table.close();
        return Opened::CannotOpen;
    }
    return Opened::Ok;
}

QList<data::FieldInfo> ImportSource::fields() const {
    QList<data::FieldInfo> stored;
    for (const data::FieldInfo& f : table.fields())
        if (!f.calculated)
            stored << f;
    return stored;
}

QString CannotOpenMessage(const QString& path) {
    return "Unable to open the file " + path;
}

QString NoRecordsMessage(const QString& path) {
    return "There are no records in " + path;
}

bool IsMemoType(char type) {
    return type == 'M' || type == 'B' || type == 'G' || type == 'P';
}

bool MatchesAutomatically(char type) {
    return type == 'C' || type == 'L' || type == 'N' || type == 'D' || type == 'M';
}

bool SourceFits(char sourceType, char addressType) {
    if (IsMemoType(addressType))
        return IsMemoType(sourceType);
    if (addressType == 'D')
        return sourceType == 'D';
    return !IsMemoType(sourceType);
}

std::vector<QString> AutoMatchTableFields(const QList<data::FieldInfo>& source,
                                          const data::TTable& destination) {
    std::vector<QString> targets(std::size_t(source.size()));
    QStringList taken;
    for (int i = 0; i < source.size(); ++i) {
        const data::FieldInfo& s = source[i];
        if (!MatchesAutomatically(s.engineType))
            continue;
        if (s.engineType == 'M') {
            if (!taken.contains("MEMO") && destination.fieldIndex("MEMO") >= 0) {
                targets[std::size_t(i)] = "MEMO";
                taken << "MEMO";
            }
            continue;
        }
        for (const data::FieldInfo& d : destination.fields()) {
            if (d.calculated || taken.contains(d.name.toUpper()))
                continue;
            const QString label =
                d.label.isEmpty() || d.label == d.name ? AddressFieldLabel(d.name) : d.label;
            if (label.compare(s.name, Qt::CaseInsensitive) == 0 ||
                d.name.compare(s.name, Qt::CaseInsensitive) == 0) {
                targets[std::size_t(i)] = d.name;
                taken << d.name.toUpper();
                break;
            }
        }
    }
    return targets;
}

TableFeed::TableFeed(ImportSource& source, std::vector<TableMatch> matches,
                     QString shortDatePattern)
    : source_(source), matches_(std::move(matches)), datePattern_(std::move(shortDatePattern)) {
    const QList<data::FieldInfo> fields = source_.fields();
    for (const TableMatch& m : matches_)
        names_ << (m.sourceField >= 0 && m.sourceField < fields.size() ? fields[m.sourceField].name
                                                                       : QString());
}

QStringList TableFeed::targets() const {
    QStringList names;
    for (const TableMatch& m : matches_)
        names << m.target;
    return names;
}

void TableFeed::rewind() {
    try {
        source_.table.first();
    } catch (const std::exception& error) {
        throw ImportReadError(error.what());
    }
    atFirst_ = true;
}

bool TableFeed::next(ImportRecord& record) {
    data::TTable& t = source_.table;
    try {
        if (!atFirst_)
            t.next();
        atFirst_ = false;
        if (t.eof() && t.bof())
            return false;
        if (t.eof())
            return false;
    } catch (const std::exception& error) {
        throw ImportReadError(error.what());
    }
    record.where = t.recordNumber();
    if (t.memoUnreadable())
        throw ImportReadError("record " + std::to_string(record.where) +
                              ": its memo cannot be read");
    record.values.assign(matches_.size(), std::string());
    const QList<data::FieldInfo> fields = source_.fields();
    for (std::size_t i = 0; i < matches_.size(); ++i) {
        const TableMatch& m = matches_[i];
        if (names_[int(i)].isEmpty())
            continue;
        QString value = t.fieldText(names_[int(i)]);
        const data::FieldKind kind = fields[m.sourceField].kind;
        if (kind == data::FieldKind::Number || kind == data::FieldKind::SmallInt)
            value = value.trimmed();
        switch (m.rule) {
        case ValueRule::AsText:
            break;
        case ValueRule::OldDate:
            value = ConvertOldDate(value, datePattern_);
            break;
        case ValueRule::MemoFromTextBox:
            value = data::MemoTextToStore(value);
            break;
        }
        record.values[i] = value.toStdString();
    }
    return true;
}

namespace {

const char* const corvane1xFields[] = {"LNAME", "FNAME", "MIDDLE", "TITLE",   "ORG",   "STREET",
                                       "CITY",  "STATE", "ZIP",    "COUNTRY", "PHONE", "EMAIL",
                                       "FAX",   "NOTES", "PREFIX", "CARRIER", "DATE",  "MEMO"};

int fieldIndexIn(const QList<data::FieldInfo>& fields, const QString& name) {
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

bool IsCorvane1xTable(const QList<data::FieldInfo>& fields) {
    for (const char* name : corvane1xFields)
        if (fieldIndexIn(fields, name) < 0)
            return false;
    return true;
}

QString NotCorvane1xMessage(const QString& path) {
    return path + " does not appear to be a Corvane 1.x DBF";
}

std::vector<TableMatch> Corvane1xMatches(const QList<data::FieldInfo>& fields) {
    std::vector<TableMatch> matches;
    for (const char* same : {"LNAME", "FNAME", "PREFIX", "MIDDLE", "TITLE", "ORG", "STREET", "CITY",
                             "STATE", "ZIP", "COUNTRY", "PHONE", "FAX", "EMAIL"})
        matches.push_back({fieldIndexIn(fields, same), same});
    matches.push_back({fieldIndexIn(fields, "NOTES"), "CODES"});
    matches.push_back({fieldIndexIn(fields, "DATE"), "DATE", ValueRule::OldDate});
    matches.push_back({fieldIndexIn(fields, "MEMO"), "MEMO", ValueRule::MemoFromTextBox});
    return matches;
}

QString ConvertOldDate(const QString& value, const QString& shortDatePattern) {
    const QString text = value.trimmed();
    if (text.isEmpty())
        return {};
    static const QRegularExpression eightDigits("^[0-9]{8}$");
    if (eightDigits.match(text).hasMatch() &&
        QDate(text.left(4).toInt(), text.mid(4, 2).toInt(), text.mid(6, 2).toInt()).isValid())
        return text;
    // The system's letters (mm month, dd day, yy or yyyy year) in Qt's spelling.
    QString pattern = shortDatePattern.isEmpty() ? QString("mm/dd/yyyy") : shortDatePattern;
    pattern.replace(QRegularExpression("m", QRegularExpression::CaseInsensitiveOption), "M");
    pattern.replace(QRegularExpression("D"), "d");
    pattern.replace(QRegularExpression("Y"), "y");
    QDate date = QDate::fromString(text, pattern);
    if (!date.isValid()) {
        // One-digit days and months ("4/8/1997") read with the short forms of the letters.
        QString loose = pattern;
        loose.replace("MM", "M").replace("dd", "d");
        date = QDate::fromString(text, loose);
    }
    return date.isValid() ? date.toString("yyyyMMdd") : QString();
}

} // namespace exchange
