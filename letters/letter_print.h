#pragma once

#include "letters/letter_run.h"
#include "select/work_dialog.h"

#include <memory>

class QLabel;
class QPushButton;

namespace controls {
class TRichEdit;
}
namespace data {
class TTable;
}

namespace letters {

// "Print Status Screen": prints the letter merged with each record from the address table's
// current record on, shows the pages printed and lets the user cancel after a record.
class TLetterPrint : public TWorkDialog {
    Q_OBJECT
public:
    TLetterPrint(const controls::TRichEdit& templ, data::TTable& addresses,
                 const RunOptions& options, QWidget* parent = nullptr);
    ~TLetterPrint() override;

    QLabel* StatusLabel = nullptr;
    QPushButton* CancelButton = nullptr;

    int PageCount() const { return pages_; }
    bool Aborted() const { return aborted_; }
    bool CancelRequested() const { return cancelRequested_; }

protected:
    void work() override;
    void cancelWork() override;

private:
    void cancelClick();
    // Called after each record: progress, pending events and the question whether to stop.
    bool afterRecord(int pages);

    const controls::TRichEdit& template_;
    data::TTable& addresses_;
    RunOptions options_;
    std::unique_ptr<controls::TRichEdit> work_;
    int pages_ = 0;
    bool cancelRequested_ = false;
    bool aborted_ = false;
};

} // namespace letters
