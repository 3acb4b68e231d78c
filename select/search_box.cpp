#include "select/search_box.h"

#include "platform/help.h"
#include "platform/whats_this.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TSearchBox::TSearchBox(const QString& orderCaption, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Search");
    setFixedSize(376, 150);
    SearchForLabel = new QLabel("Search for " + orderCaption, this);
    SearchForLabel->setObjectName("SearchForLabel");
    SearchForLabel->setGeometry(12, 10, 352, 20);
    SearchForEdit = new QLineEdit(this);
    SearchForEdit->setObjectName("SearchForEdit");
    SearchForEdit->setGeometry(12, 32, 352, 22);
    auto* note = new QLabel(
        "(If you want to search on another field, select that field from the sort menu)", this);
    note->setObjectName("NoteLabel");
    note->setWordWrap(true);
    note->setGeometry(12, 58, 352, 36);
    const QString boxText = "The beginning of the value to find in the current sort order; letter "
                            "case does not matter. On Last Name, joh finds the first last name "
                            "beginning with JOH.";
    platform::GiveWhatsThis(*SearchForEdit, boxText);
    platform::GiveWhatsThis(*SearchForLabel, boxText);
    platform::GiveWhatsThis(*note, "The search uses the sort order. Choose another order from the "
                                   "Sort menu to search on another field.");
    const struct {
        const char* caption;
        const char* name;
        int x;
        const char* whatsThis;
    } buttons[] = {
        {"Ok", "OkButton", 12,
         "Go to the first record whose value begins with this text. When there is none, the "
         "record shown stays."},
        {"Cancel", "CancelButton", 120, "Close without searching."},
        {"Help", "HelpButton", 228, "Show help on searching."},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(b.name);
        button->setGeometry(b.x, 108, 100, 27);
        platform::GiveWhatsThis(*button, b.whatsThis);
    }
    platform::NewWhatsThisButton(this)->setGeometry(337, 108, 27, 27);
    auto* ok = findChild<QPushButton*>("OkButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(findChild<QPushButton*>("CancelButton"), &QPushButton::clicked, this, &QDialog::reject);
    connect(findChild<QPushButton*>("HelpButton"), &QPushButton::clicked, this,
            [] { platform::ShowHelpTopic(HelpTopic); });
    SearchForEdit->setFocus();
}

QString TSearchBox::text() const {
    return SearchForEdit->text();
}
