#include "letters/letter_run.h"
#include "letters/letter_store.h"
#include "letters/merge_fields.h"
#include "letters/preview_zoom.h"

#include <gtest/gtest.h>

namespace {

using letters::AddressValues;

AddressValues person(const char* prefix, const char* first, const char* middle, const char* last) {
    AddressValues v;
    v.prefix = prefix;
    v.first = first;
    v.middle = middle;
    v.last = last;
    return v;
}

TEST(MergeFields, NameLine) {
    const struct {
        AddressValues values;
        const char* line;
    } cases[] = {
        {person("Dr", "Ann", "B", "Baker"), "Dr Ann B. Baker "},
        {person("", "Ann", "", "Baker"), "Ann Baker "},
        {person("", "", "", "Baker"), "Baker "},
        {person("", "", "", ""), ""},
        {person("  Ms", " Ann", "", "Baker"), "Ms Ann Baker "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(letters::NameLine(c.values), c.line) << c.line;
}

TEST(MergeFields, AddressBlockAndCityLines) {
    AddressValues baker = person("Dr", "Ann", "B", "Baker");
    baker.title = "Manager";
    baker.org = "Acme";
    baker.street = "12 Main St";
    baker.city = "Springfield";
    baker.state = "IL";
    baker.zip = "62704";
    baker.country = "USA";
    EXPECT_EQ(letters::NameAndAddress(baker), "Dr Ann B. Baker \r\nManager,  Acme\r\n12 Main "
                                              "St\r\nSpringfield IL  62704\r\nUSA\r\n");
    EXPECT_EQ(letters::CityStateZip(baker), "Springfield IL 62704");

    AddressValues noState = person("", "Jo", "", "Doe");
    noState.city = "Springfield";
    noState.zip = "62704";
    noState.street2 = "Apt 2";
    EXPECT_EQ(letters::NameAndAddress(noState), "Jo Doe \r\nApt 2\r\nSpringfield  62704\r\n")
        << "no title line, and two blanks before the ZIP without a state";
    EXPECT_EQ(letters::CityStateZip(noState), "Springfield  62704");

    AddressValues orgOnly;
    orgOnly.org = "Acme";
    orgOnly.state = "IL";
    EXPECT_EQ(letters::NameAndAddress(orgOnly), "Acme\r\nIL\r\n");
    AddressValues titleOnly;
    titleOnly.title = "Manager";
    EXPECT_EQ(letters::NameAndAddress(titleOnly), "Manager\r\n");
    EXPECT_EQ(letters::NameAndAddress(AddressValues()), "");
}

TEST(MergeFields, ValuesOfEveryFieldAndTheDates) {
    AddressValues v = person("Dr", "Ann", "B", "Baker");
    v.state = "IL";
    v.zip = "62704";
    v.email = "ann@example.org";
    const auto values = letters::MergeValues(v, QDate(1997, 4, 8), "mm/dd/yyyy");
    EXPECT_EQ(values.size(), letters::MergeFieldNames().size());
    for (const QString& name : letters::MergeFieldNames())
        EXPECT_TRUE(values.contains(name)) << name.toStdString();
    EXPECT_EQ(letters::MergeOrder().size(), letters::MergeFieldNames().size());
    EXPECT_EQ(values["Province"], "IL");
    EXPECT_EQ(values["Postal Code"], "62704");
    EXPECT_EQ(values["E-Mail"], "ann@example.org");
    EXPECT_EQ(values["Today's Date"], "04/08/1997");
    EXPECT_EQ(values["Long Date"], "Apr 8, 1997");
}

TEST(PreviewZoom, StepsStopAtTheirLimits) {
    std::vector<int> in{100};
    for (int i = 0; i < 3; ++i)
        in.push_back(letters::ZoomStepIn(in.back()));
    EXPECT_EQ(in, (std::vector<int>{100, 125, 156, 156}));
    std::vector<int> out{100};
    for (int i = 0; i < 4; ++i)
        out.push_back(letters::ZoomStepOut(out.back()));
    EXPECT_EQ(out, (std::vector<int>{100, 75, 56, 42, 42}));
    // 8.5 inches at 96 dpi are 816 pixels.
    EXPECT_EQ(letters::ZoomToFit(816, 12240, 96), 100);
    EXPECT_EQ(letters::ZoomToFit(600, 12240, 96), 73);
    EXPECT_EQ(letters::PagePixels(12240, 96, 125), 1020);
    EXPECT_EQ(letters::MarginPixels(1440, 96, 56), 54);
}

TEST(PrintRectangle, MarginsAtThePrinterResolutionLessItsOffsets) {
    const controls::PageSetup letter;
    EXPECT_EQ(letters::PrintRectangle(letter, 600, 600, 0, 0), QRect(600, 600, 3900, 5400));
    EXPECT_EQ(letters::PrintRectangle(letter, 300, 300, 12, 15), QRect(288, 285, 1962, 2715));
    const controls::PageSetup odd{12241, 15841, 1000, 1001, 999, 1003};
    // 1000*203/1440 = 140, 12241*203/1440 = 1725, 999*203/1440 = 140
    EXPECT_EQ(letters::PrintRectangle(odd, 203, 203, 0, 0), QRect(140, 141, 1445, 1951));
}

TEST(LetterMemo, LinesJoinedAndTheBlankRule) {
    EXPECT_EQ(letters::RtfToMemo("{\\rtf1\r\nab}\r\n"), "{\\rtf1\r\nab}");
    EXPECT_EQ(letters::RtfToMemo("{\\rtf1\nabc}\n"), "{\\rtf1\r\nabc} ")
        << "12 characters with the line break: one blank more";
    EXPECT_EQ(letters::RtfToMemo(""), "");
}

} // namespace
