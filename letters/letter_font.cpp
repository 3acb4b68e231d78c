#include "letters/letter_font.h"

#include "platform/settings_file.h"

namespace letters {

namespace {
const QString Section = "Letter";
}

QFont LetterFont::font() const {
    QFont result(name, size);
    result.setBold(bold);
    result.setItalic(italic);
    return result;
}

LetterFont ReadLetterFont() {
    const platform::SettingsFile settings = platform::SettingsFile::program();
    LetterFont font;
    font.name = settings.readString(Section, "DefaultFontName", font.name);
    font.size = settings.readInteger(Section, "DefaultFontSize", font.size);
    if (font.size <= 0)
        font.size = 10;
    font.bold = settings.readBool(Section, "DefaultFontBold", font.bold);
    font.italic = settings.readBool(Section, "DefaultFontItalic", font.italic);
    return font;
}

void SaveLetterFont(const LetterFont& font) {
    platform::SettingsFile settings = platform::SettingsFile::program();
    settings.writeString(Section, "DefaultFontName", font.name);
    settings.writeInteger(Section, "DefaultFontSize", font.size);
    settings.writeBool(Section, "DefaultFontBold", font.bold);
    settings.writeBool(Section, "DefaultFontItalic", font.italic);
}

QString DefaultFontCaption(const LetterFont& font) {
    return "&Default Font: " + font.name + ", " + QString::number(font.size) + " pt " +
           (font.bold ? ", bold" : "") + (font.italic ? ", italic" : "");
}

} // namespace letters
