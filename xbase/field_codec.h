#pragma once

#include "xbase/field.h"
#include "xbase/value.h"

#include <optional>
#include <string>
#include <string_view>

namespace xbase {

// Conversions between a field's stored bytes and typed values.

/// The value type a field reads as; memo fields read as strings (their text is
/// fetched by the table, not here).
ValueType valueTypeOf(const Field& field);
/// Whether the engine can read this field type at all.
bool isReadableType(char type) noexcept;
/// Whether the engine can write this field type.
bool isWritableType(char type) noexcept;

double decodeNumber(const Field& field, std::string_view bytes) noexcept;
bool decodeLogical(std::string_view bytes) noexcept;
/// Decodes a non-memo field as a typed value.
Value decodeValue(const Field& field, std::string_view bytes);

/// Right-aligned number with the field's decimals, fewer when it would not fit;
/// throws ErrorKind::Value when even no decimals do not fit.
std::string encodeNumber(const Field& field, double value);
/// Checks eight digits forming a real date, or blanks / empty for no date.
std::string encodeDate(const Field& field, std::string_view yyyymmdd);
/// Text cut or padded with blanks to the field width.
std::string encodeText(const Field& field, std::string_view text);

/// Parses a number the way fields and VAL() read it: leading blanks, sign,
/// digits, decimals; what does not parse reads as 0.
double parseNumber(std::string_view text) noexcept;
/// The number a whole text spells (blanks around it and a leading + allowed); none when
/// anything else is in it.
std::optional<double> parseWholeNumber(std::string_view text) noexcept;
bool isValidDate(std::string_view yyyymmdd) noexcept;

} // namespace xbase
