#pragma once

#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;

namespace controls {

// Walks a document from its start finding a text, comparing without regard to letter case or
// character attributes. A found text can be replaced; the search then goes on after the
// replacement, so a replacement that holds the text itself is not found again.
class TTextFinder {
public:
    explicit TTextFinder(QTextDocument& document);

    // Back to the start of the document; forgets what was found.
    void Start();
    // Finds the next occurrence after the last one (or its replacement); false at the end.
    bool FindNext(const QString& text);
    // The character attributes of the first character found.
    QTextCharFormat FoundAttributes() const;
    // Replaces the text found with `text` in the attributes given; an empty text removes it.
    void ReplaceFound(const QString& text, const QTextCharFormat& attributes);
    bool Found() const { return found_.hasSelection(); }
    const QTextCursor& FoundRange() const { return found_; }

private:
    QTextDocument& document_;
    int from_ = 0;
    QTextCursor found_;
};

} // namespace controls
