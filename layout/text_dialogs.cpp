#include "layout/text_dialogs.h"

#include "platform/whats_this.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

namespace layout {

namespace {

template <typename T> T* named(T* control, const char* name, const char* help) {
    control->setObjectName(QString::fromLatin1(name));
    platform::GiveWhatsThis(*control, QString::fromLatin1(help));
    return control;
}

} // namespace

// --- text ------------------------------------------------------------------------------------

TGetLabelText::TGetLabelText(const QString& caption, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GetLabelText"));
    setWindowTitle(QStringLiteral("Text"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Enter Text"), this));
    LabelText = named(new QLineEdit(caption, this), "LabelText", "The text the object shows.");
    layout->addWidget(LabelText);
    buttons = AddDialogButtons(*this, *layout, HelpTopic);
}

// --- field -----------------------------------------------------------------------------------

TFieldSelectionBox::TFieldSelectionBox(const QStringList& descriptions, const QString& current,
                                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FieldSelectionBox"));
    setWindowTitle(QStringLiteral("Select Field"));
    auto* layout = new QVBoxLayout(this);
    ListOfFields = named(new QListWidget(this), "ListOfFields",
                         "The fields of the address file; the object shows the one chosen.");
    ListOfFields->addItems(descriptions);
    const qsizetype at = descriptions.indexOf(current);
    if (!descriptions.isEmpty())
        ListOfFields->setCurrentRow(at >= 0 ? int(at) : 0);
    layout->addWidget(ListOfFields);
    buttons = AddDialogButtons(*this, *layout, HelpTopic);
    connect(ListOfFields, &QListWidget::itemDoubleClicked, this,
            [this] { buttons.OKButton->click(); });
}

QString TFieldSelectionBox::Chosen() const {
    const QListWidgetItem* item = ListOfFields->currentItem();
    return item ? item->text() : QString();
}

// --- counter ---------------------------------------------------------------------------------

TGetCounter::TGetCounter(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GetCounter"));
    setWindowTitle(QStringLiteral("Counter"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    TextBefore = named(new QLineEdit(this), "TextBefore", "Text printed before the number.");
    StartingNumber =
        named(new QSpinBox(this), "StartingNumber", "The number of the first label printed.");
    StartingNumber->setRange(INT_MIN, INT_MAX);
    RepeatFor =
        named(new QSpinBox(this), "RepeatFor", "How many labels in a row print the same number.");
    RepeatFor->setRange(1, 999);
    TextAfter = named(new QLineEdit(this), "TextAfter", "Text printed after the number.");
    form->addRow(QStringLiteral("Text  before"), TextBefore);
    form->addRow(QStringLiteral("Starting Number"), StartingNumber);
    form->addRow(QStringLiteral("Repeat number for #of  labels?"), RepeatFor);
    form->addRow(QStringLiteral("Text after"), TextAfter);
    layout->addLayout(form);
    buttons = AddDialogButtons(*this, *layout, HelpTopic);
}

// --- multi-line text -------------------------------------------------------------------------

int StoredLength(const QString& text) {
    return int(text.size() + text.count(QLatin1Char('\n')));
}

TMultiLineTextEditor::TMultiLineTextEditor(const QStringList& lines, const QFont& font,
                                           QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("MultiLineTextEditor"));
    setWindowTitle(QStringLiteral("Multi-line Text Editor"));
    auto* layout = new QVBoxLayout(this);
    Memo = named(new QPlainTextEdit(this), "Memo", "The lines the object shows.");
    Memo->setFont(font);
    accepted_ = lines.join(QLatin1Char('\n'));
    if (StoredLength(accepted_) > MaxLength)
        accepted_ = accepted_.left(MaxLength);
    Memo->setPlainText(accepted_);
    // Typing past the limit is refused, as a text box with a maximum length refuses it.
    connect(Memo, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = Memo->toPlainText();
        if (StoredLength(text) <= MaxLength) {
            accepted_ = text;
            return;
        }
        const int cursor = Memo->textCursor().position() - int(text.size() - accepted_.size());
        const QSignalBlocker quiet(Memo);
        Memo->setPlainText(accepted_);
        QTextCursor at = Memo->textCursor();
        at.setPosition(std::clamp(cursor, 0, int(accepted_.size())));
        Memo->setTextCursor(at);
    });
    layout->addWidget(Memo);
    buttons = AddDialogButtons(*this, *layout, HelpTopic);
}

QStringList TMultiLineTextEditor::Lines() const {
    const QString text = Memo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

// --- address layout --------------------------------------------------------------------------

TAddressLayout::TAddressLayout(const AddressOptions& o, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AddressLayout"));
    setWindowTitle(QStringLiteral("Address Label Layout"));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    auto* lines = new QVBoxLayout;
    const auto check = [&](const char* text, const char* name, const char* help, bool on) {
        auto* box = named(new QCheckBox(QString::fromLatin1(text), this), name, help);
        box->setChecked(on);
        lines->addWidget(box);
        return box;
    };
    Namecheck =
        check("&Name", "Namecheck", "Show the prefix, first, middle and last name.", o.useName);
    TitleCheck = check("&Title", "TitleCheck", "Show the title.", o.useTitle);
    CompanyCheck = check("&Organization", "CompanyCheck", "Show the organization.", o.useCompany);
    StreetCheck = check("Address &1", "StreetCheck", "Show the first address line.", o.useStreet);
    Street2Check =
        check("Address &2", "Street2Check", "Show the second address line.", o.useStreet2);
    CityStateCheck =
        check("City + &State", "CityStateCheck", "Show the city and the state.", o.useCityState);
    ZipCheck = check("&Zip/Postal code", "ZipCheck", "Show the ZIP or postal code.", o.useZip);
    PhoneCheck = check("&Phone #1", "PhoneCheck", "Show the first phone number.", o.usePhone);
    CountryCheck = check("&Country", "CountryCheck", "Show the country.", o.useCountry);
    Uppercasecheck =
        check("&Uppercase", "Uppercasecheck", "Print every line in capitals.", o.upperCase);
    columns->addLayout(lines);

    auto* place = new QGroupBox(this);
    auto* places = new QVBoxLayout(place);
    const auto radio = [&](const char* text, const char* name, const char* help,
                           TZipFormatOptions value) {
        auto* button = named(new QRadioButton(QString::fromLatin1(text), place), name, help);
        button->setChecked(o.zipOptions == value);
        places->addWidget(button);
        return button;
    };
    rAfterState =
        radio("&After state", "rAfterState", "The ZIP code follows the state.", zoAfterState);
    rBeforecity =
        radio("&Before city", "rBeforecity", "The ZIP code comes before the city.", zoBeforeCity);
    rAftercountry = radio("A&fter country", "rAftercountry", "The ZIP code follows the country.",
                          zoAfterCountry);
    rBeforecountry = radio("B&efore country", "rBeforecountry",
                           "The ZIP code comes before the country.", zoBeforeCountry);
    columns->addWidget(place);
    layout->addLayout(columns);
    // The places are chosen only while the ZIP code is shown.
    const auto enablePlaces = [this] {
        for (QRadioButton* button : {rAfterState, rBeforecity, rAftercountry, rBeforecountry})
            button->setEnabled(ZipCheck->isChecked());
    };
    enablePlaces();
    connect(ZipCheck, &QCheckBox::toggled, this, enablePlaces);
    buttons = AddDialogButtons(*this, *layout, HelpTopic);
}

AddressOptions TAddressLayout::Options() const {
    AddressOptions o;
    o.useName = Namecheck->isChecked();
    o.useTitle = TitleCheck->isChecked();
    o.useCompany = CompanyCheck->isChecked();
    o.useStreet = StreetCheck->isChecked();
    o.useStreet2 = Street2Check->isChecked();
    o.useCityState = CityStateCheck->isChecked();
    o.useZip = ZipCheck->isChecked();
    o.usePhone = PhoneCheck->isChecked();
    o.useCountry = CountryCheck->isChecked();
    o.upperCase = Uppercasecheck->isChecked();
    o.zipOptions = rBeforecity->isChecked()      ? zoBeforeCity
                   : rAftercountry->isChecked()  ? zoAfterCountry
                   : rBeforecountry->isChecked() ? zoBeforeCountry
                                                 : zoAfterState;
    return o;
}

} // namespace layout
