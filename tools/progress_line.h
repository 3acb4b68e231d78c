#pragma once

#include <cstdio>
#include <ostream>
#include <string>
#include <unistd.h>

namespace tool {

// A progress line for long commands: "\rImporting records: 42%" on the error stream, rewritten
// only when the percentage changes, and only when that stream is a terminal.
class ProgressLine {
public:
    explicit ProgressLine(std::ostream& err) : err_(err), shown_(isatty(STDERR_FILENO) != 0) {}
    ~ProgressLine() { end(); }

    void show(const std::string& what, int percent) {
        if (!shown_ || (what == what_ && percent == percent_))
            return;
        what_ = what;
        percent_ = percent;
        err_ << '\r' << what << ": " << percent << "%   " << std::flush;
        open_ = true;
    }
    void show(const std::string& what, unsigned done, unsigned total) {
        show(what, total > 0 ? int(static_cast<unsigned long long>(done) * 100 / total) : 0);
    }
    // Ends the line, so that what follows starts on a new one.
    void end() {
        if (open_)
            err_ << '\n' << std::flush;
        open_ = false;
        what_.clear();
        percent_ = -1;
    }

private:
    std::ostream& err_;
    bool shown_;
    bool open_ = false;
    std::string what_;
    int percent_ = -1;
};

} // namespace tool
