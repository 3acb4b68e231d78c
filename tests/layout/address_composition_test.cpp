// The lines an address block composes a record into, for each switch and ZIP code place.
#include "layout/address_composition.h"
#include "layout/line_wrapping.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMap>

#include <gtest/gtest.h>

using namespace layout;

namespace {

using Record = QMap<QString, QString>;

const Record Springfield{{"FNAME", "Ann"},        {"LNAME", "Lee"}, {"STREET", "12 Elm St"},
                         {"CITY", "Springfield"}, {"STATE", "IL"},  {"ZIP", "62701"},
                         {"COUNTRY", "USA"}};

// Every field of the address file is there; those not given are blank.
QStringList compose(const Record& record, const AddressOptions& options,
                    const QString& missing = {}) {
    return ComposeAddress(options, [&](const QString& field) -> std::optional<QString> {
        if (field == missing)
            return std::nullopt;
        return record.value(field);
    });
}

AddressOptions with(void (*change)(AddressOptions&)) {
    AddressOptions options;
    change(options);
    return options;
}

} // namespace

TEST(AddressComposition, NameLine) {
    const struct {
        Record record;
        QString line;
    } cases[] = {
        {{{"FNAME", "Ann"}, {"LNAME", "Lee"}}, "Ann Lee "},
        {{{"FNAME", "Ann"}, {"MIDDLE", "Q"}, {"LNAME", "Lee"}}, "Ann Q. Lee "},
        {{{"FNAME", "Ann"}, {"MIDDLE", " "}, {"LNAME", "Lee"}}, "Ann Lee "},
        {{{"PREFIX", "Dr."}, {"FNAME", "  Ann"}, {"LNAME", "Lee"}}, "Dr. Ann Lee "},
        {{{"LNAME", "Lee"}}, "Lee "},
    };
    AddressOptions nameOnly;
    nameOnly.useCityState = nameOnly.useZip = nameOnly.useCountry = false;
    for (const auto& c : cases)
        EXPECT_EQ(compose(c.record, nameOnly), QStringList{c.line}) << c.line.toStdString();
}

TEST(AddressComposition, ZipCodePlaces) {
    const struct {
        const char* what;
        AddressOptions options;
        QStringList lines;
    } cases[] = {
        {"after state", {}, {"Ann Lee ", "12 Elm St", "Springfield  IL 62701", "USA"}},
        {"before city",
         with([](AddressOptions& o) { o.zipOptions = zoBeforeCity; }),
         {"Ann Lee ", "12 Elm St", "62701 Springfield IL ", "USA"}},
        {"alone without city and state",
         with([](AddressOptions& o) { o.useCityState = false; }),
         {"Ann Lee ", "12 Elm St", "62701", "USA"}},
        {"after country",
         with([](AddressOptions& o) { o.zipOptions = zoAfterCountry; }),
         {"Ann Lee ", "12 Elm St", "Springfield IL", "USA 62701"}},
        {"before country",
         with([](AddressOptions& o) { o.zipOptions = zoBeforeCountry; }),
         {"Ann Lee ", "12 Elm St", "Springfield IL", "62701 USA"}},
        {"after country without the country",
         with([](AddressOptions& o) {
             o.zipOptions = zoAfterCountry;
             o.useCountry = false;
         }),
         {"Ann Lee ", "12 Elm St", "Springfield IL", "62701"}},
        {"switched off",
         with([](AddressOptions& o) { o.useZip = false; }),
         {"Ann Lee ", "12 Elm St", "Springfield IL", "USA"}},
        {"upper case with the phone",
         with([](AddressOptions& o) {
             o.upperCase = true;
             o.usePhone = true;
             o.useStreet = false;
         }),
         {"ANN LEE ", "SPRINGFIELD  IL 62701", "USA"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(compose(Springfield, c.options), c.lines) << c.what;
}

TEST(AddressComposition, BlankPartsAndMissingFields) {
    EXPECT_EQ(compose({}, {}), QStringList());
    for (const auto zip : {zoAfterState, zoBeforeCity, zoAfterCountry, zoBeforeCountry}) {
        AddressOptions options;
        options.zipOptions = zip;
        options.usePhone = true;
        EXPECT_EQ(compose({}, options), QStringList()) << zip;
    }
    EXPECT_EQ(compose({{"STATE", "IL"}, {"PHONE", "555-0100"}},
                      with([](AddressOptions& o) { o.usePhone = true; })),
              QStringList({" IL ", "555-0100"}));
    // A field that cannot be read ends the block quietly.
    EXPECT_EQ(compose(Springfield, {}, "STREET2"), QStringList({"Ann Lee ", "12 Elm St"}));
}

TEST(LineWrapping, BreaksAtTheWidthAndKeepsHardBreaks) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const QFont font(QStringLiteral("Liberation Sans"), 10);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("Twelve words of")) + 2;
    const QStringList lines = WrapLines({"Twelve words of text that go on well past the width", "",
                                         "Short", "Supercalifragilisticexpialidocious"},
                                        font, width);
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), width) << line.toStdString();
    EXPECT_EQ(lines.first(), "Twelve words of");
    EXPECT_TRUE(lines.contains("Short"));
    EXPECT_TRUE(lines.contains(""));
    EXPECT_GT(lines.size(), 6);
    QString joined = lines.join(" ");
    joined.remove(' ');
    EXPECT_EQ(joined, "Twelvewordsoftextthatgoonwellpastthewidth"
                      "ShortSupercalifragilisticexpialidocious");
    EXPECT_EQ(HardLines("one\r\ntwo\nthree\rfour"), QStringList({"one", "two", "three", "four"}));
}
