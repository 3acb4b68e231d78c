// Reading vCards as phones and mail programs write them.
#include "exchange/vcard_columns.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <map>

using namespace exchange;

namespace {

// The values of the first card of the text, by column name.
std::map<std::string, std::string> firstCard(const std::string& text) {
    QTemporaryDir dir;
    const std::string file = dir.path().toStdString() + "/c.vcf";
    std::ofstream(file, std::ios::binary) << text;
    const auto rows = SampleVCardFile(file, TextEncoding::Utf8);
    std::map<std::string, std::string> values;
    if (rows.empty())
        return values;
    for (std::size_t i = 0; i < rows[0].size(); ++i)
        if (!rows[0][i].empty())
            values[VCardColumns()[i].name] = rows[0][i];
    return values;
}

} // namespace

TEST(VCardReading, TakesEachPropertyInItsColumn) {
    using V = std::map<std::string, std::string>;
    const struct {
        const char* text;
        V values;
    } cases[] = {
        // vCard 3.0 with folding, escapes, groups and typed phones.
        {"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;John;Paul;Mr.;III\r\nFN:Mr. John Doe\r\n"
         "ORG:Example\\, Inc.;Sales\r\nTITLE:Boss\r\nitem1.ADR;TYPE=WORK,PREF:;Bldg 2;12 Elm "
         "St\\nFloor 3;Spring\r\n field;IL;62701;USA\r\nTEL;TYPE=WORK,VOICE:111\r\n"
         "TEL;TYPE=HOME:222\r\nTEL;TYPE=\"work,fax\":333\r\nTEL;TYPE=CELL:444\r\n"
         "EMAIL;TYPE=INTERNET:j@d.com\r\nNOTE:line 1\\nline 2\\, more\r\n"
         "CATEGORIES:Friends,Work\r\nBDAY:1970-01-02\r\nEND:VCARD\r\n",
         V{{"Family name", "Doe"},
           {"Given name", "John"},
           {"Middle name", "Paul"},
           {"Name prefix", "Mr."},
           {"Name suffix", "III"},
           {"Formatted name", "Mr. John Doe"},
           {"Organization", "Example, Inc., Sales"},
           {"Title", "Boss"},
           {"Street", "12 Elm St"},
           {"Extended address", "Bldg 2, Floor 3"},
           {"City", "Springfield"},
           {"Region", "IL"},
           {"Postal code", "62701"},
           {"Country", "USA"},
           {"Phone 1", "111"},
           {"Phone 2", "222"},
           {"Fax", "333"},
           {"E-mail", "j@d.com"},
           {"Note", "line 1\r\nline 2, more"},
           {"Categories", "Friends,Work"},
           {"Birthday", "1970-01-02"}}},
        // vCard 4.0: phones as tel: addresses, a preferred one first.
        {"BEGIN:VCARD\nVERSION:4.0\nFN:Ann\nN:Lee;Ann;;;\nTEL;VALUE=uri;TYPE=voice:tel:+1-555\n"
         "TEL;VALUE=uri;PREF=1:tel:+1-666\nEMAIL:a@b.c\nEND:VCARD\n",
         V{{"Family name", "Lee"},
           {"Given name", "Ann"},
           {"Formatted name", "Ann"},
           {"Phone 1", "+1-666"},
           {"Phone 2", "+1-555"},
           {"E-mail", "a@b.c"}}},
        // vCard 2.1 from a phone: bare types and quoted-printable UTF-8 with a soft break.
        {"BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;J="
         "\r\n=C3=BCrgen;;;\r\nTEL;WORK;FAX:999\r\nTEL;CELL:888\r\nEND:VCARD\r\n",
         V{{"Family name", "Müller"},
           {"Given name", "Jürgen"},
           {"Fax", "999"},
           {"Phone 1", "888"}}},
        // A card cut off before its end still counts; lines outside cards do not.
        {"junk\r\nBEGIN:VCARD\r\nN:Kim;;;;\r\n", V{{"Family name", "Kim"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(firstCard(c.text), c.values) << c.text;
}

TEST(VCardWriting, FoldsLongLinesBetweenCharacters) {
    VCardRecord r;
    r.last = std::string(70, 'x') + "éé";
    const std::string card = WriteVCard(r, 3);
    EXPECT_NE(card.find("N:" + std::string(70, 'x') + "\xC3\xA9\r\n \xC3\xA9;;;;\r\n"),
              std::string::npos)
        << card;
    EXPECT_EQ(firstCard(card).at("Family name"), r.last);
}
