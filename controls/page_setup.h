#pragma once

namespace controls {

// Twentieths of a point: 1440 to the inch.
inline constexpr int TwipsPerInch = 1440;

// A letter's page: paper size and the four margins, in twips. New letters are laid out on a
// Letter sheet (8.5 by 11 inches) with one-inch margins until the letter carries its own.
struct PageSetup {
    int width = 12240;
    int height = 15840;
    int left = 1440;
    int top = 1440;
    int right = 1440;
    int bottom = 1440;

    // The area text is laid out in; never narrower or lower than a tenth of an inch, so that
    // margins larger than the paper still leave room for one character.
    int textWidth() const;
    int textHeight() const;
    bool operator==(const PageSetup&) const = default;
};

// Documents are laid out at this many units to the inch, whatever the screen or printer.
inline constexpr double DocumentDpi = 96.0;

inline double TwipsToDocument(double twips) {
    return twips * DocumentDpi / TwipsPerInch;
}
inline int DocumentToTwips(double units) {
    return int(units * TwipsPerInch / DocumentDpi + (units >= 0 ? 0.5 : -0.5));
}

} // namespace controls
