#pragma once

#include <stdexcept>
#include <string>

namespace xbase {

/// What went wrong, so callers can choose their own message (a locked file, for one).
enum class ErrorKind {
    General,
    Io,          // the operating system refused a read, write or open
    Locked,      // another opener holds the file
    Corrupt,     // the file is damaged, truncated or not what it claims to be
    Unsupported, // a valid file or field type this engine does not handle
    Value,       // a value does not fit its field, a bad field name, a bad argument
    Syntax,      // an expression could not be parsed
    State,       // the operation is not possible now (no current record, read-only table)
};

/// The one exception type of the engine; the message says what and where.
class Error : public std::runtime_error {
public:
    Error(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    ErrorKind kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

} // namespace xbase
