#pragma once

#include "exchange/copy_out.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace data {
class TTable;
class TXbEngine;
} // namespace data

// "Copy Records Out": the records of the current selection, in the current order, to a new
// table with the address file's structure, a comma-separated text file or a vCard file.
// "Save As" asks for the file and copies at once; the dialog then closes. "Cancel" closes it,
// or during a copy asks whether to stop (the records copied so far stay in the file).
class TCopyOut : public QDialog {
    Q_OBJECT
public:
    TCopyOut(data::TTable& table, data::TXbEngine& engine, QWidget* parent = nullptr);
    static constexpr int HelpTopic = 1047;

    QString chosenFile() const { return fileName_; }
    bool copying() const { return copying_; }

    QFrame* ChoicePanel = nullptr;
    QRadioButton* DbfRadio = nullptr;
    QRadioButton* AsciiRadio = nullptr;
    QRadioButton* VCardRadio = nullptr;
    QCheckBox* Rfc4180Check = nullptr;
    QCheckBox* Utf8Check = nullptr;
    QComboBox* VCardVersionCombo = nullptr;
    QLabel* FileLabel = nullptr;
    QPushButton* SaveAsButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QToolButton* WhatsThisButton = nullptr;
    QFrame* ProgressPanel = nullptr;
    QLabel* CopyingLabel = nullptr;
    QProgressBar* Gauge = nullptr;

    void reject() override;

signals:
    // After each record written, with the number written so far.
    void recordCopied(unsigned count);

private:
    void SaveAsClick();
    void formatChanged();
    exchange::ExportOptions options() const;
    void setFileName(const QString& name);
    void copy();

    data::TTable& table_;
    data::TXbEngine& engine_;
    QString fileName_;
    QString folder_; // where the save dialog starts once a file was chosen
    bool copying_ = false;
    bool cancelRequested_ = false;
};
