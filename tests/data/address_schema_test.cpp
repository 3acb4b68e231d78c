#include "data/address_schema.h"

#include <gtest/gtest.h>

namespace {

TEST(AddressSchema, FieldsAndTagsAreComplete) {
    EXPECT_EQ(data::AddressFields().size(), 23u);
    EXPECT_EQ(data::AddressTags().size(), 26u);
    QStringList built;
    for (const data::TagSpec& tag : data::AddressTags())
        built << tag.name;
    QStringList checked = data::IndexCheckOrder();
    EXPECT_EQ(checked.size(), 26);
    checked.sort();
    built.sort();
    EXPECT_EQ(checked, built); // the check asks for every built tag, in its own order
    EXPECT_EQ(data::IndexCheckOrder().last(), "TAG");
    ASSERT_NE(data::FindAddressField("memo"), nullptr);
    EXPECT_EQ(data::FindAddressField("MEMO")->type, 'M');
}

TEST(AddressSchema, CalculatedNames) {
    EXPECT_EQ(data::FullName("John", "", "Smith"), "John Smith");
    EXPECT_EQ(data::FullName("John", "Q", "Smith"), "John Q Smith");
    EXPECT_EQ(data::FullNameWithPrefix("", "John", "", "Smith"),
              data::FullName("John", "", "Smith"));
    EXPECT_EQ(data::FullNameWithPrefix("Dr.", "John", "Q", "Smith"), "Dr. John Q Smith");
    EXPECT_EQ(data::CityStateZip("Austin", "TX", "78701"), "Austin TX 78701");
    EXPECT_EQ(data::CityStateZip("", "", "78701"), "78701");
}

TEST(AddressSchema, DisplayDate) {
    const struct {
        const char* stored;
        const char* pattern;
        const char* shown;
    } cases[] = {
        {"19970428", "mm/dd/yyyy", "04/28/1997"},
        {"19970428", "dd.MM.yy", "28.04.97"},
        {"19970428", "M/d/yyyy", "4/28/1997"},
        {"1997", "mm/dd/yyyy", ""},
        {"ABCDEFGH", "mm/dd/yyyy", ""},
        {"19970231", "mm/dd/yyyy", ""},
        {"", "mm/dd/yyyy", ""},
        {"19970428xyz", "yyyy-mm-dd", "1997-04-28"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(data::DisplayDate(c.stored, c.pattern), c.shown) << c.stored << ' ' << c.pattern;
}

TEST(AddressSchema, NewDatabaseNames) {
    EXPECT_EQ(data::ProposeNewDatabaseName({}), "ADD0001");
    EXPECT_EQ(data::ProposeNewDatabaseName({"ADD0001.DBF", "add0002.dbf", "ADD0003.DBF"}),
              "ADD0004");
    EXPECT_EQ(data::ProposeNewDatabaseName({"ADD0002.DBF"}), "ADD0001");
    for (const char* good : {"A", "_x", "Add0001", "z_9"})
        EXPECT_TRUE(data::IsValidDatabaseName(good)) << good;
    for (const char* bad : {"", "1abc", "a-b", "a.b", "a b", "\xc3\xa9t\xc3\xa9"})
        EXPECT_FALSE(data::IsValidDatabaseName(QString::fromUtf8(bad))) << bad;
}

TEST(SortOrders, CaptionsAndTags) {
    EXPECT_EQ(data::SortOrders().size(), 14u);
    EXPECT_EQ(data::SortCaptionKey("&Last Name"), "LAST NAME");
    EXPECT_EQ(data::SortCaptionKey("&E-mail"), "E-MAIL");
    EXPECT_EQ(data::SortTagOfCaption("&Zip"), "ZIP");
    EXPECT_EQ(data::SortTagOfCaption("&Organization"), "ORG");
    EXPECT_EQ(data::SortTagOfCaption("&Nothing"), "");
    EXPECT_EQ(data::SortCaptionOfTag("city"), "&City");
}

} // namespace
