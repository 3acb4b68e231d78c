#include "app/dial_strings.h"
#include "app/dialer.h"

#include <gtest/gtest.h>

namespace {

TEST(DialStrings, TheModemGetsDigitsSeparatorsAndKeypadDigitsForLetters) {
    const struct {
        const char* number;
        const char* dialled;
    } cases[] = {
        {"555-1234", "555-1234"},
        {"(555) 123 4567", "(555) 123 4567"},
        {"1-800-FLOWERS", "1-800-3569377"},
        {"1-800-flowers", "1-800-3569377"},
        {"abc def ghi jkl mno pqrs tuv wxyz", "222 333 444 555 666 7777 888 9999"},
        {"*67 555,,12#", "*67 555,,12#"},
        // A line end or a command separator in the number cannot end the command early.
        {"555\r\nATZ", "555289"},
        {"555;ATH\t1", "5552841"},
        {"+1.555.0100 / ext!", "15550100  398"},
        {"\xc3\xa9\xd9\xa3 12", " 12"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ModemNumber(QString::fromUtf8(c.number)), QString(c.dialled)) << c.number;
}

TEST(DialStrings, ThePrefixKeepsTheModemsInstructions) {
    EXPECT_EQ(ModemPrefix("9,"), "9,");
    EXPECT_EQ(ModemPrefix("9W *70,"), "9W *70,");
    EXPECT_EQ(ModemPrefix("9\r\n"), "9");
    EXPECT_EQ(ModemPrefix(QString::fromUtf8("9\xc3\xa9")), "9");
}

TEST(DialStrings, DialCommands) {
    EXPECT_EQ(DialCommand("9555-1234", TMethod::dmPulse), "ATDP9555-1234\r\n");
    EXPECT_EQ(DialCommand("555", TMethod::dmTone), "ATDT555\r\n");
    EXPECT_EQ(DialCommand("", TMethod::dmTone), "ATDT\r\n");
    EXPECT_EQ(ComPortName(TComPort::dpCOM1), "COM1");
    EXPECT_EQ(ComPortName(TComPort::dpCOM4), "COM4");
}

TEST(DialStrings, TelLinks) {
    const struct {
        const char* prefix;
        const char* number;
        const char* link;
    } cases[] = {
        {"", "555-1234", "tel:555-1234"},
        {"9", "(555) 123-4567", "tel:9(555)123-4567"},
        {"9W,", "1-800-FLOWERS", "tel:91-800-3569377"},
        {"", "+44 20 7946 0000", "tel:+442079460000"},
        {"9", "+1 555 0100", "tel:915550100"},
        {"", "*70#", "tel:*70%23"},
        {"", "555\r\n0100", "tel:5550100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TelLink(c.prefix, c.number).toString(QUrl::FullyEncoded), QString(c.link))
            << c.number;
}

} // namespace
