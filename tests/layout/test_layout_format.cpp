#include "test_layout_format.h"

#include "layout/graphic_control.h"

#include <QDataStream>
#include <QFile>
#include <QMetaProperty>

namespace testing_layout {

namespace {

void readRecords(QIODevice& in, const std::function<void(const StoredObject&)>& take) {
    QDataStream stream(&in);
    quint32 count = 0;
    stream >> count;
    for (quint32 i = 0; i < count && stream.status() == QDataStream::Ok; ++i) {
        StoredObject object;
        stream >> object.className >> object.name >> object.properties;
        if (stream.status() != QDataStream::Ok)
            break;
        take(object);
    }
    if (stream.status() != QDataStream::Ok)
        throw layout::LayoutError(QStringLiteral("Stream read error"));
}

} // namespace

void TestLayoutFormat::WriteList(QIODevice& out,
                                 const QList<const layout::TGGraphicControl*>& objects) {
    QDataStream stream(&out);
    stream << quint32(objects.size());
    const int first = layout::TGGraphicControl::staticMetaObject.propertyOffset();
    for (const layout::TGGraphicControl* object : objects) {
        QList<std::pair<QString, QVariant>> properties;
        const QMetaObject* meta = object->metaObject();
        for (int i = first; i < meta->propertyCount(); ++i)
            properties.append({meta->property(i).name(), meta->property(i).read(object)});
        stream << object->ClassName() << object->Name() << properties;
    }
}

void TestLayoutFormat::ReadList(QIODevice& in, const layout::ObjectMaker& make,
                                const layout::ObjectDone& done) {
    readRecords(in, [&](const StoredObject& stored) {
        layout::TGGraphicControl& object = make(stored.className, stored.name);
        for (const auto& [name, value] : stored.properties)
            object.setProperty(name.toLatin1().constData(), value);
        done(object);
    });
}

QVariant StoredObject::property(const QString& wanted) const {
    for (const auto& [name, value] : properties)
        if (name == wanted)
            return value;
    return {};
}

QList<StoredObject> ReadStoredObjects(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<StoredObject> objects;
    readRecords(file, [&objects](const StoredObject& object) { objects << object; });
    return objects;
}

} // namespace testing_layout
