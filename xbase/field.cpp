#include "xbase/field.h"

#include "xbase/error.h"
#include "xbase/text.h"

#include <string>

namespace xbase {

namespace {

void checkName(const std::string& name) {
    if (name.empty() || name.size() > 10)
        throw Error(ErrorKind::Value, "field name \"" + name + "\" must have 1 to 10 characters");
    if (!isAsciiAlpha(name[0]))
        throw Error(ErrorKind::Value, "field name \"" + name + "\" must begin with a letter");
    for (char c : name)
        if (!isAsciiAlpha(c) && !isAsciiDigit(c) && c != '_')
            throw Error(ErrorKind::Value,
                        "field name \"" + name + "\" may hold only letters, digits and _");
}

// Checks the width and decimals of a field to be created and fixes the implied widths.
void checkShape(Field& f) {
    const std::string where = "field " + f.name + ": ";
    switch (f.type) {
    case 'C':
        if (f.width < 1 || f.width > 254)
            throw Error(ErrorKind::Value, where + "character width must be 1 to 254");
        f.decimals = 0;
        break;
    case 'N':
        if (f.width < 1 || f.width > 20)
            throw Error(ErrorKind::Value, where + "numeric width must be 1 to 20");
        if (f.decimals > 0 && (f.decimals > 18 || f.decimals + 2 > f.width))
            throw Error(ErrorKind::Value, where + "too many decimals for the width");
        break;
    case 'L':
        f.width = 1;
        f.decimals = 0;
        break;
    case 'D':
        f.width = 8;
        f.decimals = 0;
        break;
    case 'M':
        f.width = 10;
        f.decimals = 0;
        break;
    default:
        throw Error(ErrorKind::Unsupported, where + "type '" + std::string(1, f.type) +
                                                "' cannot be created (only C, N, L, D and M)");
    }
}

} // namespace

Structure::Structure(std::vector<Field> fields) {
    if (fields.empty())
        throw Error(ErrorKind::Value, "a table needs at least one field");
    if (fields.size() > 255)
        throw Error(ErrorKind::Value, "a table may have at most 255 fields");
    std::size_t offset = 1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        Field& f = fields[i];
        f.name = toUpperAscii(f.name);
        f.type = toUpperAscii(f.type);
        checkName(f.name);
        checkShape(f);
        for (std::size_t j = 0; j < i; ++j)
            if (fields[j].name == f.name)
                throw Error(ErrorKind::Value, "field name " + f.name + " is used twice");
        f.offset = static_cast<std::uint32_t>(offset);
        offset += f.width;
    }
    if (offset > 65535)
        throw Error(ErrorKind::Value, "the record would be longer than 65535 bytes");
    fields_ = std::move(fields);
    recordLength_ = offset;
}

Structure Structure::fromStored(std::vector<Field> fields, std::size_t recordLength) {
    Structure s;
    s.fields_ = std::move(fields);
    s.recordLength_ = recordLength;
    return s;
}

std::optional<std::size_t> Structure::find(std::string_view name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (equalsIgnoreCase(fields_[i].name, name))
            return i;
    return std::nullopt;
}

std::size_t Structure::indexOf(std::string_view name) const {
    if (auto i = find(name))
        return *i;
    throw Error(ErrorKind::Value, "no field named " + std::string(name));
}

bool Structure::hasMemo() const noexcept {
    for (const Field& f : fields_)
        if (f.isMemo())
            return true;
    return false;
}

} // namespace xbase
