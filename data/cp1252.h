#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace data {

// Tables store Windows-1252 bytes; the program works in QString.
QString FromCp1252(std::string_view bytes);
// Characters that Windows-1252 cannot hold become '?'.
std::string ToCp1252(const QString& text);

} // namespace data
