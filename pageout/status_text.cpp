#include "pageout/status_text.h"

namespace pageout {

QString ExpandStatus(const QString& format, const StatusValues& values) {
    QString out;
    out.reserve(format.size() + 16);
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != u'%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        const QChar code = format[++i];
        switch (code.toUpper().unicode()) {
        case u'%':
            out += u'%';
            break;
        case u'P':
            out += QString::number(values.currentPage);
            break;
        case u'F':
            out += QString::number(values.firstPage);
            break;
        case u'L':
            out += QString::number(values.lastPage);
            break;
        case u'D':
            out += values.deviceName;
            break;
        case u'R':
            out += values.driverName;
            break;
        case u'T':
            out += values.port;
            break;
        default:
            if (code >= u'0' && code <= u'9') {
                const int line = code.unicode() - u'0';
                if (line < values.lines.size())
                    out += values.lines[line];
            } else {
                out += QStringLiteral("<ERROR-%") + code + u'>';
            }
        }
    }
    return out;
}

} // namespace pageout
