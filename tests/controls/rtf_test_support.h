#pragma once

#include "controls/rtf_reader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

// A document read from RTF, and its paragraphs as text.
inline std::unique_ptr<QTextDocument> ReadDocument(const QByteArray& rtf,
                                                   controls::RtfReadResult* result = nullptr) {
    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    const controls::RtfReadResult read = controls::ReadRtf(rtf, cursor);
    if (result)
        *result = read;
    return document;
}

inline QStringList Paragraphs(const QTextDocument& document) {
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs << block.text();
    return paragraphs;
}

// The attributes of the character at a position (the cursor reports the one before it).
inline QTextCharFormat FormatAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}
