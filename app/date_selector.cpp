#include "app/date_selector.h"

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/system_services.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

TDateSelector::TDateSelector(const QDate& start, QWidget* parent) : QDialog(parent) {
    setObjectName("DateSelector");
    setWindowTitle("Select a Date");
    auto* layout = new QGridLayout(this);
    LongDate = new QLabel(this);
    LongDate->setObjectName("LongDate");
    LongDate->setAlignment(Qt::AlignCenter);
    layout->addWidget(LongDate, 0, 0, 1, 5);
    Calendar = new QCalendarWidget(this);
    Calendar->setObjectName("Calendar");
    Calendar->setFirstDayOfWeek(Qt::Sunday);
    Calendar->setNavigationBarVisible(false);
    Calendar->setSelectedDate(start);
    Calendar->setWhatsThis("Click a day to choose it.");
    layout->addWidget(Calendar, 1, 0, 1, 5);

    const struct {
        const char* caption;
        int years;
        int months;
    } steps[] = {
        {"Year-", -1, 0}, {"Month-", 0, -1}, {"Today", 0, 0}, {"Month +", 0, 1}, {"Year+", 1, 0}};
    int column = 0;
    for (const auto& s : steps) {
        auto* button = new QPushButton(s.caption, this);
        button->setObjectName(QString(s.caption).remove(' ') + "Button");
        const int years = s.years, months = s.months;
        connect(button, &QPushButton::clicked, this, [this, years, months] {
            if (years == 0 && months == 0)
                Calendar->setSelectedDate(platform::Today());
            else
                step(years, months);
        });
        layout->addWidget(button, 2, column++);
    }
    OKButton = new QPushButton("Ok", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    NoDateButton = new QPushButton("No Date", this);
    NoDateButton->setObjectName("NoDateButton");
    auto* help = new QPushButton("Help", this);
    layout->addWidget(OKButton, 3, 0);
    layout->addWidget(CancelButton, 3, 1);
    layout->addWidget(NoDateButton, 3, 2);
    layout->addWidget(help, 3, 4);
    OKButton->setWhatsThis("Store the chosen date in the record.");
    CancelButton->setWhatsThis("Leave the record's date as it is.");
    NoDateButton->setWhatsThis("Remove the record's date.");
    connect(OKButton, &QPushButton::clicked, this, [this] { done(platform::ResultOk); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(platform::ResultCancel); });
    connect(NoDateButton, &QPushButton::clicked, this, [this] { done(ResultNoDate); });
    connect(help, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    auto showLong = [this] {
        LongDate->setText(QLocale().toString(Calendar->selectedDate(), QLocale::LongFormat));
        Calendar->setCurrentPage(Calendar->selectedDate().year(), Calendar->selectedDate().month());
    };
    connect(Calendar, &QCalendarWidget::selectionChanged, this, showLong);
    showLong();
}

QDate TDateSelector::chosen() const {
    return Calendar->selectedDate();
}

void TDateSelector::step(int years, int months) {
    Calendar->setSelectedDate(chosen().addYears(years).addMonths(months));
}

std::optional<QString> AskForDate(const QString& storedDate, QWidget* parent) {
    QDate start = QDate::fromString(storedDate.left(8), "yyyyMMdd");
    if (!start.isValid())
        start = platform::Today();
    TDateSelector dialog(start, parent);
    platform::CenterOnMainForm(dialog);
    switch (platform::CurrentDialogs().exec(dialog)) {
    case platform::ResultOk:
        return dialog.chosen().toString("yyyyMMdd");
    case TDateSelector::ResultNoDate:
        return QString();
    default:
        return std::nullopt;
    }
}
