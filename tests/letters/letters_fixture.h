#pragma once

// Address records and letters for the letters tests, written with the engine and the letter
// store.
#include "data/address_file.h"
#include "data/address_schema.h"
#include "letters/letter_store.h"
#include "platform/cp1252.h"
#include "xbase/table.h"

#include <QString>

#include <utility>
#include <vector>

namespace testing_letters {

using Record = std::vector<std::pair<const char*, const char*>>;

// Ann Baker has every part of an address; Jürgen Müller has no state, title or organization;
// Kim Lee is deleted by the user.
inline const std::vector<Record>& People() {
    static const std::vector<Record> people = {
        {{"PREFIX", "Dr"},
         {"FNAME", "Ann"},
         {"MIDDLE", "B"},
         {"LNAME", "Baker"},
         {"TITLE", "Manager"},
         {"ORG", "Acme"},
         {"STREET", "12 Main St"},
         {"CITY", "Springfield"},
         {"STATE", "IL"},
         {"ZIP", "62704"},
         {"COUNTRY", "USA"},
         {"CODES", "A"}},
        {{"FNAME", "J\xc3\xbcrgen"},
         {"LNAME", "M\xc3\xbcller"},
         {"STREET", "Hauptstra\xc3\x9f"
                    "e 5"},
         {"CITY", "Springfield"},
         {"ZIP", "62704"}},
        {{"FNAME", "Kim"}, {"LNAME", "Lee"}, {"ISDEL", "T"}},
    };
    return people;
}

inline void WriteAddressFile(const QString& path, const std::vector<Record>& people = People()) {
    xbase::Table table =
        xbase::Table::create(path.toStdString(), data::EngineFields(data::AddressFields()));
    for (const Record& record : people) {
        table.appendBlank();
        table.setLogical("ISDEL", false);
        for (const auto& [field, text] : record) {
            if (QString(field) == "ISDEL")
                table.setLogical("ISDEL", true);
            else
                table.setText(field, platform::ToCp1252(QString::fromUtf8(text)));
        }
        table.post();
    }
    table.close();
}

// An RTF letter of one paragraph per line given.
inline QByteArray Letter(const QStringList& paragraphs) {
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
    for (const QString& paragraph : paragraphs)
        rtf += paragraph.toLatin1() + "\\par\r\n";
    return rtf + "}";
}

} // namespace testing_letters
