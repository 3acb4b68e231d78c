#pragma once

#include <QString>
#include <QStringList>

namespace pageout {

// What the codes of a status format stand for.
struct StatusValues {
    QStringList lines; // %0 .. %9
    int currentPage = 1;
    int firstPage = 1;
    int lastPage = 9999;
    QString deviceName; // %D
    QString driverName; // %R
    QString port;       // %T
};

// Expands the two-character codes of a status format, case-insensitively: %% a percent sign,
// %0..%9 that status line (nothing when missing), %P the current page, %F and %L the page range,
// %D the device, %R the driver, %T the port; any other letter gives "<ERROR-%x>". A lone '%' at
// the end is kept as it is.
QString ExpandStatus(const QString& format, const StatusValues& values);

} // namespace pageout
