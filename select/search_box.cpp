#include "select/search_box.h"

#include "platform/help.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSearchBox::TSearchBox(const QString& orderCaption, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Search");
    setFixedSize(340, 150);
    SearchForLabel = new QLabel("Search for " + orderCaption, this);
    SearchForLabel->setObjectName("SearchForLabel");
    SearchForLabel->setGeometry(12, 10, 316, 20);
    SearchForEdit = new QLineEdit(this);
    SearchForEdit->setObjectName("SearchForEdit");
    SearchForEdit->setGeometry(12, 32, 316, 22);
    auto* note = new QLabel(
        "(If you want to search on another field, select that field from the sort menu)", this);
    note->setObjectName("NoteLabel");
    note->setWordWrap(true);
    note->setGeometry(12, 58, 316, 36);
    const struct {
        const char* caption;
        const char* name;
        int x;
    } buttons[] = {
        {"Ok", "OkButton", 12}, {"Cancel", "CancelButton", 120}, {"Help", "HelpButton", 228}};
    for (const auto& b : buttons) {
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(b.name);
        button->setGeometry(b.x, 108, 100, 27);
    }
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
