#include "data/xb_env.h"

namespace data {

TXbEnv& TXbEnv::instance() {
    static TXbEnv env;
    return env;
}

QString DatePatternOf(TDateFormat format, bool century) {
    const QString year = century ? "yyyy" : "yy";
    switch (format) {
    case TDateFormat::dfAmerican:
        return "mm/dd/" + year;
    case TDateFormat::dfAnsi:
        return year + ".mm.dd";
    case TDateFormat::dfBritish:
    case TDateFormat::dfFrench:
        return "dd/mm/" + year;
    case TDateFormat::dfGerman:
        return "dd.mm." + year;
    case TDateFormat::dfItalian:
    case TDateFormat::dfSpanish:
        return "dd-mm-" + year;
    }
    return "mm/dd/" + year;
}

QString TXbEnv::datePattern() const {
    return DatePatternOf(DateFormat, Century);
}

QChar TXbEnv::dateSeparator() const {
    switch (DateFormat) {
    case TDateFormat::dfAnsi:
    case TDateFormat::dfGerman:
        return '.';
    case TDateFormat::dfItalian:
    case TDateFormat::dfSpanish:
        return '-';
    default:
        return '/';
    }
}

} // namespace data
