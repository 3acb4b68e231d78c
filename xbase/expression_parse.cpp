#include "xbase/error.h"
#include "xbase/expression.h"
#include "xbase/expression_node.h"
#include "xbase/field_codec.h"
#include "xbase/text.h"

#include <charconv>
#include <string>
#include <vector>

namespace xbase {

using detail::Node;
using detail::Op;

namespace {

enum class Tok { End, Ident, String, Number, LParen, RParen, Comma, Operator, Logical };

struct Token {
    Tok kind = Tok::End;
    std::string text;    // identifier (upper case), operator spelling, string contents
    std::size_t pos = 0; // 1-based position in the expression
    double number = 0.0;
    bool logical = false;
};

[[noreturn]] void syntaxError(const std::string& what, const Token& at) {
    std::string near = at.kind == Tok::End ? "end of expression" : "\"" + at.text + "\"";
    if (at.kind == Tok::String)
        near = "string \"" + at.text + "\"";
    throw Error(ErrorKind::Syntax, "syntax error at position " + std::to_string(at.pos) + " near " +
                                       near + ": " + what);
}

bool isIdentChar(char c) {
    return isAsciiAlpha(c) || isAsciiDigit(c) || c == '_';
}

std::vector<Token> tokenize(std::string_view s) {
    std::vector<Token> out;
    std::size_t i = 0;
    while (true) {
        while (i < s.size() && isBlank(s[i]))
            ++i;
        Token t;
        t.pos = i + 1;
        if (i >= s.size()) {
            out.push_back(t);
            return out;
        }
        char c = s[i];
        if (c == '"' || c == '\'' || c == '[') {
            char close = c == '[' ? ']' : c;
            std::size_t end = s.find(close, i + 1);
            if (end == std::string_view::npos) {
                t.kind = Tok::String;
                t.text = std::string(s.substr(i + 1));
                syntaxError("the string is not closed", t);
            }
            t.kind = Tok::String;
            t.text = std::string(s.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (isAsciiDigit(c) || (c == '.' && i + 1 < s.size() && isAsciiDigit(s[i + 1]))) {
            std::size_t start = i;
            while (i < s.size() && isAsciiDigit(s[i]))
                ++i;
            if (i < s.size() && s[i] == '.' && i + 1 < s.size() && isAsciiDigit(s[i + 1])) {
                ++i;
                while (i < s.size() && isAsciiDigit(s[i]))
                    ++i;
            }
            t.kind = Tok::Number;
            t.text = std::string(s.substr(start, i - start));
            t.number = parseNumber(t.text);
        } else if (c == '.') {
            // .AND. .OR. .NOT. .T. .F. .Y. .N.
            std::size_t end = s.find('.', i + 1);
            std::string word = end == std::string_view::npos
                                   ? std::string()
                                   : toUpperAscii(s.substr(i, end - i + 1));
            t.text = word.empty() ? std::string(".") : word;
            if (word == ".AND." || word == ".OR." || word == ".NOT.") {
                t.kind = Tok::Operator;
            } else if (word == ".T." || word == ".F." || word == ".Y." || word == ".N.") {
                t.kind = Tok::Logical;
                t.logical = word == ".T." || word == ".Y.";
            } else {
                t.kind = Tok::Operator;
                syntaxError("unknown operator", t);
            }
            i = end + 1;
        } else if (isAsciiAlpha(c) || c == '_') {
            std::size_t start = i;
            while (i < s.size() && isIdentChar(s[i]))
                ++i;
            t.text = toUpperAscii(s.substr(start, i - start));
            t.kind =
                (t.text == "AND" || t.text == "OR" || t.text == "NOT") ? Tok::Operator : Tok::Ident;
            if (t.kind == Tok::Operator)
                t.text = "." + t.text + ".";
        } else {
            static const char* const twoChar[] = {"==", "<>", "!=", ">=", "<=", "**"};
            t.kind = Tok::Operator;
            t.text = std::string(1, c);
            for (const char* op : twoChar)
                if (s.substr(i, 2) == op)
                    t.text = op;
            i += t.text.size();
            if (c == '(')
                t.kind = Tok::LParen;
            else if (c == ')')
                t.kind = Tok::RParen;
            else if (c == ',')
                t.kind = Tok::Comma;
            else if (std::string_view("+-*/=<>#!$").find(c) == std::string_view::npos)
                syntaxError("unexpected character", t);
        }
        out.push_back(std::move(t));
    }
}

using NodePtr = std::unique_ptr<Node>;

NodePtr make(Op op, ValueType type, std::size_t width) {
    auto n = std::make_unique<Node>(op, type);
    n->width = width;
    return n;
}

bool isText(ValueType t) {
    return t == ValueType::String || t == ValueType::Date;
}

class Parser {
public:
    Parser(std::string_view text, const Structure& structure)
        : tokens_(tokenize(text)), structure_(structure) {}

    NodePtr parseAll() {
        NodePtr n = parseOr();
        if (peek().kind != Tok::End)
            syntaxError("unexpected token", peek());
        return n;
    }

private:
    const Token& peek() const { return tokens_[pos_]; }
    const Token& take() { return tokens_[pos_ < tokens_.size() - 1 ? pos_++ : pos_]; }
    bool isOp(const char* op) const { return peek().kind == Tok::Operator && peek().text == op; }

    void requireType(const NodePtr& n, ValueType t, const Token& at, const char* what) {
        if (n->type != t)
            syntaxError(std::string(what) + " needs a " + typeName(t) + " operand, not " +
                            typeName(n->type),
                        at);
    }

    NodePtr binary(Op op, ValueType type, std::size_t width, NodePtr l, NodePtr r) {
        NodePtr n = make(op, type, width);
        n->kids.push_back(std::move(l));
        n->kids.push_back(std::move(r));
        return n;
    }

    NodePtr parseOr() {
        NodePtr l = parseAnd();
        while (isOp(".OR.")) {
            Token at = take();
            NodePtr r = parseAnd();
            requireType(l, ValueType::Logical, at, ".OR.");
            requireType(r, ValueType::Logical, at, ".OR.");
            l = binary(Op::Or, ValueType::Logical, 1, std::move(l), std::move(r));
        }
        return l;
    }

    NodePtr parseAnd() {
        NodePtr l = parseNot();
        while (isOp(".AND.")) {
            Token at = take();
            NodePtr r = parseNot();
            requireType(l, ValueType::Logical, at, ".AND.");
            requireType(r, ValueType::Logical, at, ".AND.");
            l = binary(Op::And, ValueType::Logical, 1, std::move(l), std::move(r));
        }
        return l;
    }

    NodePtr parseNot() {
        if (isOp(".NOT.") || isOp("!")) {
            Token at = take();
            NodePtr k = parseNot();
            requireType(k, ValueType::Logical, at, "negation");
            NodePtr n = make(Op::Not, ValueType::Logical, 1);
            n->kids.push_back(std::move(k));
            return n;
        }
        return parseComparison();
    }

    NodePtr parseComparison() {
        NodePtr l = parseSum();
        static const struct {
            const char* text;
            Op op;
        } ops[] = {{"=", Op::Equal},      {"==", Op::ExactEqual}, {"<>", Op::NotEqual},
                   {"#", Op::NotEqual},   {"!=", Op::NotEqual},   {"<", Op::Less},
                   {"<=", Op::LessEqual}, {">", Op::Greater},     {">=", Op::GreaterEqual},
                   {"$", Op::Contains}};
        while (peek().kind == Tok::Operator) {
            const Op* found = nullptr;
            for (const auto& o : ops)
                if (peek().text == o.text)
                    found = &o.op;
            if (!found)
                break;
            Token at = take();
            NodePtr r = parseSum();
            bool sameKind = l->type == r->type || (isText(l->type) && isText(r->type));
            if (!sameKind)
                syntaxError(std::string("cannot compare ") + typeName(l->type) + " with " +
                                typeName(r->type),
                            at);
            if (*found == Op::Contains && !isText(l->type))
                syntaxError("$ needs character operands", at);
            if (l->type == ValueType::Logical && *found != Op::Equal && *found != Op::ExactEqual &&
                *found != Op::NotEqual)
                syntaxError("logical values can only be tested for equality", at);
            l = binary(*found, ValueType::Logical, 1, std::move(l), std::move(r));
        }
        return l;
    }

    NodePtr parseSum() {
        NodePtr l = parseProduct();
        while (isOp("+") || isOp("-")) {
            Token at = take();
            NodePtr r = parseProduct();
            bool plus = at.text == "+";
            if (isText(l->type) && isText(r->type)) {
                std::size_t w = l->width + r->width;
                l = binary(plus ? Op::Concat : Op::ConcatMoveBlanks, ValueType::String, w,
                           std::move(l), std::move(r));
            } else if (l->type == ValueType::Number && r->type == ValueType::Number) {
                std::size_t d = std::max(l->decimals, r->decimals);
                l = binary(plus ? Op::Add : Op::Subtract, ValueType::Number, 20, std::move(l),
                           std::move(r));
                l->decimals = d;
            } else {
                syntaxError(std::string("cannot ") + (plus ? "add " : "subtract ") +
                                typeName(r->type) + " and " + typeName(l->type),
                            at);
            }
        }
        return l;
    }

    NodePtr parseProduct() {
        NodePtr l = parseUnary();
        while (isOp("*") || isOp("/")) {
            Token at = take();
            NodePtr r = parseUnary();
            requireType(l, ValueType::Number, at, at.text.c_str());
            requireType(r, ValueType::Number, at, at.text.c_str());
            l = binary(at.text == "*" ? Op::Multiply : Op::Divide, ValueType::Number, 20,
                       std::move(l), std::move(r));
        }
        return l;
    }

    NodePtr parseUnary() {
        if (isOp("-") || isOp("+")) {
            Token at = take();
            NodePtr k = parseUnary();
            requireType(k, ValueType::Number, at, "a sign");
            if (at.text == "+")
                return k;
            NodePtr n = make(Op::Negate, ValueType::Number, 20);
            n->decimals = k->decimals;
            n->kids.push_back(std::move(k));
            return n;
        }
        return parsePrimary();
    }

    NodePtr parsePrimary() {
        const Token& t = peek();
        switch (t.kind) {
        case Tok::String: {
            NodePtr n = make(Op::StringConst, ValueType::String, t.text.size());
            n->text = take().text;
            return n;
        }
        case Tok::Number: {
            NodePtr n = make(Op::NumberConst, ValueType::Number, 20);
            n->number = t.number;
            auto dot = t.text.find('.');
            n->decimals = dot == std::string::npos ? 0 : t.text.size() - dot - 1;
            take();
            return n;
        }
        case Tok::Logical: {
            NodePtr n = make(Op::LogicalConst, ValueType::Logical, 1);
            n->logical = take().logical;
            return n;
        }
        case Tok::LParen: {
            take();
            NodePtr n = parseOr();
            if (peek().kind != Tok::RParen)
                syntaxError("expected )", peek());
            take();
            return n;
        }
        case Tok::Ident: {
            Token name = take();
            if (peek().kind == Tok::LParen)
                return parseCall(name);
            return fieldNode(name);
        }
        default:
            syntaxError("expected a value", t);
        }
    }

    NodePtr fieldNode(const Token& name) {
        auto index = structure_.find(name.text);
        if (!index)
            syntaxError("no field of this name", name);
        const Field& f = structure_.field(*index);
        if (f.isMemo() || !isReadableType(f.type) || f.type == '0')
            syntaxError("field type " + std::string(1, f.type) + " cannot be used here", name);
        ValueType type = valueTypeOf(f);
        std::size_t width = type == ValueType::Date ? 8 : f.width;
        if (type == ValueType::Number)
            width = f.type == 'N' || f.type == 'F' ? f.width : 20;
        NodePtr n = make(Op::Field, type, width);
        n->fieldCopy = f;
        n->decimals = f.decimals;
        return n;
    }

    std::vector<NodePtr> arguments() {
        std::vector<NodePtr> args;
        take(); // (
        if (peek().kind == Tok::RParen) {
            take();
            return args;
        }
        while (true) {
            args.push_back(parseOr());
            if (peek().kind == Tok::Comma) {
                take();
                continue;
            }
            if (peek().kind != Tok::RParen)
                syntaxError("expected , or )", peek());
            take();
            return args;
        }
    }

    static std::size_t constantWidth(const NodePtr& n, std::size_t otherwise) {
        if (n->op == Op::NumberConst && n->number >= 0 && n->number <= 65535)
            return std::size_t(n->number);
        return otherwise;
    }

    NodePtr parseCall(const Token& name) {
        std::vector<NodePtr> args = arguments();
        const std::string& f = name.text;
        auto want = [&](std::size_t min, std::size_t max) {
            if (args.size() < min || args.size() > max)
                syntaxError(f + "() takes " + std::to_string(min) +
                                (min == max ? "" : " to " + std::to_string(max)) + " arguments",
                            name);
        };
        auto argType = [&](std::size_t i, ValueType t) {
            bool ok = args[i]->type == t || (t == ValueType::String && isText(args[i]->type));
            if (!ok)
                syntaxError(f + "() argument " + std::to_string(i + 1) + " must be " + typeName(t),
                            name);
        };
        auto node = [&](Op op, ValueType type, std::size_t width) {
            NodePtr n = make(op, type, width);
            n->kids = std::move(args);
            return n;
        };
        if (f == "UPPER" || f == "LOWER" || f == "TRIM" || f == "RTRIM" || f == "LTRIM" ||
            f == "ALLTRIM") {
            want(1, 1);
            argType(0, ValueType::String);
            Op op = f == "UPPER"     ? Op::Upper
                    : f == "LOWER"   ? Op::Lower
                    : f == "LTRIM"   ? Op::TrimLeft
                    : f == "ALLTRIM" ? Op::TrimBoth
                                     : Op::TrimRight;
            std::size_t w = args[0]->width;
            return node(op, ValueType::String, w);
        }
        if (f == "DELETED" || f == "RECNO") {
            want(0, 0);
            return f == "DELETED" ? node(Op::Deleted, ValueType::Logical, 1)
                                  : node(Op::Recno, ValueType::Number, 10);
        }
        if (f == "SUBSTR") {
            want(2, 3);
            argType(0, ValueType::String);
            argType(1, ValueType::Number);
            if (args.size() == 3)
                argType(2, ValueType::Number);
            std::size_t w = args[0]->width;
            if (args.size() == 3)
                w = std::min(w, constantWidth(args[2], w));
            return node(Op::Substr, ValueType::String, w);
        }
        if (f == "LEFT" || f == "RIGHT") {
            want(2, 2);
            argType(0, ValueType::String);
            argType(1, ValueType::Number);
            std::size_t w = std::min(args[0]->width, constantWidth(args[1], args[0]->width));
            return node(f == "LEFT" ? Op::Left : Op::Right, ValueType::String, w);
        }
        if (f == "LEN") {
            want(1, 1);
            argType(0, ValueType::String);
            return node(Op::Len, ValueType::Number, 10);
        }
        if (f == "VAL") {
            want(1, 1);
            argType(0, ValueType::String);
            return node(Op::Val, ValueType::Number, 20);
        }
        if (f == "STR") {
            want(1, 3);
            for (std::size_t i = 0; i < args.size(); ++i)
                argType(i, ValueType::Number);
            std::size_t w = args.size() > 1 ? constantWidth(args[1], 255) : 10;
            return node(Op::Str, ValueType::String, std::min<std::size_t>(w, 255));
        }
        if (f == "DTOS") {
            want(1, 1);
            if (args[0]->type != ValueType::Date)
                syntaxError("DTOS() needs a date", name);
            return node(Op::Dtos, ValueType::String, 8);
        }
        if (f == "EMPTY") {
            want(1, 1);
            return node(Op::Empty, ValueType::Logical, 1);
        }
        if (f == "IIF") {
            want(3, 3);
            argType(0, ValueType::Logical);
            ValueType t = args[1]->type;
            if (args[2]->type != t && !(isText(t) && isText(args[2]->type)))
                syntaxError("IIF() branches must have the same type", name);
            std::size_t w = std::max(args[1]->width, args[2]->width);
            return node(Op::Iif, t, w);
        }
        syntaxError("unknown function", name);
    }

    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    const Structure& structure_;
};

} // namespace

Expression::Expression(std::string_view text, const Structure& structure) : text_(text) {
    if (text.size() > maxLength)
        throw Error(ErrorKind::Syntax,
                    "the expression is longer than " + std::to_string(maxLength) + " characters");
    if (trimRight(trimLeft(text)).empty())
        throw Error(ErrorKind::Syntax, "the expression is empty");
    root_ = Parser(text, structure).parseAll();
    type_ = root_->type;
    width_ = type_ == ValueType::Date ? 8 : root_->width;
    decimals_ = root_->decimals;
    bool any = false;
    auto widen = [&](std::size_t from, std::size_t to) {
        span_.from = any ? std::min(span_.from, from) : from;
        span_.to = any ? std::max(span_.to, to) : to;
        any = true;
    };
    auto walk = [&](auto& self, const detail::Node& n) -> void {
        if (n.op == detail::Op::Field)
            widen(n.fieldCopy.offset, n.fieldCopy.offset + n.fieldCopy.width);
        else if (n.op == detail::Op::Deleted)
            widen(0, 1);
        for (const auto& kid : n.kids)
            self(self, *kid);
    };
    walk(walk, *root_);
}

Expression::~Expression() = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

Value Expression::evaluate(const Record& record, const EvalOptions& options) const {
    detail::EvalContext c{record, options};
    switch (type_) {
    case ValueType::Logical:
        return Value::ofLogical(root_->evalLogical(c));
    case ValueType::Number:
        return Value::ofNumber(root_->evalNumber(c));
    case ValueType::Date:
        return Value::ofDate(std::string(root_->evalString(c)));
    case ValueType::String:
        break;
    }
    return Value::ofString(std::string(root_->evalString(c)));
}

bool Expression::evaluateLogical(const Record& record, const EvalOptions& options) const {
    if (type_ != ValueType::Logical)
        throw Error(ErrorKind::Value, "expression " + text_ + " is not logical");
    return root_->evalLogical({record, options});
}

std::string_view Expression::evaluateString(const Record& record,
                                            const EvalOptions& options) const {
    if (type_ != ValueType::String && type_ != ValueType::Date)
        throw Error(ErrorKind::Value, "expression " + text_ + " is not character");
    return root_->evalString({record, options});
}

double Expression::evaluateNumber(const Record& record, const EvalOptions& options) const {
    if (type_ != ValueType::Number)
        throw Error(ErrorKind::Value, "expression " + text_ + " is not numeric");
    return root_->evalNumber({record, options});
}

} // namespace xbase
