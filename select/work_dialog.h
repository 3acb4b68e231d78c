#pragma once

#include <QDialog>

// A dialog whose work starts once it is on screen. The work runs once, whether the dialog
// showed or a caller ran it directly (a test seam answers dialogs without showing them).
// Until the work has ended the dialog does not go away: Escape and the window's close box do
// what the dialog's own "Cancel" does.
class TWorkDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    void run();
    bool started() const { return started_; }
    bool finished() const { return finished_; }

    // Before the work has ended this is the dialog's "Cancel"; afterwards it closes.
    void reject() override;

protected:
    virtual void work() = 0;
    // What "Cancel" does while the work has not ended.
    virtual void cancelWork() = 0;
    // Closes with this result once the event loop runs again.
    void closeLater(int result);
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool started_ = false;
    bool finished_ = false;
    int closeResult_ = QDialog::Rejected;
};
