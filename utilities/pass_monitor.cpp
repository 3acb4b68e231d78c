#include "utilities/pass_monitor.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

namespace utilities {

namespace {

// How often the gauge and the count are shown and pending events let run.
constexpr qint64 ShowEveryMs = 40;

} // namespace

TPassMonitor::TPassMonitor(QProgressBar* gauge, QLabel* countLabel,
                           std::function<QString(unsigned found)> countText, QObject* parent)
    : QObject(parent), gauge_(gauge), countLabel_(countLabel), countText_(std::move(countText)) {}

PassStep TPassMonitor::step() {
    stopRequested_ = false;
    last_ = {};
    sinceShown_.invalidate();
    return [this](const PassState& state) { return advance(state); };
}

void TPassMonitor::showCount(unsigned found) {
    if (countLabel_ && countText_)
        countLabel_->setText(countText_(found));
}

bool TPassMonitor::advance(const PassState& state) {
    last_ = state;
    emit recordDone(state.done);
    if (!sinceShown_.isValid() || sinceShown_.elapsed() >= ShowEveryMs ||
        state.done >= state.total) {
        // The gauge moves between its ends only; it is hidden when the pass ends.
        const int percent = GaugePercent(state.done, state.total);
        if (gauge_ && percent > 0 && percent < 100)
            gauge_->setValue(percent);
        showCount(state.found);
        QApplication::processEvents();
        sinceShown_.start();
    }
    return !stopRequested_;
}

} // namespace utilities
