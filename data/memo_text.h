#pragma once

#include <QString>

namespace data {

// Whenever text from a text box is written into a memo field, a text whose length, line
// breaks counted as CR LF, is a positive multiple of 4 first gets one blank at the end of its
// last line. Line breaks are stored as CR LF.
QString MemoTextToStore(const QString& boxText);
// The memo as a text box shows it: line breaks as '\n'.
QString MemoTextToShow(const QString& stored);

} // namespace data
