#include "select/tag_all_dialog.h"

#include "data/table_object.h"
#include "platform/dialogs.h"
#include "platform/whats_this.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

TTagAllRecords::TTagAllRecords(data::TTable& table, const QString& tagId, QWidget* parent)
    : TWorkDialog(parent), table_(table), tagId_(tagId) {
    setWindowTitle("Tagging");
    setFixedSize(280, 120);
    TaggingLabel = new QLabel("Tagging Records", this);
    TaggingLabel->setObjectName("TaggingLabel");
    TaggingLabel->setGeometry(12, 12, 256, 20);
    CountLabel = new QLabel(this);
    CountLabel->setObjectName("CountLabel");
    CountLabel->setGeometry(12, 38, 256, 20);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(90, 78, 100, 27);
    OkButton = new QPushButton("Ok", this);
    OkButton->setObjectName("OkButton");
    OkButton->setGeometry(90, 78, 100, 27);
    OkButton->hide();
    connect(CancelButton, &QPushButton::clicked, this, &TTagAllRecords::reject);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    platform::GiveWhatsThis(*TaggingLabel, "What the tagging is doing, and how it ended.");
    platform::GiveWhatsThis(*CountLabel, "How many records are tagged so far.");
    platform::GiveWhatsThis(*CancelButton, "Stop tagging, after asking. The records tagged so far "
                                           "stay tagged.");
    platform::GiveWhatsThis(*OkButton, "Close this window.");
    platform::NewWhatsThisButton(this)->setGeometry(241, 78, 27, 27);
}

const QString TTagAllRecords::StoppedText = "Stopped by an error";

QString TTagAllRecords::countText() const {
    return QString::number(count_) + " tagged";
}

void TTagAllRecords::cancelWork() {
    if (platform::ConfirmYesNo("Cancel Tagging?", "CANCEL"))
        cancelled_ = true;
}

void TTagAllRecords::work() {
    table_.disableControls();
    try {
        // One push to the disk at the end instead of one per record.
        data::BulkWrite bulk(table_);
        table_.first();
        while (!table_.eof() && !cancelled_) {
            table_.edit();
            table_.setFieldText("TAG", tagId_);
            table_.post();
            // Counted once posted: a failure to move on must not lose the record from the count.
            ++count_;
            CountLabel->setText(countText());
            emit recordTagged(count_);
            table_.next();
            QApplication::processEvents();
        }
        bulk.finish();
    } catch (const std::exception& error) {
        failed_ = true;
        table_.cancel();
        platform::ShowInfo(QString::fromStdString(error.what()));
    }
    table_.enableControls();
    try {
        table_.first();
    } catch (const std::exception&) {
    }
    if (failed_) {
        TaggingLabel->setText(StoppedText);
        CountLabel->setText(countText());
    } else {
        TaggingLabel->setText(cancelled_ ? "Cancelled before completion" : "Complete");
        CountLabel->clear();
    }
    CancelButton->hide();
    OkButton->show();
}

namespace selection {

void TagAllRecords(data::TTable& table, const QString& tagId, QWidget* parent) {
    TTagAllRecords dialog(table, tagId, parent);
    platform::CenterOnMainForm(dialog);
    platform::CurrentDialogs().exec(dialog);
    // The tagging runs when the dialog shows; a dialog that never showed still tags.
    dialog.runTagging();
}

} // namespace selection
