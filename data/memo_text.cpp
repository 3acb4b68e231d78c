#include "data/memo_text.h"

namespace data {

QString MemoTextToStore(const QString& boxText) {
    QString text = boxText;
    text.replace("\r\n", "\n").replace('\n', "\r\n");
    if (!text.isEmpty() && text.size() % 4 == 0)
        text += ' ';
    return text;
}

QString MemoTextToShow(const QString& stored) {
    return QString(stored).replace("\r\n", "\n");
}

} // namespace data
