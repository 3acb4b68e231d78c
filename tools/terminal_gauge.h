#pragma once

#include <iosfwd>
#include <string>

namespace tool {

// The progress of a long command on a terminal: "what 45%", rewritten in place on the error
// stream each time the percentage changes. Nothing is written when that stream is no terminal
// (a script reading the output sees only the results).
class TerminalGauge {
public:
    TerminalGauge(std::ostream& err, std::string what);
    ~TerminalGauge();
    TerminalGauge(const TerminalGauge&) = delete;
    TerminalGauge& operator=(const TerminalGauge&) = delete;

    void show(int percent);
    // Clears the line, so that what follows starts at its beginning.
    void finish();

private:
    std::ostream& err_;
    std::string what_;
    bool terminal_;
    int shown_ = -1;
};

} // namespace tool
