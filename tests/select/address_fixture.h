#pragma once

// A small address file for the filter tests, written with the engine alone.
#include "data/address_file.h"
#include "data/address_schema.h"
#include "platform/cp1252.h"
#include "xbase/table.h"

#include <QString>

#include <initializer_list>
#include <utility>
#include <vector>

namespace testing_select {

struct Person {
    const char* last;
    const char* first;
    const char* city;
    const char* state;
    const char* codes;
    const char* date;
    const char* tag;
    bool isdel;
};

// Jones, Lee, Smith and Müller are visible; Joplin carries ISDEL.
inline const std::vector<Person>& People() {
    static const std::vector<Person> people = {
        {"Jones", "Fred", "Vienna", "VA", "AC", "19970428", "", false},
        {"Lee", "Anna", "Vicksburg", "MS", "B", "19961231", "", false},
        {"Smith", "John", "Boston", "MA", "BC", "", "T1", false},
        {"Joplin", "Frank", "Vienna", "VA", "A", "19980101", "", true},
        {"M\xc3\xbcller", "J\xc3\xbcrgen", "M\xc3\xbcnchen", "", "", "", "", false},
    };
    return people;
}

inline void WriteAddressFile(const QString& path, const std::vector<Person>& people = People()) {
    xbase::Table table =
        xbase::Table::create(path.toStdString(), data::EngineFields(data::AddressFields()));
    for (const Person& p : people) {
        table.appendBlank();
        const std::pair<const char*, const char*> texts[] = {
            {"LNAME", p.last},  {"FNAME", p.first}, {"CITY", p.city}, {"STATE", p.state},
            {"CODES", p.codes}, {"DATE", p.date},   {"TAG", p.tag}};
        for (const auto& [field, text] : texts)
            table.setText(field, platform::ToCp1252(QString::fromUtf8(text)));
        table.setLogical("ISDEL", p.isdel);
        table.post();
    }
    table.close();
}

} // namespace testing_select
