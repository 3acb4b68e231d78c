#include "letters/letter_print.h"

#include "controls/rich_edit.h"
#include "platform/dialogs.h"
#include "platform/printer_device.h"
#include "platform/whats_this.h"

#include <QApplication>
#include <QLabel>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace letters {

TLetterPrint::TLetterPrint(const controls::TRichEdit& templ, data::TTable& addresses,
                           const RunOptions& options, QWidget* parent)
    : TWorkDialog(parent), template_(templ), addresses_(addresses), options_(options),
      work_(std::make_unique<controls::TRichEdit>()) {
    setObjectName("LetterPrint");
    setWindowTitle("Print Status Screen");
    setMinimumWidth(300);
    auto* layout = new QVBoxLayout(this);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName("StatusLabel");
    StatusLabel->setAlignment(Qt::AlignCenter);
    StatusLabel->setMinimumHeight(48);
    platform::GiveWhatsThis(*StatusLabel, "How many pages have been printed");
    layout->addWidget(StatusLabel);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    platform::GiveWhatsThis(*CancelButton, "Stops printing after the letter being printed; once "
                                           "printing has ended it closes this window");
    layout->addWidget(CancelButton, 0, Qt::AlignHCenter);
    connect(CancelButton, &QPushButton::clicked, this, &TLetterPrint::cancelClick);
    adjustSize(); // its size is known before it is centred
}

TLetterPrint::~TLetterPrint() = default;

void TLetterPrint::cancelClick() {
    const QString caption = CancelButton->text().remove('&');
    if (caption.compare("Cancel", Qt::CaseInsensitive) == 0 ||
        caption.compare("Stop", Qt::CaseInsensitive) == 0)
        cancelWork();
    else
        accept();
}

void TLetterPrint::cancelWork() {
    cancelRequested_ = true;
}

bool TLetterPrint::afterRecord(int pages) {
    pages_ = pages;
    StatusLabel->setText("Printing page " + QString::number(pages));
    QApplication::processEvents();
    if (!cancelRequested_)
        return true;
    platform::MessageRequest question;
    question.text = "Cancel print job?";
    question.caption = "Information";
    question.icon = platform::MessageIcon::Information;
    question.buttons = platform::MessageButtons::YesNo;
    question.defaultButton = platform::MessageAnswer::Yes;
    question.toolkitDialog = true;
    if (platform::CurrentDialogs().message(question) != platform::MessageAnswer::Yes) {
        cancelRequested_ = false;
        return true;
    }
    aborted_ = true;
    return false;
}

void TLetterPrint::work() {
    QApplication::processEvents();
    platform::PrinterDevice& printer = platform::SharedPrinter();
    std::unique_ptr<QPagedPaintDevice> device = printer.open("Corvane letters", 1);
    QString ending;
    if (!device) {
        aborted_ = true;
        ending = "Letter Print Canceled!";
    } else {
        QPainter painter;
        if (!painter.begin(device.get())) {
            ending = "The printer " + printer.deviceName() + " could not start the document.";
        } else {
            try {
                pages_ = PrintLetters(template_, *work_, addresses_, options_, *device, painter,
                                      [this](int pages) { return afterRecord(pages); });
            } catch (const std::exception& error) {
                // A failure while printing ends the run; what was printed stays.
                ending = "Printing stopped: " + QString::fromLocal8Bit(error.what());
            }
            painter.end();
        }
        if (aborted_)
            printer.abandon(*device);
        if (ending.isEmpty())
            ending = aborted_ ? "Letter Print Canceled!" : "Letter Print Completed!";
    }
    StatusLabel->setText(ending);
    CancelButton->setText("OK");
}

} // namespace letters
