#include "app/dial_strings.h"

namespace {

// The digit of a letter on a telephone keypad; 0 for anything else.
char keypadDigit(QChar c) {
    static const char* const keys = "22233344455566677778889999";
    const char16_t u = c.toUpper().unicode();
    return u >= 'A' && u <= 'Z' ? keys[u - 'A'] : 0;
}

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The characters of a tel: link; letters become digits only when asked.
QString telCharacters(const QString& text, bool lettersAsDigits, bool plusAllowed) {
    QString kept;
    for (const QChar c : text) {
        if (const char digit = keypadDigit(c); digit && lettersAsDigits)
            kept += QLatin1Char(digit);
        else if (isAsciiDigit(c) || QStringLiteral("*#-.()").contains(c))
            kept += c;
        else if (c == QLatin1Char('+') && plusAllowed && kept.isEmpty())
            kept += c;
    }
    return kept;
}

} // namespace

QString ModemNumber(const QString& number) {
    QString cleaned;
    for (const QChar c : number) {
        if (const char digit = keypadDigit(c))
            cleaned += QLatin1Char(digit);
        else if (isAsciiDigit(c) || QStringLiteral(" -()*#,").contains(c))
            cleaned += c;
    }
    return cleaned;
}

QString ModemPrefix(const QString& prefix) {
    QString cleaned;
    for (const QChar c : prefix)
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            cleaned += c;
    return cleaned;
}

QUrl TelLink(const QString& prefix, const QString& number) {
    const QString start = telCharacters(prefix, false, true);
    const QString digits = start + telCharacters(number, true, start.isEmpty());
    QUrl link;
    link.setScheme("tel");
    link.setPath(digits);
    return link;
}
