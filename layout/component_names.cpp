#include "layout/component_names.h"

#include <QObject>
#include <QSet>

namespace layout {

// Component names are told apart without regard to letter case.
QString UniqueComponentName(const QObject& owner, const QString& base, int first) {
    QSet<QString> taken;
    for (const QObject* component : owner.findChildren<QObject*>())
        if (!component->objectName().isEmpty())
            taken.insert(component->objectName().toLower());
    for (int number = first; number <= 1000; ++number) {
        const QString name = base + QString::number(number);
        if (!taken.contains(name.toLower()))
            return name;
    }
    return {};
}

} // namespace layout
