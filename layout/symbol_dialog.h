#pragma once

// "Symbol Selector": one character of a symbol font, chosen from a grid of the characters 32
// to 255 in that font.
#include "layout/dialog_frame.h"
#include "layout/layout_font.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace layout {

// Columns of the grid for a font size in points: the larger the glyphs, the fewer columns.
int SymbolColumns(int points);
// What the font button shows: "Wingdings 24pt ", then "Bold " or "Italic " (italic wins).
QString SymbolFontCaption(const TLayoutFont& font);

class TGetSymbol : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 40005;
    // The grid takes the label's font; the entry of the caption's first character is chosen.
    TGetSymbol(const TLayoutFont& font, const QString& caption, QWidget* parent = nullptr);

    QPushButton* FontButton = nullptr;
    QTableWidget* SymbolList = nullptr;
    QLabel* SelectedChar = nullptr;
    DialogButtons buttons;

    // The font of the preview, which the label takes on OK.
    const TLayoutFont& PreviewFont() const { return font_; }
    // The chosen character (its entry + 32).
    QString ChosenCharacter() const;
    // Fills the grid in a font.
    void ShowFont(const TLayoutFont& font);

private:
    void chooseFont();
    TLayoutFont font_;
};

} // namespace layout
