#include "controls/document_copy.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace controls {

void AppendDocument(QTextDocument& into, const QTextDocument& from, bool newPage) {
    QTextCursor cursor(&into);
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    const bool empty = into.isEmpty() && into.blockCount() == 1;
    bool first = true;
    for (QTextBlock block = from.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (first && empty) {
            cursor.setBlockFormat(format);
            cursor.setBlockCharFormat(block.charFormat());
        } else {
            if (first && newPage)
                format.setPageBreakPolicy(format.pageBreakPolicy() |
                                          QTextFormat::PageBreak_AlwaysBefore);
            cursor.insertBlock(format, block.charFormat());
        }
        first = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid())
                cursor.insertText(fragment.text(), fragment.charFormat());
        }
    }
    cursor.endEditBlock();
}

} // namespace controls
