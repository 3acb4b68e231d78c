// Builds the controls of the main window. The window has a fixed size, so controls are placed
// at fixed positions as on a designed form.
#include "app/address_main.h"

#include "app/edb_edit.h"
#include "controls/insert_mode.h"
#include "data/address_schema.h"
#include "platform/whats_this.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>

namespace {

constexpr int ToolbarHeight = 39;
constexpr int NamePanelHeight = 58;
constexpr int PagesHeight = 232;
constexpr int TabSetHeight = 22;
constexpr int StatusHeight = 15;
constexpr int RowHeight = 26;

QFrame* panel(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(geometry);
    return frame;
}

QLabel* label(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* caption = new QLabel(text, parent);
    caption->setGeometry(geometry);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return caption;
}

} // namespace

QPushButton* TAddressMain::addButton(QWidget* parent, const QString& caption, const QString& name,
                                     const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

TEDBEdit* TAddressMain::addFieldBox(QWidget* parent, const QString& caption, const QString& field,
                                    int x, int y, int labelWidth, int editWidth) {
    const data::FieldSpec* spec = data::FindAddressField(field);
    auto* box = new TEDBEdit(field, spec ? spec->width : 30, parent);
    label(parent, caption, QRect(x, y, labelWidth - 4, 21))->setBuddy(box);
    box->setGeometry(x + labelWidth, y, editWidth, 21);
    fieldBoxes_ << box;
    return box;
}

void TAddressMain::buildToolbar(QWidget* client) {
    Panel1 = panel(client, "Panel1", QRect(0, 0, FormWidth, ToolbarHeight));
    Panel1->setAutoFillBackground(true);
    Panel1->setStyleSheet("#Panel1 { background: #408080; }");
    const struct {
        const char* caption;
        const char* name;
        const char* hint;
    } buttons[] = {
        {"Labels", "LabelsButton", "Click here or press CTRL+L to print/design labels"},
        {"Letters", "LettersButton", "Click here or press CTRL+T to print/design letters"},
        {"Envelopes", "EnvelopesButton", "Click here or press CTRL+E to print/design envelopes"},
        {"Reports", "ReportsButton", "Click here or press CTRL+R to print/design reports"},
        {"Browse", "BrowseButton", "Click here or press CTRL+B for a table view of the database"},
        {"Search", "SearchButton", "Click here or press CTRL+S to search for a specific value"},
        {"Filter", "FilterButton", "Click here or press CTRL+F to set or change a filter"},
    };
    int x = 6;
    for (const auto& b : buttons) {
        QPushButton* button = addButton(Panel1, b.caption, b.name, QRect(x, 5, 74, 29));
        button->setToolTip(b.hint);
        button->setEnabled(false);
        x += 78;
    }
    platform::NewWhatsThisButton(Panel1)->setGeometry(FormWidth - 40, 5, 29, 29);
}

void TAddressMain::buildNamePanel(QWidget* client) {
    NamePanel = panel(client, "NamePanel", QRect(0, ToolbarHeight, FormWidth, NamePanelHeight));
    addFieldBox(NamePanel, "Last", "LNAME", 4, 5, 40, 200);
    addFieldBox(NamePanel, "First", "FNAME", 248, 5, 40, 200);
    // The middle initial is entered and stored in upper case.
    addFieldBox(NamePanel, "MI", "MIDDLE", 492, 5, 40, 24)->setUpperCase(true);
    addFieldBox(NamePanel, "Prefix", "PREFIX", 4, 31, 40, 90);
    addFieldBox(NamePanel, "Title", "TITLE", 138, 31, 40, 180);
    addFieldBox(NamePanel, "Org", "ORG", 362, 31, 40, 204);
}

void TAddressMain::buildPages(QWidget* client) {
    const int top = ToolbarHeight + NamePanelHeight;
    Notebook = new QStackedWidget(client);
    Notebook->setObjectName("Notebook");
    Notebook->setGeometry(0, top, FormWidth, PagesHeight);

    auto* address = new QFrame;
    address->setObjectName("AddressPage");
    address->setFrameShape(QFrame::StyledPanel);
    const struct {
        const char* caption;
        const char* field;
    } left[] = {{"Address 1", "STREET"},    {"Address 2", "STREET2"},  {"City", "CITY"},
                {"State or Prov", "STATE"}, {"Zip or Postal ", "ZIP"}, {"Country", "COUNTRY"}};
    int y = 8;
    for (const auto& row : left) {
        addFieldBox(address, row.caption, row.field, 4, y, 84, 220);
        y += RowHeight;
    }
    addButton(address, "Date", "DateButton", QRect(50, y, 38, 21))->setEnabled(false);
    auto* displayDate = new QLineEdit(address);
    displayDate->setObjectName("DisplayDateEdit");
    displayDate->setReadOnly(true);
    displayDate->setGeometry(88, y, 100, 21);

    const struct {
        const char* caption;
        const char* field;
        const char* dial;
        const char* dialName;
    } right[] = {{"Phone 1", "PHONE", "Dial Phone &1", "DialPhone1Button"},
                 {"Phone 2", "PHONE2", "Dial Phone &2", "DialPhone2Button"},
                 {"Fax", "FAX", nullptr, nullptr},
                 {"E-mail", "EMAIL", nullptr, nullptr},
                 {"Codes", "CODES", nullptr, nullptr},
                 {"Comment 1", "USER1", nullptr, nullptr},
                 {"Comment 2", "USER2", nullptr, nullptr}};
    y = 8;
    for (const auto& row : right) {
        addFieldBox(address, row.caption, row.field, 312, y, 66, row.dial ? 136 : 220);
        if (row.dial)
            addButton(address, row.dial, row.dialName, QRect(518, y, 84, 21))->setEnabled(false);
        y += RowHeight;
    }
    TaggedCheck = new QCheckBox("Tagged", address);
    TaggedCheck->setObjectName("TaggedCheck");
    TaggedCheck->setGeometry(378, y, 100, 21);
    TaggedCheck->setEnabled(false);
    Notebook->addWidget(address);

    auto* memoPage = new QFrame;
    memoPage->setObjectName("MemoPage");
    memoPage->setFrameShape(QFrame::StyledPanel);
    new QLabel("Memo", memoPage);
    MemoEdit = new QPlainTextEdit(memoPage);
    MemoEdit->setObjectName("MemoEdit");
    InstallOvertype(MemoEdit);
    MemoEdit->setGeometry(6, 6, FormWidth - 12, PagesHeight - 46);
    addButton(memoPage, "Search &Memo", "SearchMemoButton", QRect(6, PagesHeight - 34, 100, 25))
        ->setEnabled(false);
    FindNextButton =
        addButton(memoPage, "Find &Next", "FindNextButton", QRect(112, PagesHeight - 34, 100, 25));
    FindNextButton->hide();
    Notebook->addWidget(memoPage);

    TabSet = new QTabBar(client);
    TabSet->setObjectName("TabSet");
    TabSet->setShape(QTabBar::RoundedSouth);
    TabSet->addTab("Address &Information");
    TabSet->addTab("&Memo");
    TabSet->setGeometry(0, top + PagesHeight, FormWidth, TabSetHeight);
    connect(TabSet, &QTabBar::currentChanged, Notebook, &QStackedWidget::setCurrentIndex);

    FilterStatus = new QLabel(client);
    FilterStatus->setObjectName("FilterStatus");
    FilterStatus->setAutoFillBackground(true);
    FilterStatus->setStyleSheet("#FilterStatus { background: #FFFF80; padding-left: 4px; }");
    FilterStatus->setGeometry(0, top + PagesHeight + TabSetHeight, FormWidth, StatusHeight);
    FilterStatus->hide();
}

void TAddressMain::buildBottomPanel(QWidget* client) {
    const int top = ToolbarHeight + NamePanelHeight + PagesHeight + TabSetHeight + StatusHeight;
    Panel5 = panel(client, "Panel5", QRect(0, top, FormWidth, client->height() - top));
    Panel5->setAutoFillBackground(true);
    Panel5->setStyleSheet("#Panel5 { background: #C0C0C0; }");
    const int y = 6;
    QPushButton* exit = addButton(Panel5, "E&xit", "ExitButton", QRect(6, y, 60, 27));
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    const struct {
        const char* caption;
        const char* name;
    } moves[] = {
        {"|<", "FirstButton"}, {"<", "PriorButton"}, {">", "NextButton"}, {">|", "LastButton"}};
    int x = 90;
    for (const auto& move : moves) {
        addButton(Panel5, move.caption, move.name, QRect(x, y, 36, 27))->setEnabled(false);
        x += 38;
    }
    x += 24;
    for (const auto& [caption, name] :
         {std::pair{"&Add", "AddButton"}, std::pair{"&Edit", "EditButton"},
          std::pair{"&Delete", "DeleteButton"}}) {
        addButton(Panel5, caption, name, QRect(x, y, 64, 27))->setEnabled(false);
        x += 68;
    }
    // Save and Cancel take the place of Add and Edit while a record is edited.
    SaveButton = addButton(Panel5, "&Save", "SaveButton", QRect(x - 3 * 68, y, 64, 27));
    CancelButton = addButton(Panel5, "&Cancel", "CancelButton", QRect(x - 2 * 68, y, 64, 27));
    SaveButton->hide();
    CancelButton->hide();
    ClearFilterButton =
        addButton(Panel5, "Clear Filter", "ClearFilterButton", QRect(FormWidth - 96, y, 88, 27));
    ClearFilterButton->hide();
}
