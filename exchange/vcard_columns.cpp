#include "exchange/vcard_columns.h"

#include <algorithm>

namespace exchange {

namespace {

enum Column {
    FamilyName,
    GivenName,
    MiddleName,
    NamePrefix,
    NameSuffix,
    FormattedName,
    Organization,
    Title,
    Street,
    ExtendedAddress,
    City,
    Region,
    PostalCode,
    Country,
    Phone1,
    Phone2,
    Fax,
    Email,
    Email2,
    Note,
    Categories,
    Birthday,
    WebPage,
    Comment1,
    Comment2,
    DateColumn,
    ColumnCount
};

// The record's own fields that vCard has no property for.
constexpr const char* user1Property = "X-CORVANE-USER1";
constexpr const char* user2Property = "X-CORVANE-USER2";
constexpr const char* dateProperty = "X-CORVANE-DATE";

std::string joinNonEmpty(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (const std::string& p : parts) {
        if (p.empty())
            continue;
        if (!out.empty())
            out += separator;
        out += p;
    }
    return out;
}

std::string crlf(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\n' || text[i] == '\r')
            out += "\r\n";
        else
            out += text[i];
    }
    return out;
}

std::string phoneText(const VCardProperty& p) {
    std::string value = UnescapeVCardText(p.value);
    if (value.size() >= 4 && (value.compare(0, 4, "tel:") == 0 || value.compare(0, 4, "TEL:") == 0))
        value.erase(0, 4);
    return value;
}

} // namespace

const std::vector<VCardColumn>& VCardColumns() {
    static const std::vector<VCardColumn> columns{
        {"Family name", "LNAME"},
        {"Given name", "FNAME"},
        {"Middle name", "MIDDLE"},
        {"Name prefix", "PREFIX"},
        {"Name suffix", ""},
        {"Formatted name", ""},
        {"Organization", "ORG"},
        {"Title", "TITLE"},
        {"Street", "STREET"},
        {"Extended address", "STREET2"},
        {"City", "CITY"},
        {"Region", "STATE"},
        {"Postal code", "ZIP"},
        {"Country", "COUNTRY"},
        {"Phone 1", "PHONE"},
        {"Phone 2", "PHONE2"},
        {"Fax", "FAX"},
        {"E-mail", "EMAIL"},
        {"E-mail 2", ""},
        {"Note", "MEMO"},
        {"Categories", "CODES"},
        {"Birthday", ""},
        {"Web page", ""},
        {"Comment 1", "USER1"},
        {"Comment 2", "USER2"},
        {"Date", "DATE"},
    };
    return columns;
}

std::vector<std::string> VCardColumnValues(const VCard& card) {
    std::vector<std::string> v(ColumnCount);
    const VCardProperty* adr = nullptr;
    std::vector<std::string> phones, emails;
    for (const VCardProperty& p : card.properties) {
        if (p.name == "N") {
            const std::vector<std::string> n = SplitVCardValue(p.value, ';');
            for (int i = 0; i < 5 && i < int(n.size()); ++i)
                v[FamilyName + i] = n[std::size_t(i)];
        } else if (p.name == "FN") {
            v[FormattedName] = UnescapeVCardText(p.value);
        } else if (p.name == "ORG") {
            v[Organization] = joinNonEmpty(SplitVCardValue(p.value, ';'), ", ");
        } else if (p.name == "TITLE") {
            v[Title] = UnescapeVCardText(p.value);
        } else if (p.name == "ADR") {
            if (!adr || (p.hasType("pref") && !adr->hasType("pref")))
                adr = &p;
        } else if (p.name == "TEL") {
            if (p.hasType("fax")) {
                if (v[Fax].empty())
                    v[Fax] = phoneText(p);
            } else if (p.hasType("pref")) {
                phones.insert(phones.begin(), phoneText(p));
            } else {
                phones.push_back(phoneText(p));
            }
        } else if (p.name == "EMAIL") {
            if (p.hasType("pref"))
                emails.insert(emails.begin(), UnescapeVCardText(p.value));
            else
                emails.push_back(UnescapeVCardText(p.value));
        } else if (p.name == "NOTE") {
            v[Note] = crlf(UnescapeVCardText(p.value));
        } else if (p.name == "CATEGORIES") {
            v[Categories] = joinNonEmpty(SplitVCardValue(p.value, ','), ",");
        } else if (p.name == "BDAY") {
            v[Birthday] = UnescapeVCardText(p.value);
        } else if (p.name == "URL") {
            v[WebPage] = UnescapeVCardText(p.value);
        } else if (p.name == user1Property) {
            v[Comment1] = UnescapeVCardText(p.value);
        } else if (p.name == user2Property) {
            v[Comment2] = UnescapeVCardText(p.value);
        } else if (p.name == dateProperty) {
            v[DateColumn] = UnescapeVCardText(p.value);
        }
    }
    if (adr) {
        std::vector<std::string> a = SplitVCardValue(adr->value, ';');
        a.resize(std::max<std::size_t>(a.size(), 7));
        // A street of several lines: the first is the street, the others join the extended
        // address.
        std::string street = a[2];
        std::string more;
        if (const std::size_t nl = street.find('\n'); nl != std::string::npos) {
            more = street.substr(nl + 1);
            street.erase(nl);
            std::replace(more.begin(), more.end(), '\n', ' ');
        }
        v[Street] = street;
        v[ExtendedAddress] = joinNonEmpty({a[0], a[1], more}, ", ");
        v[City] = a[3];
        v[Region] = a[4];
        v[PostalCode] = a[5];
        v[Country] = a[6];
    }
    if (!phones.empty())
        v[Phone1] = phones[0];
    if (phones.size() > 1)
        v[Phone2] = phones[1];
    if (!emails.empty())
        v[Email] = emails[0];
    if (emails.size() > 1)
        v[Email2] = emails[1];
    return v;
}

VCardFeed::VCardFeed(std::string path, TextEncoding encoding,
                     std::vector<std::pair<int, QString>> matches)
    : path_(path), lines_(std::move(path), encoding), reader_(lines_),
      matches_(std::move(matches)) {}

QStringList VCardFeed::targets() const {
    QStringList names;
    for (const auto& [column, field] : matches_)
        names << field;
    return names;
}

void VCardFeed::rewind() {
    if (!lines_.rewind())
        throw ImportReadError("cannot open " + path_);
    reader_ = VCardReader(lines_);
    cards_ = 0;
}

bool VCardFeed::next(ImportRecord& record) {
    if (!reader_.next(card_)) {
        if (lines_.failed())
            throw ImportReadError("cannot read " + path_ + " after line " +
                                  std::to_string(lines_.lineNumber()));
        return false;
    }
    record.where = ++cards_;
    std::vector<std::string> values = VCardColumnValues(card_);
    record.values.assign(matches_.size(), std::string());
    for (std::size_t i = 0; i < matches_.size(); ++i) {
        const int column = matches_[i].first;
        if (column >= 0 && column < int(values.size()))
            record.values[i] = values[std::size_t(column)];
    }
    return true;
}

std::vector<std::vector<std::string>> SampleVCardFile(const std::string& path,
                                                      TextEncoding encoding, int cards) {
    std::vector<std::vector<std::string>> rows;
    TextLineReader lines(path, encoding);
    if (!lines.rewind())
        return rows;
    VCardReader reader(lines);
    VCard card;
    while (int(rows.size()) < cards && reader.next(card))
        rows.push_back(VCardColumnValues(card));
    return rows;
}

std::string WriteVCard(const VCardRecord& r, int version) {
    const bool v4 = version >= 4;
    std::string out;
    auto line = [&out](const std::string& text) { out += FoldVCardLine(text); };
    auto text = [](const std::string& s) { return EscapeVCardText(s); };
    line("BEGIN:VCARD");
    line(v4 ? "VERSION:4.0" : "VERSION:3.0");
    line("N:" + text(r.last) + ";" + text(r.first) + ";" + text(r.middle) + ";" + text(r.prefix) +
         ";");
    std::string formatted = joinNonEmpty({r.prefix, r.first, r.middle, r.last}, " ");
    if (formatted.empty())
        formatted = !r.org.empty() ? r.org : r.email;
    line("FN:" + text(formatted));
    if (!r.org.empty())
        line("ORG:" + text(r.org));
    if (!r.title.empty())
        line("TITLE:" + text(r.title));
    if (!(r.street + r.street2 + r.city + r.state + r.zip + r.country).empty())
        line(std::string(v4 ? "ADR;TYPE=work:" : "ADR;TYPE=WORK:") + ";" + text(r.street2) + ";" +
             text(r.street) + ";" + text(r.city) + ";" + text(r.state) + ";" + text(r.zip) + ";" +
             text(r.country));
    const char* voice = v4 ? "TEL;VALUE=text;TYPE=voice:" : "TEL;TYPE=VOICE:";
    if (!r.phone.empty())
        line(voice + text(r.phone));
    if (!r.phone2.empty())
        line(voice + text(r.phone2));
    if (!r.fax.empty())
        line((v4 ? "TEL;VALUE=text;TYPE=fax:" : "TEL;TYPE=FAX:") + text(r.fax));
    if (!r.email.empty())
        line((v4 ? "EMAIL:" : "EMAIL;TYPE=INTERNET:") + text(r.email));
    if (!r.memo.empty())
        line("NOTE:" + text(r.memo));
    if (!r.codes.empty())
        line("CATEGORIES:" + EscapeVCardText(r.codes, true));
    if (!r.user1.empty())
        line(std::string(user1Property) + ":" + text(r.user1));
    if (!r.user2.empty())
        line(std::string(user2Property) + ":" + text(r.user2));
    if (!r.date.empty())
        line(std::string(dateProperty) + ":" + text(r.date));
    line("END:VCARD");
    return out;
}

} // namespace exchange
