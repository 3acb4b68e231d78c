#include "controls/text_finder.h"

#include <QTextDocument>

namespace controls {

TTextFinder::TTextFinder(QTextDocument& document) : document_(document) {}

void TTextFinder::Start() {
    from_ = 0;
    found_ = QTextCursor();
}

bool TTextFinder::FindNext(const QString& text) {
    found_ = QTextCursor();
    if (text.isEmpty())
        return false;
    // Without FindCaseSensitively the document compares letters case-insensitively; the
    // attributes of the characters play no part.
    const QTextCursor hit = document_.find(text, from_);
    if (hit.isNull())
        return false;
    found_ = hit;
    from_ = hit.selectionEnd();
    return true;
}

QTextCharFormat TTextFinder::FoundAttributes() const {
    if (!Found())
        return {};
    // A cursor reports the attributes of the character before it.
    QTextCursor first(&document_);
    first.setPosition(found_.selectionStart() + 1);
    return first.charFormat();
}

void TTextFinder::ReplaceFound(const QString& text, const QTextCharFormat& attributes) {
    if (!Found())
        return;
    QTextCursor cursor = found_;
    // Line breaks in the text become paragraph marks, so the cursor, not the text's length,
    // tells where the replacement ends.
    cursor.insertText(text, attributes);
    from_ = cursor.position();
    found_ = QTextCursor();
}

} // namespace controls
