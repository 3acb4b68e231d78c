#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace controls {

// The Windows code page a font's \fcharset names; 0 for a charset without one (symbol fonts),
// which the reader then takes as the document's code page.
int CodePageOfCharset(int charset);

// Text of bytes in a Windows or DOS code page; an unknown code page reads as Windows-1252.
QString DecodeCodePage(const QByteArray& bytes, int codePage);

// The Windows-1252 byte of a character, when the code page holds it.
std::optional<unsigned char> Cp1252Byte(QChar character);

} // namespace controls
