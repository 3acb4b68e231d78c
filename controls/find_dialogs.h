#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace controls {

class TRichEdit;

// The editor's "Find" dialog: finds the text after the cursor each time "Find Next" is pressed.
class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(TRichEdit& editor, bool withReplace = false);

    QLineEdit* FindText = nullptr;
    QLineEdit* ReplaceText = nullptr; // only in the replace dialog
    QCheckBox* MatchCase = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* ReplaceAllButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    void findNext();
    void replace();
    void replaceAll();
    void updateButtons();

    TRichEdit& editor_;
};

} // namespace controls
