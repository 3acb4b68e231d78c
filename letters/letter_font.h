#pragma once

#include <QFont>
#include <QString>

namespace letters {

// The font a new letter starts with: section "Letter" of the settings file.
struct LetterFont {
    QString name = "Arial";
    int size = 10;
    bool bold = false;
    bool italic = false;

    QFont font() const;
    bool operator==(const LetterFont&) const = default;
};

LetterFont ReadLetterFont();
void SaveLetterFont(const LetterFont& font);
// "&Default Font: Arial, 10 pt" with ", bold" and ", italic" when they apply.
QString DefaultFontCaption(const LetterFont& font);

} // namespace letters
