#pragma once

// The POSTNET rules as plain functions: which ZIP texts print, the delivery-point digits of an
// address line, the digits with their check digit, and the bars that encode them.
#include "layout/layout_enums.h"

#include <string>
#include <string_view>
#include <vector>

namespace layout {

// Bar geometry on paper, in inches: bars start kPostNetPitch apart; full bars span the whole
// height, half bars the lower kPostNetHalfHeight of it.
inline constexpr double kPostNetBarWidth = 0.015;
inline constexpr double kPostNetPitch = 0.046;
inline constexpr double kPostNetFullHeight = 0.125;
inline constexpr double kPostNetHalfHeight = 0.055;

// A ZIP text prints when it is at least 5 characters long and lies, character by character,
// between "00000" and "99999-9999".
bool PostNetZipPrintable(std::string_view zip);

// The last two digits of the rightmost house or box number of an address line that is neither
// a fraction (the 1/2 of 123 1/2) nor an ordinal (21ST): "23" for 123 MAIN ST, "07" for a
// one-digit number, "99" when there is none or the line names an APO or FPO.
std::string DeliveryPointDigits(std::string_view address);

// The digit that brings the sum of the digits to a multiple of 10.
char PostNetCheckDigit(std::string_view digits);

// The digits a barcode encodes, check digit last; empty when the ZIP text does not print. The
// digits are those found in the ZIP text (cut to 5 for pnbc5Digit), for pnbc11Digit followed
// by the delivery point of the address line.
std::string PostNetCode(std::string_view zip, std::string_view address, TPostNetBarCodeType type);

// The bars of a code, true for a full bar: a frame bar, five bars for each digit (two full
// ones, weighted 7, 4, 2, 1, 0), and a frame bar. Characters other than digits are skipped.
std::vector<bool> PostNetBars(std::string_view code);

} // namespace layout
