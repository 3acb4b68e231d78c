#include "layout/layout_file_names.h"

#include "platform/path_lookup.h"

namespace layout {

QString NewLayoutFileName(const QString& extension) {
    for (int number = 100001; number <= 199999; ++number) {
        const QString name =
            QStringLiteral("BIN") + QString::number(number).right(5) + '.' + extension;
        if (!platform::PathExists(QStringLiteral("sysdata\\") + name))
            return name;
    }
    return {};
}

} // namespace layout
