#pragma once

#include <QString>

#include <functional>

namespace platform {

// Empties the system clipboard and puts the text on it as plain text, exactly as given (line
// ends included).
void PutClipboardText(const QString& text);

// Tests receive the text instead of the clipboard (nullptr restores the clipboard).
void SetClipboardHandler(std::function<void(const QString& text)> handler);

} // namespace platform
