#pragma once

// The font a layout object stores: name, size in points, colour, pitch and style. Colours are
// kept as the stored colour numbers (red in the low byte, blue in the third).
#include <QColor>
#include <QDataStream>
#include <QFont>
#include <QMetaType>
#include <QString>

namespace layout {

// A colour of a layout as a QColor, and back.
QColor ColorOf(int stored);
int StoredColor(const QColor& colour);

struct TLayoutFont {
    enum Pitch { Default = 0, Fixed = 1, Variable = 2 };
    QString name = QStringLiteral("Arial");
    int size = 10; // points
    int color = 0; // black
    Pitch pitch = Default;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    // The font as drawn on a surface at `zoom`: the size trunc(size x zoom) points, made into
    // surface pixels at the display's pixels per inch, so that it measures alike on every
    // paint device.
    QFont ScreenFont(float zoom) const;
    // A font chosen in a font dialog, with the colour it comes with.
    static TLayoutFont From(const QFont& font, int color);
    // As a dialog would start from it (point size, no zoom).
    QFont ToQFont() const;
    bool operator==(const TLayoutFont&) const = default;
};

// A font in a data stream (the clipboard and clone copies of tests' layouts go through it).
QDataStream& operator<<(QDataStream& out, const TLayoutFont& font);
QDataStream& operator>>(QDataStream& in, TLayoutFont& font);

} // namespace layout

Q_DECLARE_METATYPE(layout::TLayoutFont)
