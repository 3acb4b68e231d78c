#include "controls/tab_origin.h"

#include <QTextBlockFormat>

namespace controls {

namespace {
double firstLineStart(const QTextBlockFormat& paragraph) {
    return paragraph.leftMargin() + paragraph.textIndent();
}
} // namespace

double StopFromLineStart(double fromMargin, const QTextBlockFormat& paragraph) {
    return fromMargin - firstLineStart(paragraph);
}

double StopFromMargin(double fromLineStart, const QTextBlockFormat& paragraph) {
    return fromLineStart + firstLineStart(paragraph);
}

} // namespace controls
