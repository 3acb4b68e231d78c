#include "utilities/utility_dialog_parts.h"

#include "platform/dialogs.h"
#include "platform/whats_this.h"
#include "utilities/record_grid.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace utilities {

bool AskInformationYesNo(const QString& text) {
    platform::MessageRequest request;
    request.text = text;
    request.caption = "Information";
    request.icon = platform::MessageIcon::Information;
    request.buttons = platform::MessageButtons::YesNo;
    request.defaultButton = platform::MessageAnswer::Yes;
    request.toolkitDialog = true;
    return platform::CurrentDialogs().message(request) == platform::MessageAnswer::Yes;
}

QProgressBar* NewPassGauge(QWidget* parent, const QString& whatsThis) {
    auto* gauge = new QProgressBar(parent);
    gauge->setObjectName("Gauge1");
    gauge->setRange(0, 100);
    gauge->hide();
    platform::GiveWhatsThis(*gauge, whatsThis);
    return gauge;
}

StopRow AddStopRow(QWidget* parent, QBoxLayout* layout, const QString& caption,
                   const QString& labelWhatsThis, const QString& gaugeWhatsThis,
                   const QString& stopWhatsThis) {
    StopRow row;
    row.label = new QLabel(caption, parent);
    row.label->setObjectName("ProgressLabel");
    row.label->hide();
    platform::GiveWhatsThis(*row.label, labelWhatsThis);
    row.gauge = NewPassGauge(parent, gaugeWhatsThis);
    row.stop = AddButton(parent, nullptr, "Stop", "StopButton", stopWhatsThis);
    row.stop->hide();
    auto* line = new QHBoxLayout;
    line->addWidget(row.label);
    line->addWidget(row.gauge, 1);
    line->addWidget(row.stop);
    layout->addLayout(line);
    return row;
}

QPushButton* AddButton(QWidget* parent, QBoxLayout* layout, const QString& caption,
                       const char* name, const QString& whatsThis) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    platform::GiveWhatsThis(*button, whatsThis);
    if (layout)
        layout->addWidget(button);
    return button;
}

QFrame* NewGridNavigator(QWidget* parent, TRecordGrid& grid, const char* name) {
    auto* navigator = new QFrame(parent);
    navigator->setObjectName(name);
    auto* row = new QHBoxLayout(navigator);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    const struct {
        const char* caption;
        const char* name;
        const char* whatsThis;
        void (TRecordGrid::*move)();
    } moves[] = {
        {"First", "FirstButton", "Go to the first record of the list.", &TRecordGrid::first},
        {"Prior", "PriorButton", "Go to the previous record of the list.", &TRecordGrid::prior},
        {"Next", "NextButton", "Go to the next record of the list.", &TRecordGrid::next},
        {"Last", "LastButton", "Go to the last record of the list.", &TRecordGrid::last}};
    for (const auto& m : moves) {
        QPushButton* button = AddButton(navigator, row, m.caption, m.name, m.whatsThis);
        const auto move = m.move;
        QObject::connect(button, &QPushButton::clicked, &grid, [&grid, move] { (grid.*move)(); });
    }
    platform::GiveWhatsThis(*navigator, "Moves through the records of the list.");
    return navigator;
}

} // namespace utilities
