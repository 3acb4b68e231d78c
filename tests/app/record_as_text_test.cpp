#include "app/record_as_text.h"

#include <QHash>

#include <gtest/gtest.h>

namespace {

using Fields = QHash<QString, QString>;

QString text(const Fields& fields, RecordTextGroups groups = {}) {
    return GetRecordAsString([&fields](const QString& name) { return fields.value(name); }, groups);
}

const Fields annLee{{"PREFIX", "Dr."}, {"FNAME", "Ann"},        {"MIDDLE", "B"},
                    {"LNAME", "Lee"},  {"STREET", "1 Main St"}, {"CITY", "Springfield"},
                    {"STATE", "IL"},   {"ZIP", "62701"},        {"PHONE", "555-0100"}};

TEST(RecordAsText, LinesInTheirOrderEachEndedByCrLf) {
    EXPECT_EQ(text(annLee),
              "Dr. Ann B. Lee \r\n1 Main St\r\nSpringfield  IL 62701\r\nPhone  :555-0100\r\n");

    Fields full = annLee;
    full.insert({{"TITLE", "Director"},
                 {"ORG", "Acme Co"},
                 {"STREET2", "Suite 4"},
                 {"COUNTRY", "USA"},
                 {"PHONE2", "555-0199"},
                 {"CODES", "XMAS"},
                 {"USER1", "met 1997"},
                 {"USER2", "golf"},
                 {"FAX", "555-0111"},
                 {"EMAIL", "ann@example.com"},
                 {"MEMO", "not copied"}});
    EXPECT_EQ(text(full), "Dr. Ann B. Lee \r\n"
                          "Director\r\n"
                          "Acme Co\r\n"
                          "1 Main St\r\n"
                          "Suite 4\r\n"
                          "Springfield  IL 62701\r\n"
                          "USA \r\n"
                          "Phone  :555-0100\r\n"
                          "Phone 2:555-0199\r\n"
                          "Codes :XMAS\r\n"
                          "Comment 1 :met 1997\r\n"
                          "Comment 2 :golf\r\n");
}

// Parts that are missing leave no gap and empty lines are left out.
TEST(RecordAsText, MissingPartsLeaveNoGap) {
    const struct {
        Fields fields;
        const char* expected;
    } cases[] = {
        {{{"FNAME", "Ann"}, {"LNAME", "Lee"}}, "Ann Lee \r\n"},
        {{{"MIDDLE", "B"}, {"LNAME", "Lee"}}, "B. Lee \r\n"},
        {{{"PREFIX", "  Dr.  "}, {"LNAME", "  Lee"}}, "Dr. Lee \r\n"},
        {{{"ORG", "Acme Co"}, {"STATE", "IL"}, {"ZIP", "62701"}}, "Acme Co\r\n IL 62701\r\n"},
        {{{"CITY", "Springfield"}}, "Springfield  \r\n"},
        {{{"STREET2", "Suite 4"}, {"ZIP", "62701"}}, "Suite 4\r\n 62701\r\n"},
        // Without city, state and ZIP no line of a lone blank is left.
        {{{"LNAME", "Lee"}, {"STREET", "1 Main St"}, {"COUNTRY", "Canada "}},
         "Lee \r\n1 Main St\r\nCanada \r\n"},
        {{{"LNAME", "   "}, {"PHONE", "   "}, {"CODES", "A"}}, "Codes :A\r\n"},
        {{}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text(c.fields), c.expected) << c.expected;
}

TEST(RecordAsText, OnlyTheChosenGroups) {
    Fields full = annLee;
    full.insert({{"CODES", "XMAS"}, {"USER2", "golf"}, {"ORG", "Acme Co"}});
    RecordTextGroups none{false, false, false, false, false};
    EXPECT_EQ(text(full, none), "");
    RecordTextGroups some = none;
    some.codes = some.comments = true;
    EXPECT_EQ(text(full, some), "Codes :XMAS\r\nComment 2 :golf\r\n");
    some = none;
    some.name = true;
    EXPECT_EQ(text(full, some), "Dr. Ann B. Lee \r\nAcme Co\r\n");
    some = none;
    some.address = true;
    EXPECT_EQ(text(full, some), "1 Main St\r\nSpringfield  IL 62701\r\n");
}

} // namespace
