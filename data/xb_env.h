#pragma once

#include <QString>

namespace data {

enum class TDateFormat { dfAmerican, dfAnsi, dfBritish, dfFrench, dfGerman, dfItalian, dfSpanish };

// The engine-wide settings. Tables opened through the table layer take them when they open
// and whenever one changes.
class TXbEnv {
public:
    static TXbEnv& instance();

    bool Exact = false;
    bool SoftSeek = false;
    bool Deleted = false;
    bool Century = false;
    TDateFormat DateFormat = TDateFormat::dfAmerican;
    int LockTimeout = 1;
    int MemoBlockSize = 64;

    // The runtime date pattern and separator that DateFormat and Century give.
    QString datePattern() const;
    QChar dateSeparator() const;
};

// Pattern of a date format: "mm/dd/yy", "yyyy.mm.dd", ...
QString DatePatternOf(TDateFormat format, bool century);

} // namespace data
