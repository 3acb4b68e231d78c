#include "utilities/record_grid.h"

#include "data/table_object.h"
#include "data/xb_engine.h"
#include "platform/dialogs.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

namespace utilities {

namespace {

bool editing(const data::TTable& table) {
    return table.state() == data::TableState::Edit || table.state() == data::TableState::Insert;
}

void showError(const std::exception& error) {
    platform::ShowInfo(QString::fromLocal8Bit(error.what()));
}

} // namespace

// A cell's editor takes no more characters than its field holds; the grid keeps the editor
// open last, to commit or drop what it holds.
class TRecordGrid::FieldDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        const auto* model = qobject_cast<const EditableGridModel*>(index.model());
        if (auto* line = qobject_cast<QLineEdit*>(editor); line && model)
            line->setMaxLength(model->fieldSize(index.column()));
        editor_ = editor;
        return editor;
    }
    QWidget* editor() const { return editor_; }

private:
    mutable QPointer<QWidget> editor_;
};

EditableGridModel::EditableGridModel(data::TTable& table, QObject* parent)
    : selection::AddressGridModel(table, parent), table_(table) {}

int EditableGridModel::insertRow() const {
    return appending_ ? AddressGridModel::rowCount() : -1;
}

void EditableGridModel::beginAppending() {
    if (appending_)
        return;
    const int row = AddressGridModel::rowCount();
    beginInsertRows({}, row, row);
    appending_ = true;
    endInsertRows();
}

void EditableGridModel::endAppending() {
    if (!appending_)
        return;
    const int row = AddressGridModel::rowCount();
    beginRemoveRows({}, row, row);
    appending_ = false;
    endRemoveRows();
}

int EditableGridModel::rowCount(const QModelIndex& parent) const {
    return AddressGridModel::rowCount(parent) + (appending_ && !parent.isValid() ? 1 : 0);
}

bool EditableGridModel::showsBuffer(int row) const {
    if (row == insertRow())
        return true;
    return row == currentRow() && table_.state() == data::TableState::Edit;
}

int EditableGridModel::fieldSize(int column) const {
    const int index = table_.fieldIndex(columnField(column));
    return index < 0 ? 0 : table_.fields()[index].size;
}

QVariant EditableGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (showsBuffer(index.row())) {
        const QString field = columnField(index.column());
        const int at = table_.fieldIndex(field);
        if (at >= 0 && !table_.fields()[at].calculated) {
            if (table_.fields()[at].kind == data::FieldKind::Boolean)
                return table_.fieldBool(field) ? QStringLiteral("Yes") : QStringLiteral("No");
            return table_.fieldText(field);
        }
        if (index.row() == insertRow())
            return QString();
    }
    return text(index.row(), index.column());
}

Qt::ItemFlags EditableGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = AddressGridModel::flags(index);
    if (!index.isValid())
        return flags;
    const int at = table_.fieldIndex(columnField(index.column()));
    if (at < 0)
        return flags;
    const data::FieldInfo& field = table_.fields()[at];
    if (!field.calculated && field.kind != data::FieldKind::Boolean &&
        field.kind != data::FieldKind::Memo)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool EditableGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString field = columnField(index.column());
    // Only the record the table shows is edited: its row is the current one.
    if (index.row() != insertRow() && index.row() != currentRow())
        return false;
    if (data(index, Qt::EditRole).toString() == value.toString())
        return true;
    try {
        if (!editing(table_))
            table_.edit();
        table_.setFieldText(field, value.toString());
    } catch (const std::exception& error) {
        showError(error);
        return false;
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

TRecordGrid::TRecordGrid(QWidget* parent) : QTableView(parent) {
    delegate_ = new FieldDelegate(this);
    setItemDelegate(delegate_);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    const QFontMetrics metrics(font());
    QHeaderView* indicator = verticalHeader();
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setDefaultSectionSize(metrics.height() + 6);
    indicator->setFixedWidth(metrics.horizontalAdvance(QChar(0x25B6)) + 8);
    connect(this, &QAbstractItemView::doubleClicked, this, &TRecordGrid::toggleTagAt);
}

void TRecordGrid::bind(data::TTable& table, data::TXbEngine& engine) {
    table_ = &table;
    engine_ = &engine;
    delete model_;
    model_ = new EditableGridModel(table, this);
    setModel(model_);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                rowChanged(current.row(), previous.row());
            });
    sizeColumns();
    reload();
}

void TRecordGrid::sizeColumns() {
    const QFontMetrics metrics(font());
    for (int column = 0; column < model_->columnCount(); ++column) {
        const QString title = model_->headerData(column, Qt::Horizontal).toString();
        const int width = qMax(metrics.averageCharWidth() * model_->columnDisplayWidth(column),
                               metrics.horizontalAdvance(title));
        horizontalHeader()->resizeSection(column, width + 12);
    }
}

void TRecordGrid::moveFieldTo(const QString& field, int position) {
    const int column = model_ ? model_->columnOfField(field) : -1;
    if (column < 0)
        return;
    QHeaderView* titles = horizontalHeader();
    titles->moveSection(titles->visualIndex(column), position);
}

int TRecordGrid::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TRecordGrid::selectRow(int row) {
    if (!model_ || row < 0 || row >= model_->rowCount())
        return;
    const int column = qMax(0, currentIndex().column());
    const QModelIndex target = model_->index(row, column);
    setCurrentIndex(target);
    scrollTo(target);
    model_->setCurrentRow(row);
}

// The table follows the grid: a new row makes its record current, which posts what was typed
// in the row before (a new record then takes its place among the rows).
void TRecordGrid::rowChanged(int row, int previous) {
    if (selecting_ || !model_ || row < 0)
        return;
    model_->setCurrentRow(row);
    if (row == model_->insertRow())
        return;
    const unsigned recno = model_->recordOfRow(row);
    if (recno == 0)
        return;
    const bool inserting = table_->state() == data::TableState::Insert;
    if (!inserting && recno == table_->recordNumber())
        return;
    try {
        engine_->go(recno);
    } catch (const std::exception& error) {
        showError(error);
        // The row with the refused values stays the current one.
        selecting_ = true;
        selectRow(previous);
        selecting_ = false;
        return;
    }
    if (inserting) {
        model_->endAppending();
        model_->reload();
        selecting_ = true;
        selectRow(qMax(0, model_->rowOfRecord(recno)));
        selecting_ = false;
    } else if (previous >= 0) {
        model_->refreshRow(previous);
    }
}

void TRecordGrid::first() {
    selectRow(0);
}

void TRecordGrid::prior() {
    selectRow(currentRow() - 1);
}

void TRecordGrid::next() {
    selectRow(currentRow() + 1);
}

void TRecordGrid::last() {
    selectRow(model_ ? model_->rowCount() - 1 : -1);
}

QWidget* TRecordGrid::openEditor() const {
    return state() == QAbstractItemView::EditingState ? delegate_->editor() : nullptr;
}

bool TRecordGrid::save() {
    if (QWidget* editor = openEditor())
        commitData(editor);
    if (!table_ || !editing(*table_))
        return true;
    // What the open editor holds counts as typed.
    if (QWidget* editor = openEditor())
        commitData(editor);
    const bool inserting = table_->state() == data::TableState::Insert;
    try {
        table_->post();
    } catch (const std::exception& error) {
        showError(error);
        return false;
    }
    if (inserting) {
        model_->endAppending();
        reload();
    } else {
        refreshCurrent();
    }
    return true;
}

void TRecordGrid::undo() {
    // What the editor holds goes with the rest of the edit.
    if (QWidget* editor = openEditor())
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (!table_ || !editing(*table_))
        return;
    const bool inserting = table_->state() == data::TableState::Insert;
    table_->cancel();
    if (inserting) {
        model_->endAppending();
        reload();
    } else {
        refreshCurrent();
    }
}

void TRecordGrid::refreshCurrent() {
    if (model_)
        model_->refreshRow(currentRow());
}

void TRecordGrid::reload() {
    if (!model_)
        return;
    model_->reload();
    int row = table_->active() ? model_->rowOfRecord(table_->recordNumber()) : -1;
    if (row < 0)
        row = 0;
    if (row < model_->rowCount()) {
        // The first row's record becomes the table's, as selecting it would make it.
        selectRow(row);
        rowChanged(row, -1);
    }
}

void TRecordGrid::toggleTagAt(const QModelIndex& index) {
    if (!toggleTag_ || !model_ || model_->columnField(index.column()) != "Tagged")
        return;
    toggleTag_();
    refreshCurrent();
}

void TRecordGrid::appendRow() {
    if (!save())
        return;
    try {
        table_->insert();
    } catch (const std::exception& error) {
        showError(error);
        return;
    }
    model_->beginAppending();
    selecting_ = true;
    selectRow(model_->insertRow());
    selecting_ = false;
}

void TRecordGrid::keyPressEvent(QKeyEvent* event) {
    if (appendable_ && model_ && event->key() == Qt::Key_Down && model_->insertRow() < 0 &&
        currentRow() == model_->rowCount() - 1) {
        appendRow();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace utilities
