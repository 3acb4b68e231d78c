#include "select/tag_id.h"

namespace selection {

QString Base36(qint64 value) {
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString text;
    qint64 weight = 36LL * 36 * 36 * 36 * 36;
    for (int place = 0; place < 6; ++place, weight /= 36) {
        const qint64 digit = value / weight;
        value %= weight;
        if (digit == 0 && text.isEmpty())
            continue;
        text += QChar(digits[digit % 36]);
    }
    return text;
}

QString NewTagId(const QDateTime& when) {
    const QDate date = when.date();
    const QTime time = when.time();
    const qint64 a = qint64(date.month()) * 100000000LL + date.day() * 1000000LL +
                     time.hour() * 10000LL + time.minute() * 100LL + time.second();
    const qint64 b = qMax(0, date.year() - 1995);
    return Base36(b) + Base36(a);
}

} // namespace selection
