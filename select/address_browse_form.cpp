#include "select/address_browse_form.h"

#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/system_services.h"
#include "platform/whats_this.h"
#include "select/address_grid_model.h"
#include "select/field_list_file.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace selection {

namespace {

// A grid over many records: typing does not search through the rows (that would read them all).
class BrowseGrid : public QTableView {
public:
    using QTableView::QTableView;
    void keyboardSearch(const QString&) override {}
};

void showError(const std::exception& error) {
    platform::ShowInfo(QString::fromLocal8Bit(error.what()));
}

} // namespace

TAddressBrowseForm::TAddressBrowseForm(data::TTable& table, data::TXbEngine& engine,
                                       data::TDataSource& source, std::function<void()> toggleTag,
                                       QWidget* parent)
    : QDialog(parent), table_(table), engine_(engine), source_(source),
      toggleTag_(std::move(toggleTag)) {
    setObjectName("AddressBrowseForm");
    setWindowTitle("Address Browse");
    resize(620, 400);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildGrid();
    buildButtonBar();
    layout->addWidget(DBGrid, 1);
    layout->addWidget(Panel1);
    connect(&source_, &data::TDataSource::dataChanged, this,
            &TAddressBrowseForm::DataSourceDataChange);
    selectCurrentRecord();
    DBGrid->setFocus();
}

TAddressBrowseForm::~TAddressBrowseForm() = default;

void TAddressBrowseForm::buildGrid() {
    DBGrid = new BrowseGrid(this);
    DBGrid->setObjectName("DBGrid");
    model_ = new AddressGridModel(table_, this);
    DBGrid->setModel(model_);
    DBGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    DBGrid->setWordWrap(false);
    // The selection stays as visible as with the focus when the grid loses it.
    QPalette palette = DBGrid->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    DBGrid->setPalette(palette);

    QHeaderView* titles = DBGrid->horizontalHeader();
    titles->setSectionsMovable(true);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setHighlightSections(false);
    sizeColumns();
    const QFontMetrics metrics(DBGrid->font());
    // The row indicator: a narrow fixed column that marks the current record.
    QHeaderView* indicator = DBGrid->verticalHeader();
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setDefaultSectionSize(metrics.height() + 4);
    indicator->setFixedWidth(metrics.horizontalAdvance(QChar(0x25B6)) + 8);
    indicator->setHighlightSections(false);

    connect(titles, &QHeaderView::sectionMoved, this, &TAddressBrowseForm::DBGridColumnMoved);
    connect(DBGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { DBGridRowChanged(current.row()); });
    connect(DBGrid, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex&) { TagButtonClick(); });
    // Loading the rows again (after a tag changed what the query admits) keeps the widths
    // the user gave the columns.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        QHeaderView* titles = DBGrid->horizontalHeader();
        for (int column = 0; column < model_->columnCount(); ++column)
            widths_[model_->columnField(column)] = titles->sectionSize(column);
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        sizeColumns();
        selectCurrentRecord();
    });
    platform::GiveWhatsThis(*DBGrid,
                            "The records in the current order and filter. Double-click a row to "
                            "tag or untag it; drag a title to move its column.");
}

// Each column as wide as its field's display width in characters, or its title.
void TAddressBrowseForm::sizeColumns() {
    const QFontMetrics metrics(DBGrid->font());
    QHeaderView* titles = DBGrid->horizontalHeader();
    for (int column = 0; column < model_->columnCount(); ++column) {
        const QString field = model_->columnField(column);
        if (widths_.contains(field)) {
            titles->resizeSection(column, widths_.value(field));
            continue;
        }
        const QString title = model_->headerData(column, Qt::Horizontal).toString();
        const int width = qMax(metrics.averageCharWidth() * model_->columnDisplayWidth(column),
                               metrics.horizontalAdvance(title));
        titles->resizeSection(column, width + 12);
    }
}

void TAddressBrowseForm::buildButtonBar() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setAutoFillBackground(true);
    QPalette grey = Panel1->palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    Panel1->setPalette(grey);
    auto* bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(6, 4, 6, 4);
    auto add = [&](const QString& caption, const char* name, const QString& whatsThis,
                   void (TAddressBrowseForm::*handler)()) {
        auto* button = new QPushButton(caption, Panel1);
        button->setObjectName(name);
        button->setAutoDefault(false);
        platform::GiveWhatsThis(*button, whatsThis);
        connect(button, &QPushButton::clicked, this, handler);
        bar->addWidget(button);
        return button;
    };
    OKButton = add("Ok", "OKButton", "Close the browse; the selected record stays current.",
                   &TAddressBrowseForm::OKButtonClick);
    OKButton->setDefault(true);
    TagButton = add("&Tag", "TagButton", "Tag the selected record, or untag it when it is tagged.",
                    &TAddressBrowseForm::TagButtonClick);
    bar->addSpacing(12);
    FirstButton = add("First", "FirstButton", "Go to the first record.",
                      &TAddressBrowseForm::FirstButtonClick);
    PriorButton = add("Prior", "PriorButton", "Go to the previous record.",
                      &TAddressBrowseForm::PriorButtonClick);
    NextButton =
        add("Next", "NextButton", "Go to the next record.", &TAddressBrowseForm::NextButtonClick);
    LastButton =
        add("Last", "LastButton", "Go to the last record.", &TAddressBrowseForm::LastButtonClick);
    bar->addStretch(1);
    HelpButton =
        add("Help", "HelpButton", "Show help on the browse.", &TAddressBrowseForm::HelpButtonClick);
    WhatsThisButton = platform::NewWhatsThisButton(Panel1);
    bar->addWidget(WhatsThisButton);
}

int TAddressBrowseForm::currentRow() const {
    const QModelIndex current = DBGrid->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TAddressBrowseForm::selectRow(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    const int column = qMax(0, DBGrid->currentIndex().column());
    const QModelIndex target = model_->index(row, column);
    DBGrid->setCurrentIndex(target);
    DBGrid->scrollTo(target);
}

// Selects the row of the table's current record. When the order and the query do not admit
// that record the first row is selected, and the table goes there.
void TAddressBrowseForm::selectCurrentRecord() {
    if (model_->rowCount() == 0) {
        model_->setCurrentRow(-1);
        return;
    }
    const int row = model_->rowOfRecord(table_.recordNumber());
    if (row >= 0 && row == currentRow()) {
        model_->setCurrentRow(row);
        return;
    }
    selectRow(row >= 0 ? row : 0);
}

void TAddressBrowseForm::DBGridRowChanged(int row) {
    model_->setCurrentRow(row);
    if (followingTable_ || row < 0)
        return;
    const unsigned recno = model_->recordOfRow(row);
    if (recno == 0 || recno == table_.recordNumber())
        return;
    movingTable_ = true;
    try {
        engine_.go(recno);
    } catch (const std::exception& error) {
        showError(error);
    }
    movingTable_ = false;
}

// The table moved by other means: the selection follows it.
void TAddressBrowseForm::DataSourceDataChange() {
    if (movingTable_ || toggling_ || table_.state() != data::TableState::Browse)
        return;
    const int row = model_->rowOfRecord(table_.recordNumber());
    if (row < 0 || row == currentRow())
        return;
    followingTable_ = true;
    selectRow(row);
    followingTable_ = false;
}

// The moved column's field takes the place of the field whose column it was dropped on, as
// moving a field in the view does; hidden fields keep their places around them.
void TAddressBrowseForm::DBGridColumnMoved(int logicalIndex, int oldVisualIndex,
                                           int newVisualIndex) {
    if (oldVisualIndex == newVisualIndex)
        return;
    QHeaderView* titles = DBGrid->horizontalHeader();
    const int passedVisual =
        newVisualIndex > oldVisualIndex ? newVisualIndex - 1 : newVisualIndex + 1;
    const QString moved = model_->columnField(logicalIndex);
    const QString target = model_->columnField(titles->logicalIndex(passedVisual));
    QStringList order;
    for (const data::FieldInfo& field : table_.fields())
        order << field.name;
    const qsizetype from = order.indexOf(moved);
    const qsizetype to = order.indexOf(target);
    if (from < 0 || to < 0)
        return;
    order.move(from, to);
    table_.arrangeFields(order);
}

void TAddressBrowseForm::OKButtonClick() {
    done(platform::ResultOk);
}

void TAddressBrowseForm::reject() {
    OKButtonClick();
}

void TAddressBrowseForm::TagButtonClick() {
    const int row = currentRow();
    if (!toggleTag_ || row < 0)
        return;
    const QString query = engine_.queryText();
    const unsigned recno = table_.recordNumber();
    toggling_ = true;
    try {
        toggleTag_();
    } catch (const std::exception& error) {
        toggling_ = false;
        showError(error);
        return;
    }
    toggling_ = false;
    // ToggleTag applies the filter again when the query admits no record any more; then the
    // rows are others and are loaded again.
    if (engine_.queryText() != query || table_.recordNumber() != recno)
        model_->reload();
    else
        model_->refreshRow(row);
}

void TAddressBrowseForm::FirstButtonClick() {
    selectRow(0);
}

void TAddressBrowseForm::PriorButtonClick() {
    const int row = currentRow();
    if (row <= 0)
        platform::Beep();
    else
        selectRow(row - 1);
}

void TAddressBrowseForm::NextButtonClick() {
    const int row = currentRow();
    if (row < 0 || row >= model_->rowCount() - 1)
        platform::Beep();
    else
        selectRow(row + 1);
}

void TAddressBrowseForm::LastButtonClick() {
    selectRow(model_->rowCount() - 1);
}

void TAddressBrowseForm::HelpButtonClick() {
    platform::ShowHelpTopic(HelpTopic);
}

bool RunBrowse(data::TTable& table, data::TXbEngine& engine, data::TDataSource& source,
               bool editing, std::function<void()> toggleTag) {
    if (!table.active())
        return false;
    ReadFieldList(table);
    if (editing) {
        platform::Beep();
        return false;
    }
    {
        TAddressBrowseForm dialog(table, engine, source, std::move(toggleTag),
                                  platform::MainForm());
        platform::CenterOnMainForm(dialog);
        platform::CurrentDialogs().exec(dialog);
    }
    QString error;
    if (!WriteFieldList(table, &error))
        platform::ShowInfo("Unable to save the column order in " + FieldListPath() + "\r\n" +
                           error);
    return true;
}

} // namespace selection
