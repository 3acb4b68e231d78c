#pragma once

#include "controls/page_setup.h"

#include <QByteArray>

#include <optional>

class QTextCursor;

namespace controls {

struct RtfReadResult {
    bool wasRtf = false;           // false: the bytes were taken as plain text
    std::optional<PageSetup> page; // the paper and margins the file names, when it does
};

// Reads RTF into a text document at the cursor, which ends after what was read. Bytes that do
// not start with "{\rtf" are taken as plain Windows-1252 text. Damaged or hostile input never
// fails: what can be read is read, and anything the reader does not know is skipped without
// showing as text. controls/RTF.md lists what is read.
RtfReadResult ReadRtf(const QByteArray& bytes, QTextCursor& cursor);

} // namespace controls
