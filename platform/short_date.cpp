#include "platform/short_date.h"

#include <QLocale>

namespace platform {

QString SystemShortDatePattern() {
    static const QString pattern = [] {
        const QString system = QLocale::system().dateFormat(QLocale::ShortFormat);
        return system.isEmpty() ? QStringLiteral("mm/dd/yyyy") : system;
    }();
    return pattern;
}

} // namespace platform
