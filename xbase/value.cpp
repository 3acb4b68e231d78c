#include "xbase/value.h"

namespace xbase {

const char* typeName(ValueType type) noexcept {
    switch (type) {
    case ValueType::String:
        return "character";
    case ValueType::Number:
        return "numeric";
    case ValueType::Logical:
        return "logical";
    case ValueType::Date:
        return "date";
    }
    return "unknown";
}

} // namespace xbase
