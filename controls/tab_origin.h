#pragma once

class QTextBlockFormat;

namespace controls {

// RTF, the paragraph dialog and the ruler measure tab stops from the text area's left edge;
// the text document measures them from where a line starts: the paragraph's left indent plus,
// on its first line, the first-line indent. The document keeps each stop where the first line
// puts it where the text area's measure says; these convert between the two (lengths in
// document units).
double StopFromLineStart(double fromMargin, const QTextBlockFormat& paragraph);
double StopFromMargin(double fromLineStart, const QTextBlockFormat& paragraph);

} // namespace controls
