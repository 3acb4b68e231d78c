#include "select/address_query_form.h"

#include "platform/system_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace selection {

namespace {

constexpr int Margin = 8;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int NoteHeight = 15;
constexpr int HintHeight = 58;

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

    const int buttonsTop = bottom + Margin;
    const struct {
        const char* caption;
        const char* name;
        void (TAddressQueryForm::*click)();
    } buttons[] = {
        {"Test", "qSetFilterButton", &TAddressQueryForm::qSetFilterButtonClick},
        {"Ok", "OkButton", &TAddressQueryForm::OkButtonClick},
        {"Clear", "qClearButton", &TAddressQueryForm::qClearButtonClick},
        {"Cancel", "CancelButton", &TAddressQueryForm::reject},
    };
    int x = FormWidth - Margin - int(std::size(buttons)) * (ButtonWidth + 6) + 6;
    for (const auto& b : buttons) {
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(b.name);
        button->setGeometry(x, buttonsTop, ButtonWidth, ButtonHeight);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, b.click);
        x += ButtonWidth + 6;
    }
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
