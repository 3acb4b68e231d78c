#include "tools/command.h"

#include <exception>
#include <iostream>

namespace {

constexpr const char* Version = "2.0.0";

void printHelp(std::ostream& out) {
    out << "Usage: corvane-tool COMMAND [ARGUMENTS]\n"
           "Works on Corvane address files and other dBASE tables from the command line.\n\n"
           "  --version  print the version\n"
           "  --help     print this help\n";
    if (!tool::Commands().empty())
        out << "\nCommands:\n";
    for (const tool::Command& command : tool::Commands())
        out << "  " << command.group << (command.name.empty() ? "" : " " + command.name) << ' '
            << command.usage << "\n      " << command.summary << '\n';
}

} // namespace

int main(int argc, char* argv[]) {
    const tool::Arguments args(argv + 1, argv + argc);
    if (args.empty()) {
        printHelp(std::cerr);
        return tool::ExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        printHelp(std::cout);
        return tool::ExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "corvane-tool " << Version << '\n';
        return tool::ExitOk;
    }
    for (const tool::Command& command : tool::Commands()) {
        // A command of one word has no name after its group.
        const bool oneWord = command.name.empty();
        if (command.group == args[0] &&
            (oneWord || (args.size() >= 2 && command.name == args[1]))) {
            try {
                return command.run(tool::Arguments(args.begin() + (oneWord ? 1 : 2), args.end()),
                                   std::cout, std::cerr);
            } catch (const std::exception& error) {
                std::cerr << "corvane-tool: " << error.what() << '\n';
                return tool::ExitFailure;
            }
        }
    }
    std::cerr << "corvane-tool: unknown command '" << args[0]
              << (args.size() >= 2 ? " " + args[1] : std::string()) << "'; see --help\n";
    return tool::ExitUsage;
}
