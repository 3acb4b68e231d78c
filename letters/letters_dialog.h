#pragma once

#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "letters/letter_store.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace controls {
class TRichEdit;
}

namespace letters {

// "Print Letters": the list of letters with New, Modify, Clone and Delete, the records to print
// ("All records", "Records matching filter", "Only current record"), the copies of each letter,
// the printer, print and preview. It works on the main window's address table, engine and
// filter, and keeps LETTER.DBF open in its own table while it lives.
class TcVLetters : public QDialog {
    Q_OBJECT
public:
    TcVLetters(data::TTable& addresses, data::TXbEngine& addressEngine, QWidget* parent = nullptr);
    ~TcVLetters() override;

    static constexpr int HelpTopic = 1083;

    // Opens LETTER.DBF, creating it when missing; false after the message.
    bool OpenLetterTable();

    data::TTable LetterTable;
    data::TDataSource LetterSource;
    data::TXbEngine LetterEngine;

    QListWidget* LetterList = nullptr;
    QPushButton* NewButton = nullptr;
    QPushButton* ModifyButton = nullptr;
    QPushButton* CloneButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* PreviewButton = nullptr;
    QPushButton* PrintButton = nullptr;
    QPushButton* PrinterSetupButton = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QRadioButton* AllRecords = nullptr;
    QRadioButton* MatchingFilter = nullptr;
    QRadioButton* CurrentRecord = nullptr;
    QCheckBox* StartFromCurrent = nullptr;
    QSpinBox* CopiesEdit = nullptr;
    QLabel* PrinterName = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void refreshList(unsigned select = 0);
    void setButtons();
    // Makes the selected letter the letter table's current record; false when none is.
    bool selectLetter();
    QString selectedDescription() const;
    void design(bool newLetter);
    void deleteClick();
    void cloneClick();
    void previewClick();
    void printClick();
    void printerSetupClick();

    data::TTable& addresses_;
    data::TXbEngine& addressEngine_;
    QList<LetterEntry> entries_;
    bool firstActivation_ = true;
};

} // namespace letters
