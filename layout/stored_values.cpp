#include "layout/stored_values.h"

#include <QHash>

#include <array>
#include <utility>

namespace layout {

namespace {

constexpr int SystemColor = int(0x80000000u);

const QList<std::pair<QString, int>>& namedColors() {
    static const QList<std::pair<QString, int>> colors = [] {
        QList<std::pair<QString, int>> list = {
            {"clBlack", 0x000000}, {"clMaroon", 0x000080},  {"clGreen", 0x008000},
            {"clOlive", 0x008080}, {"clNavy", 0x800000},    {"clPurple", 0x800080},
            {"clTeal", 0x808000},  {"clGray", 0x808080},    {"clSilver", 0xC0C0C0},
            {"clRed", 0x0000FF},   {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
            {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
            {"clWhite", 0xFFFFFF}, {"clNone", 0x1FFFFFFF},
        };
        // The system colours, in index order.
        const char* system[] = {
            "clScrollBar",    "clBackground",  "clActiveCaption", "clInactiveCaption",
            "clMenu",         "clWindow",      "clWindowFrame",   "clMenuText",
            "clWindowText",   "clCaptionText", "clActiveBorder",  "clInactiveBorder",
            "clAppWorkSpace", "clHighlight",   "clHighlightText", "clBtnFace",
            "clBtnShadow",    "clGrayText",    "clBtnText",       "clInactiveCaptionText",
            "clBtnHighlight", "cl3DDkShadow",  "cl3DLight",       "clInfoText",
            "clInfoBk"};
        for (int i = 0; i < int(std::size(system)); ++i)
            list.append({QString::fromLatin1(system[i]), SystemColor + i});
        return list;
    }();
    return colors;
}

const QList<std::pair<QString, int>>& namedCursors() {
    static const QList<std::pair<QString, int>> cursors = {
        {"crDefault", 0},   {"crArrow", -2},    {"crCross", -3},      {"crIBeam", -4},
        {"crSize", -5},     {"crSizeNESW", -6}, {"crSizeNS", -7},     {"crSizeNWSE", -8},
        {"crSizeWE", -9},   {"crUpArrow", -10}, {"crHourGlass", -11}, {"crDrag", -12},
        {"crNoDrop", -13},  {"crHSplit", -14},  {"crVSplit", -15},    {"crMultiDrag", -16},
        {"crSQLWait", -17}, {"crNo", -18},      {"crAppStart", -19},  {"crHelp", -20},
    };
    return cursors;
}

QString nameOf(const QList<std::pair<QString, int>>& table, int value) {
    for (const auto& [name, number] : table)
        if (number == value)
            return name;
    return {};
}

std::optional<int> valueOf(const QList<std::pair<QString, int>>& table, const QString& wanted) {
    for (const auto& [name, number] : table)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return number;
    return std::nullopt;
}

} // namespace

QString ColorIdentifier(int color) {
    return nameOf(namedColors(), color);
}

std::optional<int> ColorFromIdentifier(const QString& name) {
    return valueOf(namedColors(), name);
}

QString CursorIdentifier(int cursor) {
    return nameOf(namedCursors(), cursor);
}

std::optional<int> CursorFromIdentifier(const QString& name) {
    return valueOf(namedCursors(), name);
}

StoredKind KindOfProperty(const QString& property) {
    static const QStringList colours = {"colorHighlight", "colorShadow", "BackColor"};
    if (property == QLatin1String("Cursor"))
        return StoredKind::Cursor;
    return colours.contains(property) ? StoredKind::Colour : StoredKind::Plain;
}

std::optional<QVariant> DefaultOfProperty(const QString& className, const QString& property) {
    // A class's own default comes first ("TGImage.AutoSize"), then the one every class shares.
    static const QHash<QString, QVariant> defaults = {
        {"Tag", 0},
        {"Cursor", 0},
        {"Alignment", "taLeftJustify"},
        {"DepthHighlight", 0},
        {"DepthShadow", 0},
        {"DirectionHighlight", "hdUpLeft"},
        {"DirectionShadow", "sdDownRight"},
        {"colorHighlight", 16776960},
        {"colorShadow", 8421504},
        {"Angle", 0},
        {"WordWrap", false},
        {"LineStyle", "stHorizontal"},
        {"RoundPerc", 25},
        {"Shape", "stRectangle"},
        {"TGImage.AutoSize", false},
        {"Stretch", true},
    };
    if (const auto own = defaults.constFind(className + '.' + property); own != defaults.cend())
        return *own;
    if (const auto shared = defaults.constFind(property); shared != defaults.cend())
        return *shared;
    return std::nullopt;
}

} // namespace layout
