#pragma once

// Lines broken as a multi-line text box of a given width shows them: at word boundaries where
// a word fits, inside a word that is wider than the box, and always at the hard breaks.
#include <QFont>
#include <QStringList>

namespace layout {

// Each of `lines` broken to `width` pixels in `font`; blanks at a break are dropped.
QStringList WrapLines(const QStringList& lines, const QFont& font, int width);

// A text's hard lines: CR LF, CR or LF each end one.
QStringList HardLines(const QString& text);

} // namespace layout
