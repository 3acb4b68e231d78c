#include "layout/line_wrapping.h"

#include <QRegularExpression>
#include <QTextLayout>

namespace layout {

QStringList WrapLines(const QStringList& lines, const QFont& font, int width) {
    QStringList wrapped;
    for (const QString& line : lines) {
        if (line.isEmpty()) {
            wrapped << QString();
            continue;
        }
        QTextLayout layout(line, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine part = layout.createLine(); part.isValid(); part = layout.createLine()) {
            part.setLineWidth(std::max(1, width));
            QString text = line.mid(part.textStart(), part.textLength());
            if (part.textStart() + part.textLength() < line.size()) {
                // A soft break: the blanks it falls on are not shown.
                while (text.endsWith(QLatin1Char(' ')))
                    text.chop(1);
            }
            wrapped << text;
        }
        layout.endLayout();
    }
    return wrapped;
}

QStringList HardLines(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return text.split(breaks);
}

} // namespace layout
