#include "exchange/match_dialog.h"

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/whats_this.h"

#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>

TFieldMatchBase::TFieldMatchBase(Setup setup, const exchange::FieldMatch& match, QWidget* parent)
    : QDialog(parent), setup_(std::move(setup)), match_(match) {
    setWindowTitle(setup_.caption);
    setFixedSize(560, 460);
    auto* sampleTitle = new QLabel(setup_.sampleTitle, this);
    sampleTitle->setGeometry(12, 8, 536, 18);
    SampleGrid = new QTableWidget(this);
    SampleGrid->setObjectName(setup_.sampleGridName);
    SampleGrid->setGeometry(12, 28, 536, 130);
    SampleGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SampleGrid->setStyleSheet("QHeaderView::section { background-color: #c0c0c0; }");
    SampleGrid->setColumnCount(setup_.sources.size());
    SampleGrid->setHorizontalHeaderLabels(setup_.sources);
    SampleGrid->setRowCount(int(setup_.sample.size()));
    for (int r = 0; r < int(setup_.sample.size()); ++r)
        for (int c = 0; c < int(setup_.sample[std::size_t(r)].size()) && c < setup_.sources.size();
             ++c)
            SampleGrid->setItem(r, c,
                                new QTableWidgetItem(QString::fromStdString(
                                    setup_.sample[std::size_t(r)][std::size_t(c)])));
    for (int c = 0; c < int(setup_.sampleWidths.size()) && c < setup_.sources.size(); ++c)
        SampleGrid->setColumnWidth(c, setup_.sampleWidths[std::size_t(c)]);

    auto* matchTitle = new QLabel("Field Match", this);
    matchTitle->setGeometry(12, 166, 536, 18);
    ImportGrid = new QTableWidget(int(setup_.rows.size()), 2, this);
    ImportGrid->setObjectName("ImportGrid");
    ImportGrid->setGeometry(12, 186, 400, 262);
    ImportGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ImportGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ImportGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ImportGrid->setHorizontalHeaderLabels(
        {"Corvane Field", "Import from Field (in " + setup_.fileName + ")"});
    // The source column is as wide as its title with the file's name in it, and fills the rest
    // of the grid when that is shorter; a long name scrolls instead of being cut off.
    ImportGrid->setColumnWidth(0, 150);
    ImportGrid->setColumnWidth(1,
                               std::max(ImportGrid->horizontalHeader()->sectionSizeHint(1), 226));
    for (int r = 0; r < int(setup_.rows.size()); ++r)
        ImportGrid->setItem(r, 0, new QTableWidgetItem(setup_.rows[std::size_t(r)].label));
    ImportGrid->setCurrentCell(0, 0);

    auto button = [this](const QString& caption, const char* name, int y) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(424, y, 124, 27);
        return b;
    };
    SelectFieldButton = button("&Select Field", "SelectFieldButton", 186);
    ClearCurrentButton = button("&Clear Current", "ClearCurrentButton", 220);
    ClearAllButton = button("Clear &All", "ClearAllButton", 254);
    OkButton = button("Ok", "OkButton", 320);
    CancelButton = button("Cancel", "CancelButton", 354);
    HelpButton = button("Help", "HelpButton", 388);
    platform::NewWhatsThisButton(this)->setGeometry(521, 421, 27, 27);
    OkButton->setDefault(true);

    connect(SelectFieldButton, &QPushButton::clicked, this, [this] { SelectFieldClick(); });
    connect(ImportGrid, &QTableWidget::cellDoubleClicked, this, [this] { SelectFieldClick(); });
    connect(ClearCurrentButton, &QPushButton::clicked, this, [this] {
        if (ImportGrid->currentRow() >= 0)
            match_.clear(ImportGrid->currentRow());
        showMatch();
    });
    connect(ClearAllButton, &QPushButton::clicked, this, [this] {
        match_.clearAll();
        showMatch();
    });
    connect(OkButton, &QPushButton::clicked, this, [this] { done(platform::ResultOk); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(platform::ResultCancel); });
    const int topic = setup_.helpTopic;
    connect(HelpButton, &QPushButton::clicked, this, [topic] { platform::ShowHelpTopic(topic); });

    platform::GiveWhatsThis(*SampleGrid, "The first records of the file, for reference.");
    platform::GiveWhatsThis(*ImportGrid, "Each Corvane field and the column of the file that "
                                         "fills it. Double-click a row to choose its column.");
    platform::GiveWhatsThis(*SelectFieldButton, "Choose the column that fills the selected field.");
    platform::GiveWhatsThis(*ClearCurrentButton, "The selected field takes no column.");
    platform::GiveWhatsThis(*ClearAllButton, "No field takes a column.");
    platform::GiveWhatsThis(*OkButton, "Keep this matching.");
    platform::GiveWhatsThis(*CancelButton, "Leave the matching as it was.");
    platform::GiveWhatsThis(*HelpButton, "Show help on matching fields.");
    showMatch();
}

void TFieldMatchBase::showMatch() {
    for (int r = 0; r < match_.rowCount(); ++r) {
        const int source = match_.source(r);
        ImportGrid->setItem(r, 1,
                            new QTableWidgetItem(source >= 0 ? setup_.sources.value(source) : ""));
    }
}

void TFieldMatchBase::SelectFieldClick() {
    const int row = ImportGrid->currentRow();
    if (row < 0)
        return;
    QMenu menu(this);
    menu.setObjectName("SelectFieldMenu");
    QAction* none = menu.addAction("(none)");
    none->setCheckable(true);
    none->setChecked(match_.source(row) < 0);
    QList<std::pair<QAction*, int>> choices;
    for (int s = 0; s < setup_.sources.size(); ++s) {
        if (setup_.fits && !setup_.fits(row, s))
            continue;
        QAction* action = menu.addAction(setup_.sources[s]);
        action->setCheckable(true);
        action->setChecked(match_.source(row) == s);
        choices.append({action, s});
    }
    QAction* chosen = menu.exec(QCursor::pos());
    if (!chosen)
        return;
    if (chosen == none) {
        match_.clear(row);
    } else {
        for (const auto& [action, source] : choices)
            if (action == chosen)
                match_.assign(row, source);
    }
    showMatch();
}
