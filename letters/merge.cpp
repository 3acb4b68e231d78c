#include "letters/merge.h"

#include "controls/text_finder.h"
#include "data/table_object.h"

#include <QTextDocument>

namespace letters {

void DoMerge(QTextDocument& document, const QString& name, const QString& value) {
    controls::TTextFinder finder(document);
    finder.Start();
    const QString mark = MergeMark(name);
    while (finder.FindNext(mark))
        finder.ReplaceFound(value, finder.FoundAttributes());
}

void ReplaceTokens(QTextDocument& document, const QHash<QString, QString>& values) {
    for (const QString& name : MergeOrder())
        DoMerge(document, name, values.value(name));
}

AddressValues ValuesOf(const data::TTable& t) {
    return {t.fieldText("PREFIX"), t.fieldText("FNAME"),   t.fieldText("MIDDLE"),
            t.fieldText("LNAME"),  t.fieldText("TITLE"),   t.fieldText("ORG"),
            t.fieldText("STREET"), t.fieldText("STREET2"), t.fieldText("CITY"),
            t.fieldText("STATE"),  t.fieldText("ZIP"),     t.fieldText("COUNTRY"),
            t.fieldText("PHONE"),  t.fieldText("FAX"),     t.fieldText("EMAIL")};
}

} // namespace letters
