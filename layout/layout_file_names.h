#pragma once

#include <QString>

namespace layout {

// The name of a new layout file in the program's sysdata\ folder: "BIN" and the last five
// digits of the first number from 100001 to 199999 whose file does not exist, then "." and the
// extension ("L" label, "E" envelope, "R" report). A deleted layout frees its number. Empty
// when every number is taken.
QString NewLayoutFileName(const QString& extension);

} // namespace layout
