#pragma once

#include <string>

namespace xbase {

/// The type of an expression's result, known once it is parsed.
enum class ValueType { String, Number, Logical, Date };

/// A typed result. Strings are raw bytes; dates are eight digits year, month, day
/// ("19970428") or eight blanks for an empty date, held in `text`.
struct Value {
    ValueType type = ValueType::Logical;
    std::string text;
    double number = 0.0;
    bool logical = false;

    static Value ofString(std::string s) { return {ValueType::String, std::move(s), 0.0, false}; }
    static Value ofNumber(double n) { return {ValueType::Number, {}, n, false}; }
    static Value ofLogical(bool b) { return {ValueType::Logical, {}, 0.0, b}; }
    static Value ofDate(std::string d) { return {ValueType::Date, std::move(d), 0.0, false}; }
};

const char* typeName(ValueType type) noexcept;

} // namespace xbase
