#pragma once

// What every property dialog of the layout objects shares: the buttons "Ok", "Cancel" and
// "Help" with the what's-this button, and running modally through the dialog seam, centred
// over the main window.
#include <QDialog>

class QBoxLayout;
class QPushButton;
class QToolButton;

namespace layout {

struct DialogButtons {
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QToolButton* WhatsThisButton = nullptr;
};

// Adds the button row under `layout`: "Ok" accepts (result 1), "Cancel" rejects (2), "Help"
// opens the help at `helpTopic`.
DialogButtons AddDialogButtons(QDialog& dialog, QBoxLayout& layout, int helpTopic);

// Runs the dialog centred over the main window; true when it ended with OK.
bool RunDialog(QDialog& dialog);

} // namespace layout
