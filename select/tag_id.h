#pragma once

#include <QDateTime>
#include <QString>

namespace selection {

// Writes v in base 36 (digits 0-9, A-Z), most significant first, at most six digits,
// leading zeros left out; 0 gives the empty text.
QString Base36(qint64 value);

// A new tag id from a date and time: Base36(year - 1995) followed by Base36 of the number
// written as month, day, hour, minute, second ("28 April 1997 10:30:00" gives "272VQE0").
QString NewTagId(const QDateTime& when);

} // namespace selection
