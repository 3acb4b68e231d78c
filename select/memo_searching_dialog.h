#pragma once

#include "select/work_dialog.h"

namespace data {
class TTable;
class TXbEngine;
} // namespace data

class QLabel;
class QPushButton;

// Looks through the memos of the table in its current order and query, showing what it looks
// for with a "Cancel" button. The search starts once the dialog is shown and the dialog closes
// itself when it ends; the table stands on the match, or back where it started. A search that
// fails on an error (a damaged memo) counts as not found, and the error is shown.
class TCVWSearching : public TWorkDialog {
    Q_OBJECT
public:
    TCVWSearching(data::TTable& table, data::TXbEngine& engine, const QString& searchText,
                  bool fromFirst, QWidget* parent = nullptr);

    // The search itself; runs once, from showing or called directly.
    void runSearch() { run(); }
    bool memoFound() const { return found_; }

    QLabel* SearchingLabel = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void work() override;
    void cancelWork() override { cancelled_ = true; }

private:
    data::TTable& table_;
    data::TXbEngine& engine_;
    QString searchText_;
    bool fromFirst_;
    bool cancelled_ = false;
    bool found_ = false;
};
