#pragma once

#include "xbase/expression.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xbase::detail {

enum class Op {
    // leaves
    StringConst,
    NumberConst,
    LogicalConst,
    Field,
    Deleted,
    Recno,
    // logical
    And,
    Or,
    Not,
    // comparisons (operands of one type)
    Equal,
    ExactEqual,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Contains,
    // arithmetic and joins
    Add,
    Subtract,
    Multiply,
    Divide,
    Negate,
    Concat,
    ConcatMoveBlanks,
    // functions
    Upper,
    Lower,
    TrimRight,
    TrimLeft,
    TrimBoth,
    Substr,
    Left,
    Right,
    Len,
    Str,
    Val,
    Dtos,
    Iif,
    Empty,
};

struct EvalContext {
    const Record& record;
    const EvalOptions& options;
};

/// One node of a parsed expression; its type is fixed when it is built.
/// String and date nodes return views into the record or into their own scratch.
struct Node {
    Op op;
    ValueType type;
    std::size_t width = 0;
    std::size_t decimals = 0;
    std::vector<std::unique_ptr<Node>> kids;
    std::string text;       // string constant
    double number = 0.0;    // number constant
    bool logical = false;   // logical constant
    xbase::Field fieldCopy; // the field the leaf reads, kept by value
    mutable std::string scratch;

    Node(Op o, ValueType t) : op(o), type(t) {}

    bool evalLogical(const EvalContext& c) const;
    double evalNumber(const EvalContext& c) const;
    std::string_view evalString(const EvalContext& c) const;
};

} // namespace xbase::detail
