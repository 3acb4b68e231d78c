#pragma once

#include "utilities/pass_progress.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>

class QLabel;
class QProgressBar;

namespace utilities {

// A dialog's side of a long pass: after every record it notes where the pass stands and
// whether a stop was asked for; the gauge and the count label show it, and pending window
// events run, at least every few hundredths of a second, so that the dialog stays live and its
// "Cancel" or "Stop" is seen while the pass goes on.
class TPassMonitor : public QObject {
    Q_OBJECT
public:
    TPassMonitor(QProgressBar* gauge, QLabel* countLabel,
                 std::function<QString(unsigned found)> countText, QObject* parent = nullptr);

    // The step to give the pass.
    PassStep step();
    void requestStop() { stopRequested_ = true; }
    bool stopRequested() const { return stopRequested_; }
    // Shows the final count.
    void showCount(unsigned found);
    // Where the pass stood after its last record (what a pass that failed had done).
    const PassState& lastState() const { return last_; }

signals:
    // After every record, before the stop request is looked at.
    void recordDone(unsigned done);

private:
    bool advance(const PassState& state);

    QProgressBar* gauge_;
    QLabel* countLabel_;
    std::function<QString(unsigned)> countText_;
    QElapsedTimer sinceShown_;
    PassState last_;
    bool stopRequested_ = false;
};

} // namespace utilities
