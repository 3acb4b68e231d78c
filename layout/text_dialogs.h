#pragma once

// The property dialogs of the text and multi-line objects that only gather choices: the text,
// the field, the counter, the lines of a fixed block and the address block's layout.
#include "layout/address_composition.h"
#include "layout/dialog_frame.h"

#include <QFont>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;

namespace layout {

// "Text": the caption of a fixed text.
class TGetLabelText : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 40004;
    explicit TGetLabelText(const QString& caption, QWidget* parent = nullptr);
    QLineEdit* LabelText = nullptr;
    DialogButtons buttons;
};

// "Select Field": one of the record source's field descriptions.
class TFieldSelectionBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 40007;
    // The entry equal to `current` is chosen, else the first.
    TFieldSelectionBox(const QStringList& descriptions, const QString& current,
                       QWidget* parent = nullptr);
    QListWidget* ListOfFields = nullptr;
    DialogButtons buttons;
    // The chosen description; empty when the list is empty.
    QString Chosen() const;
};

// "Counter": the texts around the number, the starting number and the repeat.
class TGetCounter : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 40006;
    explicit TGetCounter(QWidget* parent = nullptr);
    QLineEdit* TextBefore = nullptr;
    QSpinBox* StartingNumber = nullptr;
    QSpinBox* RepeatFor = nullptr;
    QLineEdit* TextAfter = nullptr;
    DialogButtons buttons;
};

// "Multi-line Text Editor": the lines of a fixed block, at most 254 characters in all.
class TMultiLineTextEditor : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 40001;
    static constexpr int MaxLength = 254;
    TMultiLineTextEditor(const QStringList& lines, const QFont& font, QWidget* parent = nullptr);
    QPlainTextEdit* Memo = nullptr;
    DialogButtons buttons;
    QStringList Lines() const;

private:
    QString accepted_; // the text as it last fitted
};

// The length a text counts against the editor's limit: each line break is CR LF.
int StoredLength(const QString& text);

// "Address Label Layout": the lines an address block shows and where its ZIP code goes.
class TAddressLayout : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 40009;
    explicit TAddressLayout(const AddressOptions& options, QWidget* parent = nullptr);
    QCheckBox* Namecheck = nullptr;
    QCheckBox* TitleCheck = nullptr;
    QCheckBox* CompanyCheck = nullptr;
    QCheckBox* StreetCheck = nullptr;
    QCheckBox* Street2Check = nullptr;
    QCheckBox* CityStateCheck = nullptr;
    QCheckBox* ZipCheck = nullptr;
    QCheckBox* PhoneCheck = nullptr;
    QCheckBox* CountryCheck = nullptr;
    QCheckBox* Uppercasecheck = nullptr;
    QRadioButton* rAfterState = nullptr;
    QRadioButton* rBeforecity = nullptr;
    QRadioButton* rAftercountry = nullptr;
    QRadioButton* rBeforecountry = nullptr;
    DialogButtons buttons;
    AddressOptions Options() const;
};

} // namespace layout
