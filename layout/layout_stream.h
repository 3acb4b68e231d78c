#pragma once

// The layout file format: lists of object records, each the signature "TPF0", the class name,
// the object name and the stored properties as tagged values (see FORMAT.md).
#include "layout/layout_format.h"
#include "layout/stream_values.h"

#include <QList>
#include <QString>

#include <utility>

namespace layout {

class TLayoutStream : public LayoutFormat {
public:
    void WriteList(QIODevice& out, const QList<const TGGraphicControl*>& objects) override;
    void ReadList(QIODevice& in, const ObjectMaker& make, const ObjectDone& done) override;

    // One object's record, as written to a list.
    static QByteArray Record(const TGGraphicControl& object);
};

// What a list holds, read without making objects: for tools that show a file.
struct StoredRecord {
    QString className;
    QString name;
    QList<std::pair<QString, StreamValue>> properties;
};
// Reads one list; damage throws LayoutError after `take` had every complete record.
void ReadStoredList(QIODevice& in, const std::function<void(const StoredRecord&)>& take);

// A value as one line of text: 12, 'text', clWhite, [fsBold,fsItalic], (...), True.
QString ValueText(const StreamValue& value);

} // namespace layout
