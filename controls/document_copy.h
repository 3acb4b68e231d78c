#pragma once

class QTextDocument;

namespace controls {

// Appends the paragraphs of one document, with their paragraph and character attributes, to
// the end of another. Into an empty document the first paragraph takes the place of its empty
// one; otherwise it starts a new page when `newPage` is set.
void AppendDocument(QTextDocument& into, const QTextDocument& from, bool newPage);

} // namespace controls
