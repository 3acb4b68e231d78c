#pragma once

#include <QString>

namespace selection {

// The search text is cut to this many characters.
inline constexpr int MemoSearchTextLimit = 255;
// Only the first this many characters of a memo are looked through.
inline constexpr int MemoReadLimit = 32767;

// Whether a memo contains the search text, both in upper case; an empty memo never matches.
bool MemoMatches(const QString& memo, const QString& searchText);

} // namespace selection
