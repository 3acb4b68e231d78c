#include "layout/postnet_code.h"

#include <algorithm>
#include <cctype>

namespace layout {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string upper(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

// The five bars of each digit, full bars as 1.
constexpr const char* DigitBars[10] = {"11000", "00011", "00101", "00110", "01001",
                                       "01010", "01100", "10001", "10010", "10100"};

} // namespace

bool PostNetZipPrintable(std::string_view zip) {
    return zip.size() >= 5 && zip >= std::string_view("00000") &&
           zip <= std::string_view("99999-9999");
}

std::string DeliveryPointDigits(std::string_view address) {
    const std::string text = upper(address);
    if (text.find("APO") != std::string::npos || text.find("FPO") != std::string::npos)
        return "99";
    char tens = ' ', units = ' ';
    int taken = 0;
    bool skipping = false;
    for (size_t i = text.size(); i-- > 0;) {
        const char c = text[i];
        const std::string_view w = std::string_view(text).substr(i, 2);
        if (isDigit(c)) {
            if (skipping || taken == 2)
                continue;
            (taken == 0 ? units : tens) = c;
            ++taken;
        } else if (c == ' ') {
            if (taken > 0)
                break;
            skipping = false;
        } else if (c == '/' && taken > 0) {
            // A fraction: the number before the blank is the house number.
            skipping = true;
            taken = 0;
            tens = units = ' ';
        } else if (taken == 1) {
            tens = '0';
            taken = 2;
        } else if (w == "ST" || w == "ND" || w == "RD" || w == "TH") {
            skipping = true;
        }
    }
    if (taken == 0)
        return "99";
    if (tens == ' ')
        tens = '0';
    return {tens, units};
}

char PostNetCheckDigit(std::string_view digits) {
    int sum = 0;
    for (char c : digits)
        if (isDigit(c))
            sum += c - '0';
    return char('0' + (10 - sum % 10) % 10);
}

std::string PostNetCode(std::string_view zip, std::string_view address, TPostNetBarCodeType type) {
    if (!PostNetZipPrintable(zip))
        return {};
    std::string text(zip);
    if (type == pnbc11Digit)
        text += DeliveryPointDigits(address);
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), isDigit);
    if (type == pnbc5Digit && digits.size() > 5)
        digits.resize(5);
    return digits + PostNetCheckDigit(digits);
}

std::vector<bool> PostNetBars(std::string_view code) {
    std::vector<bool> bars{true};
    for (char c : code)
        if (isDigit(c))
            for (const char* bar = DigitBars[c - '0']; *bar; ++bar)
                bars.push_back(*bar == '1');
    bars.push_back(true);
    return bars;
}

} // namespace layout
