#include "select/memo_search.h"

namespace selection {

bool MemoMatches(const QString& memo, const QString& searchText) {
    if (memo.isEmpty())
        return false;
    const QString wanted = searchText.left(MemoSearchTextLimit).toUpper();
    return memo.left(MemoReadLimit).toUpper().contains(wanted);
}

} // namespace selection
