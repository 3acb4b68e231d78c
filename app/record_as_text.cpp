#include "app/record_as_text.h"

#include "data/table_object.h"

#include <QStringList>

namespace {

QString trimLeft(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text[start] == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

QString trimRight(QString text) {
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace

QString GetRecordAsString(const std::function<QString(const QString& field)>& field,
                          const RecordTextGroups& groups) {
    auto value = [&field](const char* name) { return trimRight(field(QString::fromLatin1(name))); };
    QStringList lines;
    auto add = [&lines](const QString& line) {
        if (!line.isEmpty())
            lines << line;
    };
    auto labelled = [&](const char* label, const char* name) {
        if (const QString text = value(name); !text.isEmpty())
            lines << label + text;
    };

    if (groups.name) {
        // Every part present is followed by one blank; a missing part leaves no gap.
        QString middle = value("MIDDLE");
        if (!middle.trimmed().isEmpty())
            middle += '.';
        add(trimLeft(value("PREFIX") + ' ') + trimLeft(value("FNAME") + ' ') +
            trimLeft(middle + ' ') + trimLeft(value("LNAME") + ' '));
        add(value("TITLE"));
        add(value("ORG"));
    }
    if (groups.address) {
        add(value("STREET"));
        add(value("STREET2"));
        const QString cityLine = trimLeft(value("CITY") + ' ') + ' ' +
                                 trimLeft(value("STATE") + ' ') + trimLeft(value("ZIP"));
        // Without city, state and ZIP only the blank between them is left: no line.
        if (!cityLine.trimmed().isEmpty())
            lines << cityLine;
        add(trimLeft(value("COUNTRY") + ' '));
    }
    if (groups.phoneNumbers) {
        labelled("Phone  :", "PHONE");
        labelled("Phone 2:", "PHONE2");
    }
    if (groups.codes)
        labelled("Codes :", "CODES");
    if (groups.comments) {
        labelled("Comment 1 :", "USER1");
        labelled("Comment 2 :", "USER2");
    }
    QString text;
    for (const QString& line : std::as_const(lines))
        text += line + "\r\n";
    return text;
}

QString GetRecordAsString(const data::TTable& table, const RecordTextGroups& groups) {
    return GetRecordAsString([&table](const QString& name) { return table.fieldText(name); },
                             groups);
}
