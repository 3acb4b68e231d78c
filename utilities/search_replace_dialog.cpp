#include "utilities/search_replace_dialog.h"

#include "data/table_object.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/whats_this.h"
#include "utilities/pass_monitor.h"
#include "utilities/utility_dialog_parts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace utilities {

namespace {

struct Choice {
    const char* caption;
    const char* name;
    QRadioButton** button;
    const char* whatsThis;
};

QGroupBox* choices(QWidget* parent, const QString& title, const char* name,
                   const QString& whatsThis, std::initializer_list<Choice> items) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    platform::GiveWhatsThis(*group, whatsThis);
    auto* column = new QVBoxLayout(group);
    for (const Choice& item : items) {
        *item.button = new QRadioButton(item.caption, group);
        (*item.button)->setObjectName(item.name);
        platform::GiveWhatsThis(**item.button, item.whatsThis);
        column->addWidget(*item.button);
    }
    (*items.begin()->button)->setChecked(true);
    return group;
}

QLineEdit* valueEdit(QWidget* parent, QVBoxLayout* layout, const char* name,
                     const QString& whatsThis) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel("Value:", parent);
    label->setObjectName(QString(name) + "Label");
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    label->setBuddy(edit);
    platform::GiveWhatsThis(*label, whatsThis);
    platform::GiveWhatsThis(*edit, whatsThis);
    row->addWidget(label);
    row->addWidget(edit, 1);
    layout->addLayout(row);
    return edit;
}

} // namespace

TSearchAndReplace::TSearchAndReplace(data::TTable& table, data::TXbEngine& engine,
                                     const QString& filter, QWidget* parent)
    : QDialog(parent), table_(table), engine_(engine), filter_(filter) {
    setObjectName("SearchAndReplace");
    setWindowTitle("Search and Replace");
    auto* layout = new QVBoxLayout(this);
    Options = new QFrame(this);
    Options->setObjectName("Options");
    auto* options = new QVBoxLayout(Options);
    options->setContentsMargins(0, 0, 0, 0);

    auto* target = new QHBoxLayout;
    auto* targetLabel = new QLabel("Search for field:", Options);
    targetLabel->setObjectName("TargetFieldLabel");
    TargetField = new QComboBox(Options);
    TargetField->setObjectName("TargetField");
    for (const ReplaceField& field : ReplaceFields())
        TargetField->addItem(field.displayName, QString(field.field));
    targetLabel->setBuddy(TargetField);
    platform::GiveWhatsThis(*targetLabel, "The field that is searched and replaced.");
    platform::GiveWhatsThis(*TargetField, "The field that is searched and replaced.");
    target->addWidget(targetLabel);
    target->addWidget(TargetField, 1);
    options->addLayout(target);

    QGroupBox* find = choices(
        Options, "Find records where the field", "FindGroup",
        "How the field is compared with the value looked for.",
        {{"Is exactly equal to  (leave empty for blank)", "FindExact", &FindExact,
          "The whole field equals the value; an empty value finds empty fields."},
         {"Begins with", "FindBegins", &FindBegins,
          "The field begins with the value; an empty value finds empty fields."},
         {"Contains", "FindPartial", &FindPartial, "The value appears anywhere in the field."}});
    auto* findColumn = static_cast<QVBoxLayout*>(find->layout());
    FindValue = valueEdit(find, findColumn, "FindValue", "The text looked for.");
    CaseSensitive = new QCheckBox("Case sensitive", find);
    CaseSensitive->setObjectName("CaseSensitive");
    CaseSensitive->setChecked(true);
    platform::GiveWhatsThis(*CaseSensitive,
                            "Capitals and small letters must agree; cleared, the letters a to z "
                            "match their capitals.");
    findColumn->addWidget(CaseSensitive);
    auto* columns = new QHBoxLayout;
    columns->addWidget(find, 1);
    auto* right = new QVBoxLayout;
    columns->addLayout(right, 1);
    options->addLayout(columns);

    QGroupBox* replace = choices(
        Options, "Replace", "ReplaceGroup", "What the found fields get.",
        {{"Replace the whole field with", "ReplaceWhole", &ReplaceWhole,
          "The found field gets the value below; an empty value empties it."},
         {"Replace only the matching text with", "ReplacePartial", &ReplacePartial,
          "Each occurrence of the value looked for is replaced; the rest of the field stays."}});
    ReplaceValue = valueEdit(replace, static_cast<QVBoxLayout*>(replace->layout()), "ReplaceValue",
                             "The replacement text.");
    right->addWidget(replace);

    QGroupBox* records =
        choices(Options, "Records", "RecordsGroup", "Which records are searched.",
                {{"All Records", "ReplaceAll", &ReplaceAll, "Search every record."},
                 {"Records matching current Filter", "ReplaceFilter", &ReplaceFilter,
                  "Search only the records the filter shows."}});
    ReplaceFilter->setEnabled(!filter.isEmpty());
    right->addWidget(records);
    layout->addWidget(Options);

    const StopRow stopRow = AddStopRow(this, layout, "Replacing Records ",
                                       "The records are being searched and replaced.",
                                       "How far the search has gone through the records.",
                                       "Stop after the record in hand, after asking. The "
                                       "records after it stay as they are.");
    ProgressLabel = stopRow.label;
    Gauge1 = stopRow.gauge;
    StopButton = stopRow.stop;

    auto* bar = new QHBoxLayout;
    ReplaceButton = AddButton(this, bar, "Replace ", "ReplaceButton",
                              "Replace in the records found, after asking.");
    ReplaceButton->setDefault(true);
    CancelButton = AddButton(this, bar, "Cancel", "CancelButton", "Close without replacing.");
    bar->addStretch(1);
    HelpButton = AddButton(this, bar, "Help", "HelpButton", "Show help on search and replace.");
    WhatsThisButton = platform::NewWhatsThisButton(this);
    bar->addWidget(WhatsThisButton);
    layout->addLayout(bar);

    monitor_ = new TPassMonitor(Gauge1, nullptr, {}, this);
    connect(TargetField, &QComboBox::currentIndexChanged, this,
            &TSearchAndReplace::TargetFieldChange);
    connect(ReplaceButton, &QPushButton::clicked, this, &TSearchAndReplace::ReplaceButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(platform::ResultCancel); });
    connect(StopButton, &QPushButton::clicked, this, &TSearchAndReplace::StopButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    TargetFieldChange();
    // Its size is known before it is centred over the main window.
    adjustSize();
}

// Both values take at most as many characters as the chosen field holds.
void TSearchAndReplace::TargetFieldChange() {
    const data::FieldInfo* field = table_.field(TargetField->currentData().toString());
    const int width = field ? field->size : 0;
    if (width <= 0)
        return;
    FindValue->setMaxLength(width);
    ReplaceValue->setMaxLength(width);
}

ReplaceOptions TSearchAndReplace::options() const {
    ReplaceOptions o;
    o.field = TargetField->currentData().toString();
    o.displayName = TargetField->currentText();
    o.match = FindBegins->isChecked()    ? FindMatch::BeginsWith
              : FindPartial->isChecked() ? FindMatch::Contains
                                         : FindMatch::Exact;
    o.find = FindValue->text();
    o.caseSensitive = CaseSensitive->isChecked();
    o.mode = ReplacePartial->isChecked() ? ReplaceMode::MatchingText : ReplaceMode::WholeField;
    o.with = ReplaceValue->text();
    return o;
}

void TSearchAndReplace::ReplaceButtonClick() {
    const ReplaceOptions o = options();
    if (running_ || !platform::ConfirmYesNo(ReplaceConfirmation(o), "Replace"))
        return;
    HelpButton->hide();
    Options->hide();
    CancelButton->hide();
    ReplaceButton->setEnabled(false);
    ProgressLabel->show();
    Gauge1->setValue(0);
    Gauge1->show();
    StopButton->show();
    running_ = true;
    bool failed = false;
    try {
        result_ = RunSearchAndReplace(table_, engine_, o, filter_, ReplaceFilter->isChecked(),
                                      monitor_->step());
    } catch (const std::exception& error) {
        failed = true;
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
        result_.replaced = monitor_->lastState().found;
    }
    running_ = false;
    platform::ShowInfo("Replaced " + QString::number(result_.replaced) + " records");
    if (!failed)
        platform::ShowInfo("Replacement done");
    done(platform::ResultOk);
}

void TSearchAndReplace::StopButtonClick() {
    if (running_ && AskInformationYesNo("Cancel operation?"))
        monitor_->requestStop();
}

void TSearchAndReplace::reject() {
    if (running_)
        StopButtonClick();
    else
        done(platform::ResultCancel);
}

} // namespace utilities
