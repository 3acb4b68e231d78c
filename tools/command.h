#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tool {

using Arguments = std::vector<std::string>;

// One subcommand of corvane-tool, e.g. "db info". Each group registers its commands in its own
// file through a static Registration.
struct Command {
    std::string group;   // "db", "filter", ...
    std::string name;    // "info", "dump", ...
    std::string usage;   // arguments shown by --help, e.g. "FILE [--order TAG]"
    std::string summary; // one line
    std::function<int(const Arguments&, std::ostream& out, std::ostream& err)> run;
};

std::vector<Command>& Commands();

struct Registration {
    explicit Registration(Command command);
};

// Exit codes: 0 done, 1 the work failed (bad file, not found), 2 wrong usage.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitUsage = 2;

} // namespace tool
