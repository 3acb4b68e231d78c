#pragma once

// The facing identification marks: nine positions 1/16 inch apart, each a bar or a gap, in
// slots of 1/32 inch numbered from 1 (a bar fills the odd slot of its position).
#include "layout/layout_enums.h"

#include <vector>

namespace layout {

inline constexpr double kFimSlotWidth = 0.03125;
inline constexpr double kFimHeight = 0.5625;
// The object's size on a surface, in inches, before its zoom: square, a little wider than the
// mark.
inline constexpr double kFimObjectSize = 0.625;

// The slots that hold a bar, in ascending order (A: 1, 3, 9, 15, 17).
std::vector<int> FimBarSlots(TFIMBarCodeType type);
// The letter of the type: 'A', 'B' or 'C'.
char FimLetter(TFIMBarCodeType type);

} // namespace layout
