#include "utilities/delete_records_dialog.h"

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/whats_this.h"
#include "utilities/pass_monitor.h"
#include "utilities/utility_dialog_parts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace utilities {

TDeleteRecords::TDeleteRecords(data::TTable& table, data::TXbEngine& engine, const QString& filter,
                               QWidget* parent)
    : QDialog(parent), table_(table), engine_(engine), filter_(filter) {
    setObjectName("DeleteRecords");
    setWindowTitle("Delete Records");
    auto* layout = new QVBoxLayout(this);
    Options = new QFrame(this);
    Options->setObjectName("Options");
    auto* options = new QVBoxLayout(Options);
    const struct {
        const char* caption;
        const char* name;
        QRadioButton** button;
        const char* whatsThis;
    } items[] = {
        {"Delete &All Records", "DeleteAll", &DeleteAll,
         "Remove every record of the file at once. This cannot be undone."},
        {"Delete Records matching current &Filter", "DeleteFilter", &DeleteFilter,
         "Delete the records the filter shows (also those deleted before)."},
        {"Delete Records which do &NOT match current Filter", "DeleteNotFilter", &DeleteNotFilter,
         "Delete every record the filter does not show."},
    };
    for (const auto& item : items) {
        *item.button = new QRadioButton(item.caption, Options);
        (*item.button)->setObjectName(item.name);
        platform::GiveWhatsThis(**item.button, item.whatsThis);
        options->addWidget(*item.button);
    }
    DeleteAll->setChecked(true);
    DeleteFilter->setEnabled(!filter.isEmpty());
    DeleteNotFilter->setEnabled(!filter.isEmpty());
    layout->addWidget(Options);

    const StopRow stopRow =
        AddStopRow(this, layout, "Deleting Records ", "The records are being deleted.",
                   "How far the deletion has gone through the records.",
                   "Stop deleting after the record in hand, after asking. "
                   "The records after it stay as they are.");
    ProgressLabel = stopRow.label;
    Gauge1 = stopRow.gauge;
    StopButton = stopRow.stop;

    auto* bar = new QHBoxLayout;
    DeleteNowButton = AddButton(this, bar, "Delete Now", "DeleteNowButton",
                                "Delete the chosen records, after asking.");
    DeleteNowButton->setDefault(true);
    CancelButton = AddButton(this, bar, "Cancel", "CancelButton", "Close without deleting.");
    bar->addStretch(1);
    HelpButton = AddButton(this, bar, "Help", "HelpButton", "Show help on deleting records.");
    WhatsThisButton = platform::NewWhatsThisButton(this);
    bar->addWidget(WhatsThisButton);
    layout->addLayout(bar);

    monitor_ = new TPassMonitor(Gauge1, nullptr, {}, this);
    connect(DeleteNowButton, &QPushButton::clicked, this, &TDeleteRecords::DeleteNowButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(platform::ResultCancel); });
    connect(StopButton, &QPushButton::clicked, this, &TDeleteRecords::StopButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    // Its size is known before it is centred over the main window.
    adjustSize();
}

void TDeleteRecords::DeleteNowButtonClick() {
    if (running_ || !platform::ConfirmYesNo("Are you sure?", "DELETE"))
        return;
    HelpButton->hide();
    const DeleteScope scope = DeleteFilter->isChecked()      ? DeleteScope::MatchingFilter
                              : DeleteNotFilter->isChecked() ? DeleteScope::OutsideFilter
                                                             : DeleteScope::AllRecords;
    Options->hide();
    CancelButton->hide();
    DeleteNowButton->setEnabled(false);
    ProgressLabel->show();
    Gauge1->setValue(0);
    Gauge1->show();
    // Emptying the file is one step: there is nothing to stop.
    StopButton->setVisible(scope != DeleteScope::AllRecords);
    running_ = true;
    try {
        result_ = RunDeleteRecords(table_, engine_, scope, filter_, monitor_->step());
    } catch (const std::exception& error) {
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
        result_.deleted = monitor_->lastState().found;
    }
    running_ = false;
    platform::ShowInfo("Deleted " + QString::number(result_.deleted) + " records");
    platform::ShowInfo("For optimum space usage, please select\r\n[Rebuild Indexes] from the "
                       "File menu");
    done(platform::ResultOk);
}

void TDeleteRecords::StopButtonClick() {
    if (running_ && AskInformationYesNo("Cancel operation?"))
        monitor_->requestStop();
}

void TDeleteRecords::reject() {
    if (running_)
        StopButtonClick();
    else
        done(platform::ResultCancel);
}

} // namespace utilities
