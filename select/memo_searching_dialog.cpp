#include "select/memo_searching_dialog.h"

#include "data/table_object.h"
#include "data/xb_engine.h"
#include "platform/dialogs.h"
#include "platform/system_services.h"
#include "platform/whats_this.h"
#include "select/memo_search.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

TCVWSearching::TCVWSearching(data::TTable& table, data::TXbEngine& engine,
                             const QString& searchText, bool fromFirst, QWidget* parent)
    : TWorkDialog(parent), table_(table), engine_(engine), searchText_(searchText),
      fromFirst_(fromFirst) {
    setWindowTitle("Searching");
    setFixedSize(300, 100);
    SearchingLabel = new QLabel("Searching for: " + searchText, this);
    SearchingLabel->setObjectName("SearchingLabel");
    SearchingLabel->setGeometry(12, 12, 276, 20);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(100, 56, 100, 27);
    connect(CancelButton, &QPushButton::clicked, this, &TCVWSearching::reject);
    platform::GiveWhatsThis(*SearchingLabel, "The text looked for in the memos, from record to "
                                             "record in the current order and filter.");
    platform::GiveWhatsThis(*CancelButton, "Stop the search. The record it started from shows "
                                           "again.");
    platform::NewWhatsThisButton(this)->setGeometry(261, 56, 27, 27);
}

void TCVWSearching::work() {
    table_.disableControls();
    const unsigned remembered = table_.recordNumber();
    QString failure;
    try {
        fromFirst_ ? table_.first() : table_.next();
        while (!table_.eof()) {
            if (selection::MemoMatches(table_.fieldText("MEMO"), searchText_)) {
                found_ = true;
                break;
            }
            table_.next();
            QApplication::processEvents();
            if (cancelled_)
                break;
        }
    } catch (const std::exception& error) {
        found_ = false;
        failure = QString::fromStdString(error.what());
    }
    if (!found_) {
        try {
            if (remembered > 0 && remembered <= engine_.recCount())
                engine_.go(remembered);
        } catch (const std::exception&) {
            // The record it started from cannot be read either; the table stays where it is.
        }
        platform::Beep();
    }
    table_.enableControls();
    if (!failure.isEmpty())
        platform::ShowInfo(failure);
    closeLater(found_ ? QDialog::Accepted : QDialog::Rejected);
}
