#include "select/address_query_form.h"

#include "platform/help.h"
#include "platform/system_services.h"
#include "platform/whats_this.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace selection {

namespace {

constexpr int Margin = 8;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int NoteHeight = 15;
constexpr int HintHeight = 58;

// What each box finds, in box order; the ways of writing a criterion follow in every box.
constexpr std::array<const char*, CriterionCount> boxTexts{
    "Records whose last name begins with this text.",
    "Records whose first name begins with this text.",
    "Records whose title begins with this text.",
    "Records whose organization begins with this text.",
    "Records whose first address line begins with this text.",
    "Records whose second address line begins with this text.",
    "Records whose ZIP or postal code begins with this text; 221 finds every ZIP from 22100 "
    "to 22199.",
    "Records whose city begins with this text.",
    "Records whose state begins with this text.",
    "Records whose country begins with this text.",
    "Records whose first phone number begins with this text.",
    "Records whose second phone number begins with this text.",
    "Records whose fax number begins with this text.",
    "Records whose e-mail address begins with this text.",
    "Records whose date begins with this text, typed as YYYYMMDD: 1997 finds every date in 1997, "
    ">=19970101 every date from then on.",
    "Records whose codes begin with this text; $C finds every record whose codes contain C.",
    "Records whose first comment begins with this text.",
    "Records whose second comment begins with this text.",
};

const char* const criterionTips =
    "\n\nType $ first to find the text anywhere in the field. Separate values with ; to find "
    "either, with + to need both, with ^ to leave out what follows. Start with >, >=, < or <= "
    "to compare. Letter case does not matter.";

} // namespace

MirrorEntry MirrorOf(const QWidget& label, const QWidget& box) {
    QString caption;
    if (const auto* text = qobject_cast<const QLabel*>(&label))
        caption = text->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(&label))
        caption = button->text();
    caption.remove(u'&');
    return {caption, label.geometry(), box.geometry()};
}

const QString TAddressQueryForm::DateHint =
    "Note: enter dates in the form: YYYYMMDD\n(i.e. 19970428 for April 28, 1997)";
const QString TAddressQueryForm::HintText =
    "Hint: to look for only part of a value, first type in a $ and then the value to look for. "
    "As an example, to find all records containing the code letter C in the Codes field, type in "
    "$C. Right click on any field or press HELP for more helpful tips";

TAddressQueryForm::TAddressQueryForm(const FilterFormLayout& layout, TestFunction test,
                                     QWidget* parent)
    : QDialog(parent), test_(std::move(test)) {
    setObjectName("AddressQueryForm");
    setWindowTitle("Address Filter");
    build(layout);
}

void TAddressQueryForm::build(const FilterFormLayout& layout) {
    CountLabel = new QLabel(this);
    CountLabel->setObjectName("CountLabel");
    CountLabel->setGeometry(Margin, 4, 300, 17);

    int bottom = TopOffset;
    for (std::size_t i = 0; i < CriterionCount; ++i) {
        const CriterionInfo& info = Criteria()[i];
        const MirrorEntry& entry = layout.entries[i];
        const int down = TopOffset + (info.onNamePanel ? 0 : layout.namePanelHeight);
        auto* box = new QLineEdit(this);
        box->setObjectName(info.boxName);
        box->setGeometry(entry.box.translated(0, down));
        auto* label = new QLabel(entry.caption, this);
        label->setObjectName(QString(info.boxName) + "Label");
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(entry.label.translated(0, down));
        label->setBuddy(box);
        // The caption explains its box as well.
        const QString whatsThis = QString(boxTexts[i]) + criterionTips;
        platform::GiveWhatsThis(*box, whatsThis);
        platform::GiveWhatsThis(*label, whatsThis);
        boxes_[i] = box;
        bottom = std::max({bottom, box->geometry().bottom() + 1, label->geometry().bottom() + 1});
    }

    QLineEdit* date = box(Criterion::Date);
    date->setToolTip(DateHint);
    date->installEventFilter(this);
    DateNote = new QLabel("(YYYYMMDD)", this);
    DateNote->setObjectName("DateNote");
    DateNote->setGeometry(date->x(), date->geometry().bottom() + 1, date->width(), NoteHeight);
    DateNote->hide();
    bottom = std::max(bottom, DateNote->geometry().bottom() + 1);

    qTagged = new QCheckBox("Tagged", this);
    qTagged->setObjectName("qTagged");
    if (layout.tagged.isEmpty())
        qTagged->setGeometry(box(Criterion::Comment2)->x(), bottom + 4, 100, 21);
    else
        qTagged->setGeometry(layout.tagged.translated(0, TopOffset + layout.namePanelHeight));
    bottom = std::max(bottom, qTagged->geometry().bottom() + 1);

    platform::GiveWhatsThis(*qTagged, "Only the records you tagged. Ticked alone, it selects "
                                      "exactly the tagged records.");
    platform::GiveWhatsThis(*CountLabel, "How many records the criteria matched when last tested.");

    const int buttonsTop = bottom + Margin;
    const struct {
        const char* caption;
        const char* name;
        void (TAddressQueryForm::*click)();
        const char* whatsThis;
    } buttons[] = {
        {"Test", "qSetFilterButton", &TAddressQueryForm::qSetFilterButtonClick,
         "Count the records that match, and keep the dialog open."},
        {"Ok", "OkButton", &TAddressQueryForm::OkButtonClick,
         "Set this filter and close. When no record matches, the dialog beeps and stays open."},
        {"Clear", "qClearButton", &TAddressQueryForm::qClearButtonClick,
         "Empty every box and untick Tagged, so that every record shows."},
        {"Cancel", "CancelButton", &TAddressQueryForm::reject,
         "Close and keep the filter that was set before."},
        {"Help", "HelpButton", &TAddressQueryForm::HelpButtonClick, "Show help on the filter."},
    };
    const int whatsThisWidth = ButtonHeight;
    int x = FormWidth - Margin - int(std::size(buttons)) * (ButtonWidth + 6) - whatsThisWidth;
    for (const auto& b : buttons) {
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(b.name);
        button->setGeometry(x, buttonsTop, ButtonWidth, ButtonHeight);
        button->setAutoDefault(false);
        platform::GiveWhatsThis(*button, b.whatsThis);
        connect(button, &QPushButton::clicked, this, b.click);
        x += ButtonWidth + 6;
    }
    platform::NewWhatsThisButton(this)->setGeometry(x, buttonsTop, whatsThisWidth, ButtonHeight);
    findChild<QPushButton*>("OkButton")->setDefault(true);

    auto* hintPanel = new QFrame(this);
    hintPanel->setObjectName("HintPanel");
    hintPanel->setFrameShape(QFrame::StyledPanel);
    const int hintTop = buttonsTop + ButtonHeight + Margin;
    hintPanel->setGeometry(Margin, hintTop, FormWidth - 2 * Margin, HintHeight);
    auto* hint = new QLabel(HintText, hintPanel);
    hint->setObjectName("HintLabel");
    hint->setWordWrap(true);
    hint->setGeometry(6, 4, hintPanel->width() - 12, HintHeight - 8);

    setFixedSize(FormWidth, hintTop + HintHeight + Margin);
}

void TAddressQueryForm::setVars(const QueryVars& vars) {
    for (std::size_t i = 0; i < CriterionCount; ++i)
        boxes_[i]->setText(vars.values[i]);
    qTagged->setChecked(vars.tagged);
}

QueryVars TAddressQueryForm::vars() const {
    QueryVars vars;
    for (std::size_t i = 0; i < CriterionCount; ++i)
        vars.values[i] = boxes_[i]->text();
    vars.tagged = qTagged->isChecked();
    return vars;
}

void TAddressQueryForm::qSetFilterButtonClick() {
    CountLabel->setText("Searching...");
    // Lets the label show before a long count.
    QApplication::processEvents();
    answer_ = test_ ? test_(vars()) : TestAnswer{};
    CountLabel->setText(answer_.filterSet ? QString::number(answer_.count) + " matches"
                                          : QString("No filter set"));
}

void TAddressQueryForm::OkButtonClick() {
    qSetFilterButtonClick();
    if (answer_.count > 0 || !answer_.filterSet)
        accept();
    else
        platform::Beep();
}

void TAddressQueryForm::qClearButtonClick() {
    for (QLineEdit* box : boxes_)
        box->clear();
    qTagged->setChecked(false);
    qSetFilterButtonClick();
}

void TAddressQueryForm::HelpButtonClick() {
    platform::ShowHelpTopic(HelpTopic);
}

bool TAddressQueryForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box(Criterion::Date)) {
        if (event->type() == QEvent::FocusIn)
            DateNote->show();
        else if (event->type() == QEvent::FocusOut)
            DateNote->hide();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace selection
