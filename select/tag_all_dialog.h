#pragma once

#include "select/work_dialog.h"

namespace data {
class TTable;
}

class QLabel;
class QPushButton;

// Tags every record the table's order and query visit, counting as it goes. The work starts
// once the dialog is shown; "Cancel" asks first and leaves the records tagged so far tagged.
// An error from the table stops the tagging: it is shown, and the dialog says so with the count
// of records tagged before it.
class TTagAllRecords : public TWorkDialog {
    Q_OBJECT
public:
    TTagAllRecords(data::TTable& table, const QString& tagId, QWidget* parent = nullptr);

    // The tagging itself; runs once, from showing or called directly.
    void runTagging() { run(); }
    int taggedCount() const { return count_; }
    bool cancelled() const { return cancelled_; }
    bool failed() const { return failed_; }

    static const QString StoppedText;

    QLabel* TaggingLabel = nullptr;
    QLabel* CountLabel = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* OkButton = nullptr;

signals:
    // After each record, with the number tagged so far.
    void recordTagged(int count);

protected:
    void work() override;
    void cancelWork() override;

private:
    QString countText() const;

    data::TTable& table_;
    QString tagId_;
    int count_ = 0;
    bool cancelled_ = false;
    bool failed_ = false;
};

namespace selection {

// Runs the tagging dialog modally over the table as the caller ordered and filtered it.
void TagAllRecords(data::TTable& table, const QString& tagId, QWidget* parent);

} // namespace selection
