#pragma once

#include "select/work_dialog.h"

namespace data {
class TTable;
}

class QLabel;
class QPushButton;

// Tags every record the table's order and query visit, counting as it goes. The work starts
// once the dialog is shown; "Cancel" asks first and leaves the records tagged so far tagged.
class TTagAllRecords : public TWorkDialog {
    Q_OBJECT
public:
    TTagAllRecords(data::TTable& table, const QString& tagId, QWidget* parent = nullptr);

    // The tagging itself; runs once, from showing or called directly.
    void runTagging() { run(); }
    int taggedCount() const { return count_; }
    bool cancelled() const { return cancelled_; }

    QLabel* TaggingLabel = nullptr;
    QLabel* CountLabel = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* OkButton = nullptr;

signals:
    // After each record, with the number tagged so far.
    void recordTagged(int count);

protected:
    void work() override;

private:
    void CancelButtonClick();

    data::TTable& table_;
    QString tagId_;
    int count_ = 0;
    bool running_ = false;
    bool cancelled_ = false;
};

namespace selection {

// Runs the tagging dialog modally over the table as the caller ordered and filtered it.
void TagAllRecords(data::TTable& table, const QString& tagId, QWidget* parent);

} // namespace selection
