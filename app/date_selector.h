#pragma once

#include <QDate>
#include <QDialog>

#include <optional>

class QCalendarWidget;
class QLabel;
class QPushButton;

// "Select a Date": a calendar with steps by year and month. The answer is a date, no date, or
// nothing (cancelled).
class TDateSelector : public QDialog {
    Q_OBJECT
public:
    TDateSelector(const QDate& start, QWidget* parent = nullptr);

    // Result codes besides OK and Cancel.
    static constexpr int ResultNoDate = 3;
    static constexpr int HelpTopic = 1025;

    QDate chosen() const;
    void step(int years, int months);

    QCalendarWidget* Calendar = nullptr;
    QLabel* LongDate = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* NoDateButton = nullptr;
};

// The record's DATE as eight digits, or empty for "No Date"; nothing when cancelled. The
// calendar starts on the stored date, or today when it is blank or not a date.
std::optional<QString> AskForDate(const QString& storedDate, QWidget* parent);
