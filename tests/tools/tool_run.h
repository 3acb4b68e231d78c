#pragma once

// corvane-tool run as a user runs it from a shell, its output streams caught in files.

#include "tests/xbase/test_support.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace xbase::test {

struct ToolRun {
    int code = -1;
    std::string out, err;
};

inline std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline ToolRun tool(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = CORVANE_TOOL;
    for (const std::string& a : args)
        command += " " + quoted(a);
    command +=
        " >" + quoted((dir / "out.txt").string()) + " 2>" + quoted((dir / "err.txt").string());
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir / "out.txt"),
            slurp(dir / "err.txt")};
}

} // namespace xbase::test
