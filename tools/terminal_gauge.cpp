#include "tools/terminal_gauge.h"

#include <ostream>

#include <unistd.h>

namespace tool {

TerminalGauge::TerminalGauge(std::ostream& err, std::string what)
    : err_(err), what_(std::move(what)), terminal_(::isatty(STDERR_FILENO) == 1) {}

TerminalGauge::~TerminalGauge() {
    finish();
}

void TerminalGauge::show(int percent) {
    if (!terminal_ || percent == shown_)
        return;
    shown_ = percent;
    err_ << '\r' << what_ << ' ' << percent << '%' << std::flush;
}

void TerminalGauge::finish() {
    if (!terminal_ || shown_ < 0)
        return;
    err_ << '\r' << std::string(what_.size() + 6, ' ') << '\r' << std::flush;
    shown_ = -1;
}

} // namespace tool
