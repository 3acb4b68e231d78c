#pragma once

#include <QDialog>

// A dialog whose work starts once it is on screen. The work runs once, whether the dialog
// showed or a caller ran it directly (a test seam answers dialogs without showing them).
class TWorkDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    void run();
    bool started() const { return started_; }

protected:
    virtual void work() = 0;
    // Closes with this result once the event loop runs again.
    void closeLater(int result);
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool started_ = false;
    int closeResult_ = QDialog::Rejected;
};
