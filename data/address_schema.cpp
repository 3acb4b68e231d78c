#include "data/address_schema.h"

#include <QDate>
#include <QRegularExpression>

#include <array>

namespace data {

namespace {

constexpr std::array<FieldSpec, 23> addressFields{{
    {"LNAME", 'C', 30, 0, "Last Name", 20},
    {"FNAME", 'C', 30, 0, "First Name", 15},
    {"MIDDLE", 'C', 1, 0, "Middle", 1},
    {"PREFIX", 'C', 12, 0, "Prefix", 4},
    {"TITLE", 'C', 30, 0, "Title", 20},
    {"ORG", 'C', 30, 0, "Organization", 20},
    {"STREET", 'C', 40, 0, "Address 1", 40},
    {"STREET2", 'C', 40, 0, "Address 2", 20},
    {"CITY", 'C', 30, 0, "City", 15},
    {"STATE", 'C', 20, 0, "State", 5},
    {"ZIP", 'C', 10, 0, "Zip/Postal Code", 10},
    {"COUNTRY", 'C', 30, 0, "Country", 15},
    {"DATE", 'C', 15, 0, "Actual Date", 15},
    {"PHONE", 'C', 30, 0, "Phone 1", 15},
    {"PHONE2", 'C', 30, 0, "Phone 2", 15},
    {"FAX", 'C', 30, 0, "Fax", 30},
    {"EMAIL", 'C', 30, 0, "Email", 30},
    {"CODES", 'C', 30, 0, "Codes", 30},
    {"USER1", 'C', 40, 0, "Comment 1", 15},
    {"USER2", 'C', 40, 0, "Comment 2", 15},
    {"ISDEL", 'L', 1, 0, "Deleted", 1},
    {"TAG", 'C', 8, 0, "", 8},
    {"MEMO", 'M', 10, 0, "", 10},
}};

constexpr std::array<TagSpec, 26> addressTags{{
    {"NAME", "UPPER(LNAME-FNAME)"},
    {"LNAME", "UPPER(LNAME)+UPPER(FNAME)"},
    {"FNAME", "UPPER(FNAME)"},
    {"TITLE", "UPPER(TITLE)"},
    {"ORG", "UPPER(ORG)"},
    {"STREET", "UPPER(STREET)"},
    {"STREET2", "UPPER(STREET2)"},
    {"CITY", "UPPER(CITY+STATE)"},
    {"STATE", "UPPER(STATE)"},
    {"ZIP", "UPPER(ZIP)"},
    {"COUNTRY", "UPPER(COUNTRY)"},
    {"PHONE", "UPPER(PHONE)"},
    {"PHONE2", "UPPER(PHONE2)"},
    {"EMAIL", "UPPER(EMAIL)"},
    {"FAX", "UPPER(FAX)"},
    {"USER1", "UPPER(USER1)"},
    {"USER2", "UPPER(USER2)"},
    {"DATE", "UPPER(DATE)"},
    {"TAG", "UPPER(TAG)"},
    {"CODES", "UPPER(CODES)"},
    {"PREFIX", "UPPER(PREFIX)"},
    {"MIDDLE", "UPPER(MIDDLE)"},
    {"DELETED", "DELETED()"},
    {"STATEZIP", "UPPER(STATE-ZIP)"},
    {"ISDEL", "ISDEL"},
    {"NOTISDEL", "!ISDEL"},
}};

constexpr std::array<SortOrder, 14> sortOrders{{
    {"&Last Name", "LNAME"},
    {"&First Name", "FNAME"},
    {"&Title", "TITLE"},
    {"&Organization", "ORG"},
    {"&Street", "STREET"},
    {"&City", "CITY"},
    {"&State", "STATE"},
    {"&Zip", "ZIP"},
    {"&Country", "COUNTRY"},
    {"&Phone", "PHONE"},
    {"&E-mail", "EMAIL"},
    {"&Fax", "FAX"},
    {"&Date", "DATE"},
    {"&Codes", "CODES"},
}};

} // namespace

std::span<const FieldSpec> AddressFields() {
    return addressFields;
}

const FieldSpec* FindAddressField(const QString& name) {
    for (const FieldSpec& field : addressFields) {
        if (name.compare(QLatin1String(field.name), Qt::CaseInsensitive) == 0)
            return &field;
    }
    return nullptr;
}

std::span<const TagSpec> AddressTags() {
    return addressTags;
}

QStringList IndexCheckOrder() {
    return {"NAME",    "LNAME",    "FNAME", "TITLE",    "ORG",    "STREET", "STREET2",
            "CITY",    "STATE",    "ZIP",   "COUNTRY",  "PHONE",  "PHONE2", "EMAIL",
            "FAX",     "DATE",     "CODES", "PREFIX",   "MIDDLE", "USER1",  "USER2",
            "DELETED", "STATEZIP", "ISDEL", "NOTISDEL", "TAG"};
}

std::span<const SortOrder> SortOrders() {
    return sortOrders;
}

QString SortCaptionKey(const QString& caption) {
    return caption.mid(1, 30).toUpper();
}

QString SortTagOfCaption(const QString& caption) {
    const QString key = SortCaptionKey(caption);
    for (const SortOrder& order : sortOrders) {
        if (SortCaptionKey(QLatin1String(order.caption)) == key)
            return QLatin1String(order.tag);
    }
    return {};
}

QString SortCaptionOfTag(const QString& tag) {
    for (const SortOrder& order : sortOrders) {
        if (tag.compare(QLatin1String(order.tag), Qt::CaseInsensitive) == 0)
            return QLatin1String(order.caption);
    }
    return {};
}

QString TrimLeft(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    return text.mid(start);
}

QString TrimRight(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == ' ')
        --end;
    return text.left(end);
}

QString Trim(const QString& text) {
    return TrimLeft(TrimRight(text));
}

QString FullName(const QString& first, const QString& middle, const QString& last) {
    return TrimRight(first + " " + middle) + " " + last;
}

QString FullNameWithPrefix(const QString& prefix, const QString& first, const QString& middle,
                           const QString& last) {
    return Trim(prefix + " " + first + " " + middle) + " " + last;
}

QString CityStateZip(const QString& city, const QString& state, const QString& zip) {
    return TrimLeft(city + " ") + TrimLeft(state + " ") + zip;
}

QString DisplayDate(const QString& storedDate, const QString& shortDatePattern) {
    const QString digits = storedDate.left(8);
    static const QRegularExpression eightDigits("^[0-9]{8}$");
    if (!eightDigits.match(digits).hasMatch())
        return {};
    const QDate date(digits.left(4).toInt(), digits.mid(4, 2).toInt(), digits.mid(6, 2).toInt());
    if (!date.isValid())
        return {};
    // The pattern uses the system's letters (mm month, dd day, yy or yyyy year); Qt writes
    // months with capital M.
    QString pattern = shortDatePattern;
    pattern.replace(QRegularExpression("m", QRegularExpression::CaseInsensitiveOption), "M");
    pattern.replace(QRegularExpression("D"), "d");
    pattern.replace(QRegularExpression("Y"), "y");
    return date.toString(pattern);
}

QString ProposeNewDatabaseName(const QStringList& existingFileNames) {
    for (int number = 1; number <= 9999; ++number) {
        const QString name = QString("ADD%1").arg(number, 4, 10, QChar('0'));
        if (!existingFileNames.contains(name + ".DBF", Qt::CaseInsensitive))
            return name;
    }
    return "ADD0001";
}

bool IsValidDatabaseName(const QString& name) {
    static const QRegularExpression identifier("^[A-Za-z_][A-Za-z0-9_]*$");
    return identifier.match(name).hasMatch();
}

} // namespace data
