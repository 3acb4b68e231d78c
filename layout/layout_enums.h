#pragma once

// The enumerated types of the layout objects' stored properties. A layout stores them by
// their names ("pnbc11Digit"), which the meta-object system reads and writes.
#include <QObject>

namespace layout {
Q_NAMESPACE

// Horizontal alignment of text.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

// Where the highlight and the shadow copies of a text lie from the text.
enum THighlightDirection { hdNone, hdright, hdLeft, hdUpRight, hdUpLeft, hdUp };
Q_ENUM_NS(THighlightDirection)
enum TShadowDirection { sdNone, sdRight, sdLeft, sdDownRight, sdDownLeft, sdDown };
Q_ENUM_NS(TShadowDirection)

// What a date and time object shows: the system's short or long date, and its short or long
// time.
enum TGDateFormat { dtfDateNone, dtfDateShort, dtfDateLong };
Q_ENUM_NS(TGDateFormat)
enum TGTimeFormat { dtfTimeNone, dtfTimeShort, dtfTimeLong };
Q_ENUM_NS(TGTimeFormat)

// Where an address block puts the ZIP code.
enum TZipFormatOptions { zoAfterState, zoBeforeCity, zoAfterCountry, zoBeforeCountry };
Q_ENUM_NS(TZipFormatOptions)

// Which digits a POSTNET barcode encodes: the ZIP code, ZIP+4, or ZIP+4 with the delivery
// point.
enum TPostNetBarCodeType { pnbc5Digit, pnbc9Digit, pnbc11Digit };
Q_ENUM_NS(TPostNetBarCodeType)

// The facing identification marks.
enum TFIMBarCodeType { fimTypeA, fimTypeB, fimTypeC };
Q_ENUM_NS(TFIMBarCodeType)

// How a pen combines with what lies under it, its dashes, and a brush's fill.
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
Q_ENUM_NS(TPenMode)
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
Q_ENUM_NS(TPenStyle)
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
Q_ENUM_NS(TBrushStyle)

// The way a line runs through its object.
enum TLineStyle { stHorizontal, stVertical, stAngleSlopingUp, stAngleSlopingDown };
Q_ENUM_NS(TLineStyle)
// The figure a shape draws; a square draws as a rectangle, a circle as an ellipse.
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
Q_ENUM_NS(TShapeType)

} // namespace layout
