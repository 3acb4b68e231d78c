#pragma once

#include <QString>

#include <functional>

class QBoxLayout;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace utilities {

class TRecordGrid;

// What the main window lends the dialogs that list records: its tag toggle on the current
// record and the tag id that "Tag All" gives.
struct TagHooks {
    std::function<void()> toggleTag;
    QString tagId;
};

// A question of a long pass or of a list's repairs, in the toolkit's own message dialog
// (caption "Information", information icon, "&Yes" and "&No"); true for "&Yes".
bool AskInformationYesNo(const QString& text);

// A push button with its object name and "What's this?" text, added to a layout.
QPushButton* AddButton(QWidget* parent, QBoxLayout* layout, const QString& caption,
                       const char* name, const QString& whatsThis);

// A long pass's gauge "Gauge1", 0 to 100, hidden until the pass starts.
QProgressBar* NewPassGauge(QWidget* parent, const QString& whatsThis);

// The row a stoppable pass shows while it runs: its label, its gauge and "Stop", all hidden
// until the pass starts.
struct StopRow {
    QLabel* label = nullptr;
    QProgressBar* gauge = nullptr;
    QPushButton* stop = nullptr;
};
StopRow AddStopRow(QWidget* parent, QBoxLayout* layout, const QString& caption,
                   const QString& labelWhatsThis, const QString& gaugeWhatsThis,
                   const QString& stopWhatsThis);

// A record navigator limited to First, Prior, Next and Last, moving through a grid's rows.
QFrame* NewGridNavigator(QWidget* parent, TRecordGrid& grid, const char* name);

} // namespace utilities
