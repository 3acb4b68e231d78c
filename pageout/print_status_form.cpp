#include "pageout/print_status_form.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>
#include <optional>

namespace pageout {

TPrintStatusForm::TPrintStatusForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PrintStatusForm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setAlignment(Qt::AlignCenter);
    StatusLabel->setMinimumHeight(64);
    StatusLabel->setWordWrap(true); // an error's text may be long
    StatusLabel->setWhatsThis(tr("Shows how far the job has come"));
    layout->addWidget(StatusLabel);
    CancelButton = new QPushButton(tr("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setWhatsThis(tr("Stops the job after the current item"));
    layout->addWidget(CancelButton, 0, Qt::AlignHCenter);
    connect(CancelButton, &QPushButton::clicked, this, &TPrintStatusForm::cancelClick);

    for (TBasePageJob* job :
         {static_cast<TBasePageJob*>(&Printer), static_cast<TBasePageJob*>(&Filer)}) {
        job->StatusLabel = StatusLabel;
        job->SetMargins(0.5, 0.5, 0.5, 0.5);
    }
    SetupPrint(QString());
}

TPrintStatusForm::~TPrintStatusForm() = default;

void TPrintStatusForm::SetupPrint(const QString& caption) {
    previewing_ = false;
    setWindowTitle(caption);
    CancelButton->setText(tr("Cancel"));
}

void TPrintStatusForm::SetupPreview(const QString& caption, PageStream& stream) {
    previewing_ = true;
    stream.clear();
    Filer.streamMode = StreamMode::User;
    Filer.SetStream(&stream);
    setWindowTitle(caption);
    CancelButton->setText(tr("Stop"));
}

TBasePageJob& TPrintStatusForm::Job() {
    return previewing_ ? static_cast<TBasePageJob&>(Filer) : static_cast<TBasePageJob&>(Printer);
}

void TPrintStatusForm::SetDrawing(TBasePageJob::JobEvent onPrint,
                                  TBasePageJob::JobEvent onBeforePrint) {
    TBasePageJob& job = Job();
    job.ClearEvents();
    job.OnPrint = std::move(onPrint);
    job.OnBeforePrint = std::move(onBeforePrint);
}

void TPrintStatusForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!activated_)
        QTimer::singleShot(0, this, &TPrintStatusForm::FormActivate);
}

void TPrintStatusForm::FormActivate() {
    if (activated_)
        return;
    activated_ = true;
    running_ = true;
    TBasePageJob& job = Job();
    // The job runs from the event loop, which no error may cross: an error of the caller's
    // drawing ends the job (the document is closed as for an abort) and is shown here.
    std::optional<QString> error;
    try {
        completed_ = job.RunJob();
    } catch (const std::exception& failure) {
        error = QString::fromLocal8Bit(failure.what());
    } catch (...) {
        error = QString();
    }
    running_ = false;
    finished_ = true;
    if (error) {
        completed_ = false;
        const QString why = error->trimmed().isEmpty() ? tr("unknown error") : error->trimmed();
        StatusLabel->setText(tr("The job stopped because of an error:\n%1").arg(why));
        CancelButton->setText(tr("Ok"));
        return; // stays open so the message can be read
    }
    if (FinalStatus) {
        job.StatusFormat = FinalStatus(*this);
        job.ShowStatus();
    }
    CancelButton->setText(tr("Ok"));
    if (CloseWhenDone)
        accept();
}

void TPrintStatusForm::cancelClick() {
    if (!running_) {
        accept();
        return;
    }
    if (OnCancel)
        OnCancel(*this);
    else
        Job().AbortJob();
}

void TPrintStatusForm::reject() {
    // Escape or the close box during a run acts as the cancel button; the form closes only
    // once the job has ended.
    if (running_) {
        cancelClick();
        return;
    }
    QDialog::reject();
}

} // namespace pageout
