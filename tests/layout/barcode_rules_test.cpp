// The POSTNET and FIM rules: which ZIP texts print, the delivery point of an address line, the
// check digit and the bars.
#include "layout/fim_code.h"
#include "layout/postnet_code.h"

#include <gtest/gtest.h>

using namespace layout;

namespace {

// Bars as a reader of the printed mark writes them: '|' full, '.' half.
std::string barText(const std::string& code) {
    std::string text;
    for (const bool full : PostNetBars(code))
        text += full ? '|' : '.';
    return text;
}

} // namespace

TEST(PostNet, DeliveryPointIsTheRightmostHouseOrBoxNumber) {
    const struct {
        const char* address;
        const char* digits;
    } cases[] = {
        {"123 MAIN ST", "23"},
        {"123 1/2 MAIN ST", "23"}, // the fraction is not the house number
        {"PO BOX 45", "45"},
        {"RR 2 BOX 7", "07"},
        {"A5 MAIN ST", "05"},
        {"MAIN STREET", "99"},
        {"", "99"},
        {"PSC 1234 BOX 5678 APO", "99"},
        {"unit 12 fpo ae", "99"}, // letter case does not matter
        {"100 21ST ST", "00"},    // the ordinal is a street name
        {"4 52ND AVE", "04"},
        {"1 3RD ST", "01"},
        {"10 8TH ST APT 6", "06"},
        {"12345 OAK DR", "45"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeliveryPointDigits(c.address), c.digits) << c.address;
}

TEST(PostNet, ZipTextsThatPrint) {
    for (const char* zip : {"00000", "12345", "12345-6789", "99999-9999", "123456"})
        EXPECT_TRUE(PostNetZipPrintable(zip)) << zip;
    for (const char* zip : {"", "1234", "99999-99999", "A1234", "K1A 0B1"})
        EXPECT_FALSE(PostNetZipPrintable(zip)) << zip;
}

TEST(PostNet, CodesCarryTheirCheckDigit) {
    const struct {
        const char* zip;
        const char* address;
        TPostNetBarCodeType type;
        const char* code;
    } cases[] = {
        {"12345", "", pnbc5Digit, "123455"},
        {"12345-6789", "", pnbc5Digit, "123455"},
        {"12345-6789", "", pnbc9Digit, "1234567895"},
        {"12345", "", pnbc9Digit, "123455"}, // a 5-digit ZIP code stays 5 digits
        {"12345-6789", "123 MAIN ST", pnbc11Digit, "123456789230"},
        {"55555-1237", "", pnbc9Digit, "5555512372"},
        {"12345", "PO BOX 45", pnbc11Digit, "12345456"},
        {"1234", "123 MAIN ST", pnbc11Digit, ""},
        {"99999-99999", "", pnbc9Digit, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PostNetCode(c.zip, c.address, c.type), c.code) << c.zip << " " << c.address;
}

TEST(PostNet, BarsOfEachDigitAndTheFrame) {
    // The five bars of each digit weigh 7, 4, 2, 1, 0; two of them are full.
    EXPECT_EQ(barText("123455"), "|"
                                 "...||"
                                 "..|.|"
                                 "..||."
                                 ".|..|"
                                 ".|.|."
                                 ".|.|."
                                 "|");
    EXPECT_EQ(barText("67890"), "|"
                                ".||.."
                                "|...|"
                                "|..|."
                                "|.|.."
                                "||..."
                                "|");
    EXPECT_EQ(PostNetBars("123455").size(), 32u);
    EXPECT_EQ(PostNetBars("123456789230").size(), 62u);
    // 62 bars span 61 pitches and one bar's width.
    EXPECT_NEAR(61 * kPostNetPitch + kPostNetBarWidth, 2.821, 1e-9);
}

TEST(Fim, SlotsOfEachType) {
    EXPECT_EQ(FimBarSlots(fimTypeA), (std::vector<int>{1, 3, 9, 15, 17}));
    EXPECT_EQ(FimBarSlots(fimTypeB), (std::vector<int>{1, 5, 7, 11, 13, 17}));
    EXPECT_EQ(FimBarSlots(fimTypeC), (std::vector<int>{1, 3, 7, 11, 15, 17}));
    EXPECT_EQ(FimLetter(fimTypeC), 'C');
}
