#pragma once

#include "xbase/field.h"
#include "xbase/record.h"
#include "xbase/value.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace xbase {

/// Settings that change how an expression evaluates.
struct EvalOptions {
    /// Off: string `=` compares only as far as the right operand ("SMITH" = "SM").
    bool exact = false;
};

namespace detail {
struct Node;
}

/// An expression of the dBASE dialect, parsed once against a table's field list and
/// evaluated against each record. Field names ignore case. Parsing errors throw
/// Error(ErrorKind::Syntax) naming the position (1-based) and the token.
/// An Expression keeps scratch space, so one object must not be evaluated from two
/// threads at once; copies are cheap to make by compiling again.
class Expression {
public:
    static constexpr std::size_t maxLength = 255;

    Expression(std::string_view text, const Structure& structure);
    ~Expression();
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;

    const std::string& text() const noexcept { return text_; }
    ValueType type() const noexcept { return type_; }
    /// Largest result width in bytes: strings their maximum length, dates 8,
    /// logicals 1, numbers the width of their display form (field width or 20).
    std::size_t width() const noexcept { return width_; }
    /// Decimals of a numeric result (a numeric field's decimals, else 0).
    std::size_t decimals() const noexcept { return decimals_; }

    /// The bytes of a record that evaluation reads, from the first up to the end of the
    /// last (from == to: none); byte 0 is the deletion flag. Lets a scan fetch them early.
    struct Span {
        std::size_t from = 0, to = 0;
    };
    Span recordSpan() const noexcept { return span_; }

    Value evaluate(const Record& record, const EvalOptions& options = {}) const;
    /// Fast paths without building a Value; the type must match or Error is thrown.
    bool evaluateLogical(const Record& record, const EvalOptions& options = {}) const;
    /// The string or date result; the view stays valid until the next evaluation.
    std::string_view evaluateString(const Record& record, const EvalOptions& options = {}) const;
    double evaluateNumber(const Record& record, const EvalOptions& options = {}) const;

private:
    std::string text_;
    ValueType type_ = ValueType::Logical;
    std::size_t width_ = 0;
    std::size_t decimals_ = 0;
    Span span_;
    std::unique_ptr<detail::Node> root_;
};

} // namespace xbase
