#include "xbase/error.h"
#include "xbase/expression_node.h"
#include "xbase/field_codec.h"
#include "xbase/text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace xbase::detail {

namespace {

std::string_view fieldOf(const Node& n, const EvalContext& c) {
    const Field& f = n.fieldCopy;
    if (c.record.bytes.size() < std::size_t(f.offset) + f.width)
        throw Error(ErrorKind::Value, "record too short for field " + f.name);
    return c.record.bytes.substr(f.offset, f.width);
}

// Compares a with b; with exact off and b shorter, only as far as b goes. The
// shorter side counts as padded with blanks.
int compareStrings(std::string_view a, std::string_view b, bool exact) {
    if (!exact && b.size() < a.size())
        a = a.substr(0, b.size());
    std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = i < a.size() ? a[i] : ' ';
        unsigned char y = i < b.size() ? b[i] : ' ';
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

int compareNodes(const Node& n, const EvalContext& c) {
    const Node& l = *n.kids[0];
    const Node& r = *n.kids[1];
    switch (l.type) {
    case ValueType::Number: {
        double a = l.evalNumber(c), b = r.evalNumber(c);
        return a < b ? -1 : (a > b ? 1 : 0);
    }
    case ValueType::Logical: {
        bool a = l.evalLogical(c), b = r.evalLogical(c);
        return int(a) - int(b);
    }
    default: {
        // The left view may live in the left node's scratch; evaluating the right
        // node never touches it, so both views stay valid here.
        std::string_view a = l.evalString(c);
        std::string_view b = r.evalString(c);
        return compareStrings(a, b, c.options.exact && n.op != Op::ExactEqual);
    }
    }
}

std::size_t toIndex(double v) {
    return v <= 0 ? 0 : v > 1e9 ? std::size_t(1e9) : std::size_t(v);
}

} // namespace

bool Node::evalLogical(const EvalContext& c) const {
    switch (op) {
    case Op::LogicalConst:
        return logical;
    case Op::Field:
        return decodeLogical(fieldOf(*this, c));
    case Op::Deleted:
        return c.record.deleted();
    case Op::And:
        return kids[0]->evalLogical(c) && kids[1]->evalLogical(c);
    case Op::Or:
        return kids[0]->evalLogical(c) || kids[1]->evalLogical(c);
    case Op::Not:
        return !kids[0]->evalLogical(c);
    case Op::Equal:
        return compareNodes(*this, c) == 0;
    case Op::ExactEqual: {
        if (kids[0]->type == ValueType::String || kids[0]->type == ValueType::Date)
            return kids[0]->evalString(c) == kids[1]->evalString(c);
        return compareNodes(*this, c) == 0;
    }
    case Op::NotEqual:
        return compareNodes(*this, c) != 0;
    case Op::Less:
        return compareNodes(*this, c) < 0;
    case Op::LessEqual:
        return compareNodes(*this, c) <= 0;
    case Op::Greater:
        return compareNodes(*this, c) > 0;
    case Op::GreaterEqual:
        return compareNodes(*this, c) >= 0;
    case Op::Contains: {
        std::string_view needle = kids[0]->evalString(c);
        std::string_view hay = kids[1]->evalString(c);
        return !needle.empty() && hay.find(needle) != std::string_view::npos;
    }
    case Op::Iif:
        return kids[0]->evalLogical(c) ? kids[1]->evalLogical(c) : kids[2]->evalLogical(c);
    case Op::Empty: {
        const Node& k = *kids[0];
        switch (k.type) {
        case ValueType::Number:
            return k.evalNumber(c) == 0.0;
        case ValueType::Logical:
            return !k.evalLogical(c);
        default:
            return trimRight(k.evalString(c)).empty();
        }
    }
    default:
        throw Error(ErrorKind::General, "internal: not a logical node");
    }
}

double Node::evalNumber(const EvalContext& c) const {
    switch (op) {
    case Op::NumberConst:
        return number;
    case Op::Field:
        return decodeNumber(fieldCopy, fieldOf(*this, c));
    case Op::Recno:
        return double(c.record.recno);
    case Op::Add:
        return kids[0]->evalNumber(c) + kids[1]->evalNumber(c);
    case Op::Subtract:
        return kids[0]->evalNumber(c) - kids[1]->evalNumber(c);
    case Op::Multiply:
        return kids[0]->evalNumber(c) * kids[1]->evalNumber(c);
    case Op::Divide: {
        double d = kids[1]->evalNumber(c);
        if (d == 0.0)
            throw Error(ErrorKind::Value, "division by zero");
        return kids[0]->evalNumber(c) / d;
    }
    case Op::Negate:
        return -kids[0]->evalNumber(c);
    case Op::Len:
        return double(kids[0]->evalString(c).size());
    case Op::Val:
        return parseNumber(kids[0]->evalString(c));
    case Op::Iif:
        return kids[0]->evalLogical(c) ? kids[1]->evalNumber(c) : kids[2]->evalNumber(c);
    default:
        throw Error(ErrorKind::General, "internal: not a numeric node");
    }
}

std::string_view Node::evalString(const EvalContext& c) const {
    switch (op) {
    case Op::StringConst:
        return text;
    case Op::Field:
        if (fieldCopy.type == 'T') {
            scratch = decodeValue(fieldCopy, fieldOf(*this, c)).text;
            return scratch;
        }
        return fieldOf(*this, c);
    case Op::Upper:
    case Op::Lower: {
        std::string_view s = kids[0]->evalString(c);
        scratch.resize(s.size());
        copyCaseAscii(s.data(), scratch.data(), s.size(), op == Op::Upper);
        return scratch;
    }
    case Op::TrimRight:
        return trimRight(kids[0]->evalString(c));
    case Op::TrimLeft:
        return trimLeft(kids[0]->evalString(c));
    case Op::TrimBoth:
        return trimLeft(trimRight(kids[0]->evalString(c)));
    case Op::Concat:
    case Op::ConcatMoveBlanks: {
        std::string_view a = kids[0]->evalString(c);
        scratch.assign(op == Op::Concat ? a : trimRight(a));
        std::size_t blanks = a.size() - scratch.size();
        scratch.append(kids[1]->evalString(c));
        scratch.append(blanks, ' ');
        return scratch;
    }
    case Op::Substr: {
        std::string_view s = kids[0]->evalString(c);
        std::size_t start = toIndex(kids[1]->evalNumber(c));
        start = start == 0 ? 0 : start - 1;
        if (start >= s.size())
            return {};
        std::size_t len = kids.size() > 2 ? toIndex(kids[2]->evalNumber(c)) : s.size();
        return s.substr(start, len);
    }
    case Op::Left: {
        std::string_view s = kids[0]->evalString(c);
        return s.substr(0, std::min(s.size(), toIndex(kids[1]->evalNumber(c))));
    }
    case Op::Right: {
        std::string_view s = kids[0]->evalString(c);
        std::size_t n = std::min(s.size(), toIndex(kids[1]->evalNumber(c)));
        return s.substr(s.size() - n);
    }
    case Op::Str: {
        double v = kids[0]->evalNumber(c);
        int w =
            kids.size() > 1 ? int(std::min<std::size_t>(toIndex(kids[1]->evalNumber(c)), 255)) : 10;
        int d =
            kids.size() > 2 ? int(std::min<std::size_t>(toIndex(kids[2]->evalNumber(c)), 18)) : 0;
        char buf[400];
        int n = std::snprintf(buf, sizeof buf, "%*.*f", w, d, v);
        if (n > w || n < 0)
            scratch.assign(std::size_t(w), '*'); // does not fit: the dialect shows stars
        else
            scratch.assign(buf, std::size_t(n));
        return scratch;
    }
    case Op::Dtos:
        return kids[0]->evalString(c);
    case Op::Iif:
        return kids[0]->evalLogical(c) ? kids[1]->evalString(c) : kids[2]->evalString(c);
    default:
        throw Error(ErrorKind::General, "internal: not a string node");
    }
}

} // namespace xbase::detail
