#pragma once

// A private stand-in for the layout file format, only for the tests: each object as its class
// name, its name and its stored properties as Qt values. It installs itself while it lives.
#include "layout/layout_format.h"

#include <QList>
#include <QVariant>

#include <utility>

namespace testing_layout {

class TestLayoutFormat : public layout::LayoutFormat {
public:
    TestLayoutFormat() { layout::InstallLayoutFormat(this); }
    ~TestLayoutFormat() override { layout::InstallLayoutFormat(nullptr); }

    void WriteList(QIODevice& out, const QList<const layout::TGGraphicControl*>& objects) override;
    void ReadList(QIODevice& in, const layout::ObjectMaker& make,
                  const layout::ObjectDone& done) override;
};

// A record of a file written by the format: class name, name and properties in stored order.
struct StoredObject {
    QString className;
    QString name;
    QList<std::pair<QString, QVariant>> properties;

    QVariant property(const QString& name) const;
};
QList<StoredObject> ReadStoredObjects(const QString& path);

} // namespace testing_layout
