#pragma once

#include "pageout/canvas_job.h"
#include "pageout/page_filer.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace pageout {

// The status form that runs a print or preview job: it holds one printer job and one filer
// job, both reporting into its status label. The calling screen picks the destination,
// sets up the job, shows the form modally (the job runs on activation) and, after a preview
// that was not aborted, shows the preview window on the stream.
class TPrintStatusForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrintStatusForm(QWidget* parent = nullptr);
    ~TPrintStatusForm() override;

    TPagePrinter Printer;
    TPageFiler Filer;
    QLabel* StatusLabel = nullptr;
    QPushButton* CancelButton = nullptr;

    // Printing: the printer job, the caption and a "Cancel" button.
    void SetupPrint(const QString& caption);
    // Preview: the filer job recording into `stream` (kept by the caller) and a "Stop" button.
    void SetupPreview(const QString& caption, PageStream& stream);
    bool Previewing() const { return previewing_; }
    // The job picked by SetupPrint or SetupPreview.
    TBasePageJob& Job();

    // Clears the job's event hooks and sets its drawing routine and the routine run before it.
    void SetDrawing(TBasePageJob::JobEvent onPrint, TBasePageJob::JobEvent onBeforePrint);

    // What the Cancel or Stop button does while the job runs; by default it aborts the job.
    std::function<void(TPrintStatusForm&)> OnCancel;
    // The status format shown once the job ended (it begins with a carriage return).
    std::function<QString(TPrintStatusForm&)> FinalStatus;
    // Close the form as soon as the job ended instead of waiting for "Ok".
    bool CloseWhenDone = false;

    // Runs the job once, on the first activation.
    void FormActivate();
    bool Running() const { return running_; }
    bool Finished() const { return finished_; }
    // Whether the job ran to its end.
    bool Completed() const { return completed_; }

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void cancelClick();

    bool previewing_ = false;
    bool activated_ = false;
    bool running_ = false;
    bool finished_ = false;
    bool completed_ = false;
};

} // namespace pageout
