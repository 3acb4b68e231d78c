#include "layout/address_composition.h"

namespace layout {

namespace {

// A field that cannot be read stops the composition.
struct Unreadable {};

// The text without its leading blanks.
QString L(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text[start] == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

bool hasNonBlank(const QString& text) {
    return !text.trimmed().isEmpty();
}

} // namespace

QStringList ComposeAddress(const AddressOptions& o, const AddressFieldReader& read) {
    QStringList lines;
    const auto v = [&read](const char* field) {
        const std::optional<QString> value = read(QString::fromLatin1(field));
        if (!value)
            throw Unreadable{};
        return *value;
    };
    // A line is added only when it holds something; it is not trimmed otherwise.
    const auto add = [&lines](const QString& line) {
        if (!line.isEmpty())
            lines << line;
    };
    const QString blank = QStringLiteral(" ");
    try {
        if (o.useName) {
            QString middle = v("MIDDLE");
            if (hasNonBlank(middle))
                middle += QLatin1Char('.');
            add(L(v("PREFIX") + blank) + L(v("FNAME") + blank) + L(middle + blank) +
                L(v("LNAME") + blank));
        }
        if (o.useTitle)
            add(v("TITLE"));
        if (o.useCompany)
            add(v("ORG"));
        if (o.useStreet)
            add(v("STREET"));
        if (o.useStreet2)
            add(v("STREET2"));

        const bool zipWithCountry =
            o.zipOptions == zoAfterCountry || o.zipOptions == zoBeforeCountry;
        if (o.useCityState && o.useZip && o.zipOptions == zoAfterState) {
            const QString line = L(v("CITY") + blank) + blank + L(v("STATE") + blank) + L(v("ZIP"));
            if (hasNonBlank(line))
                add(line);
        } else if (o.useCityState && o.useZip && o.zipOptions == zoBeforeCity) {
            add(L(v("ZIP") + blank) + L(v("CITY") + blank) + L(v("STATE") + blank));
        } else if (o.useCityState) {
            add(L(v("CITY") + blank) + L(v("STATE")));
        } else if (o.useZip && !zipWithCountry) {
            add(L(v("ZIP")));
        }

        if (o.useCountry && o.useZip && o.zipOptions == zoAfterCountry)
            add(L(v("COUNTRY") + blank) + L(v("ZIP")));
        else if (o.useCountry && o.useZip && o.zipOptions == zoBeforeCountry)
            add(L(v("ZIP") + blank) + L(v("COUNTRY")));
        else if (o.useCountry)
            add(L(v("COUNTRY")));
        else if (o.useZip && zipWithCountry)
            add(L(v("ZIP")));

        if (o.usePhone)
            add(v("PHONE"));
    } catch (const Unreadable&) {
        return lines;
    }
    if (o.upperCase)
        for (QString& line : lines)
            line = line.toUpper();
    return lines;
}

} // namespace layout
