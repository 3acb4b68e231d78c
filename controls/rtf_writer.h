#pragma once

#include "controls/page_setup.h"

#include <QByteArray>

class QTextDocument;

namespace controls {

// The document as RTF: its fonts, sizes, bold, italic, underline, strike-out, colours,
// paragraph alignment, indents, spacing, tab stops and page breaks, and the page's paper and
// margins. Plain 7-bit text: other characters are written as Windows-1252 escapes or as
// Unicode escapes. One paragraph a line, lines ended by CR LF. controls/RTF.md lists what is
// written.
QByteArray WriteRtf(const QTextDocument& document, const PageSetup& page);

} // namespace controls
