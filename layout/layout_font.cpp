#include "layout/layout_font.h"

#include "layout/display_resolution.h"

#include <algorithm>
#include <cmath>

namespace layout {

QColor ColorOf(int stored) {
    return QColor(stored & 0xFF, (stored >> 8) & 0xFF, (stored >> 16) & 0xFF);
}

int StoredColor(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QFont TLayoutFont::ScreenFont(float zoom) const {
    QFont font = ToQFont();
    const int points = std::max(1, int(size * zoom));
    font.setPixelSize(std::max(1, int(std::lround(points * DisplayPixelsPerInch() / 72.0))));
    return font;
}

QFont TLayoutFont::ToQFont() const {
    QFont font(name);
    font.setPointSize(std::max(1, size));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    if (pitch == Fixed)
        font.setFixedPitch(true);
    return font;
}

TLayoutFont TLayoutFont::From(const QFont& font, int color) {
    TLayoutFont result;
    result.name = font.family();
    result.size =
        font.pointSize() > 0
            ? font.pointSize()
            : std::max(1, int(std::lround(font.pixelSize() * 72.0 / DisplayPixelsPerInch())));
    result.color = color;
    result.bold = font.bold();
    result.italic = font.italic();
    result.underline = font.underline();
    result.strikeOut = font.strikeOut();
    result.pitch = font.fixedPitch() ? Fixed : Default;
    return result;
}

QDataStream& operator<<(QDataStream& out, const TLayoutFont& font) {
    return out << font.name << qint32(font.size) << qint32(font.color) << qint32(font.pitch)
               << font.bold << font.italic << font.underline << font.strikeOut;
}

QDataStream& operator>>(QDataStream& in, TLayoutFont& font) {
    qint32 size = 0, color = 0, pitch = 0;
    in >> font.name >> size >> color >> pitch >> font.bold >> font.italic >> font.underline >>
        font.strikeOut;
    font.size = size;
    font.color = color;
    font.pitch = pitch >= TLayoutFont::Default && pitch <= TLayoutFont::Variable
                     ? TLayoutFont::Pitch(pitch)
                     : TLayoutFont::Default;
    return in;
}

} // namespace layout
