#include "data/table_object.h"

#include "data/xb_env.h"
#include "xbase/file.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

namespace data {

namespace {

FieldKind kindOf(const xbase::Field& field) {
    switch (field.type) {
    case 'D':
        return FieldKind::Date;
    case 'L':
        return FieldKind::Boolean;
    case 'N':
    case 'F':
        return field.decimals == 0 && field.width < 5 ? FieldKind::SmallInt : FieldKind::Number;
    default:
        return field.isMemo() ? FieldKind::Memo : FieldKind::Text;
    }
}

bool isEngineError(const std::exception& error, xbase::ErrorKind kind) {
    const auto* e = dynamic_cast<const xbase::Error*>(&error);
    return e && e->kind() == kind;
}

} // namespace

TTable::TTable(QObject* parent) : QObject(parent) {}

TTable::~TTable() {
    // The indexes watch the table, so they go first.
    indexes_.reset();
    table_.reset();
}

QString TTable::path() const {
    return folder + fileName;
}

bool TTable::active() const {
    return table_ && table_->isOpen();
}

void TTable::fail(const std::exception& error) const {
    TableError::Kind kind = TableError::Kind::General;
    if (const auto* engineError = dynamic_cast<const xbase::Error*>(&error)) {
        if (engineError->kind() == xbase::ErrorKind::Locked)
            kind = TableError::Kind::Locked;
        else if (engineError->kind() == xbase::ErrorKind::Corrupt)
            kind = TableError::Kind::Damaged;
    }
    throw TableError(kind, QString::fromUtf8(error.what()));
}

QString TTable::text(std::string_view bytes) const {
    return QString::fromStdString(codePage_.toUtf8(bytes));
}

std::string TTable::bytes(const QString& text, const QString& what) const {
    const xbase::Encoded encoded = codePage_.fromUtf8(text.toStdString());
    if (!encoded)
        throw TableError(TableError::Kind::General,
                         what + ": " + QString::fromStdString(encoded.failure->describe()));
    return encoded.bytes;
}

void TTable::reportDamage(const QString& what) {
    emit damageFound(what);
}

QString TTable::indexProblem() const {
    if (!indexUnreadable_.isEmpty())
        return indexUnreadable_;
    return indexes_ ? QString::fromStdString(indexes_->stale()) : QString();
}

void TTable::requireIndexUpkeep() const {
    if (!indexUnreadable_.isEmpty())
        throw TableError(TableError::Kind::Damaged,
                         "Records cannot be changed while the index cannot be read (" +
                             indexUnreadable_ + "). Rebuild the indexes first.");
}

// A structural index that another program holds, or one whose tags this program cannot keep,
// keeps a writable table closed; one that cannot be read is noted, and the table stays open so
// that the index can be rebuilt.
void TTable::openIndexes() {
    indexUnreadable_.clear();
    try {
        indexes_ = std::make_unique<xbase::TableIndexes>(*table_);
    } catch (const std::exception& error) {
        if (isEngineError(error, xbase::ErrorKind::Corrupt)) {
            indexUnreadable_ = QString::fromUtf8(error.what());
            return;
        }
        table_.reset();
        fail(error);
    }
    try {
        if (!indexName.isEmpty())
            indexes_->setOrder(indexName.toStdString());
    } catch (const std::exception&) {
        indexName.clear(); // a missing tag gives record order
    }
}

void TTable::dropStructuralIndex() {
    requireActive();
    endEdit();
    try {
        if (!indexes_) {
            // An index that cannot be read goes by its name; the indexes then open without it.
            const auto file = xbase::findIgnoringCase(xbase::structuralIndexPath(table_->path()));
            std::filesystem::remove(file);
            indexes_ = std::make_unique<xbase::TableIndexes>(*table_);
        }
        indexes_->dropStructural();
    } catch (const std::exception& error) {
        fail(error);
    }
    indexUnreadable_.clear();
    indexName.clear();
}

void TTable::flush() {
    requireActive();
    try {
        table_->flush();
        if (indexes_)
            indexes_->flush();
    } catch (const std::exception& error) {
        fail(error);
    }
}

void TTable::endBulk() {
    if (bulk_ > 0 && --bulk_ == 0 && active())
        flush();
}

void TTable::flushUnlessBulk() {
    if (bulk_ == 0)
        flush();
}

void TTable::moveEngine(const std::function<void()>& move) {
    try {
        move();
    } catch (const xbase::Error& error) {
        if (error.kind() != xbase::ErrorKind::Corrupt || !indexes_ || indexes_->order() == 0)
            throw;
        // A damaged order: record order from here on.
        reportDamage(QString::fromUtf8(error.what()));
        indexes_->setOrder(0);
        indexName.clear();
        move();
    }
}

void TTable::open() {
    close();
    try {
        const auto mode = readOnly    ? xbase::OpenMode::ReadOnly
                          : exclusive ? xbase::OpenMode::Exclusive
                                      : xbase::OpenMode::Shared;
        table_ = std::make_unique<xbase::Table>(
            xbase::Table::open(std::filesystem::path(path().toStdString()), mode));
    } catch (const std::exception& error) {
        table_.reset();
        fail(error);
    }
    codePage_ = xbase::CodePage::ofLanguage(table_->language());
    table_->setDamageCallback(
        [this](const std::string& what) { reportDamage(QString::fromUtf8(what)); });
    // Calculated fields declared before the open stay; stored fields come from the file.
    QList<FieldInfo> calculated;
    for (const FieldInfo& info : std::as_const(fields_)) {
        if (info.calculated)
            calculated << info;
    }
    fields_.clear();
    engineField_.clear();
    const auto& stored = table_->structure().fields();
    for (size_t i = 0; i < stored.size(); ++i) {
        FieldInfo info;
        info.name = text(stored[i].name);
        info.kind = kindOf(stored[i]);
        info.size = stored[i].width;
        info.label = info.name;
        info.displayWidth = stored[i].width;
        info.engineType = stored[i].type;
        fields_ << info;
        engineField_ << int(i);
    }
    for (const FieldInfo& info : calculated) {
        fields_ << info;
        engineField_ << -1;
    }
    applySettings();
    openIndexes();
    state_ = TableState::Browse;
    bulk_ = 0;
    first();
}

void TTable::applySettings() {
    if (!table_)
        return;
    const TXbEnv& env = TXbEnv::instance();
    xbase::Settings& settings = table_->settings();
    settings.exact = env.Exact;
    settings.softSeek = env.SoftSeek;
    settings.deleted = env.Deleted;
    settings.century = env.Century;
    settings.dateFormat = static_cast<xbase::DateFormat>(env.DateFormat);
}

void TTable::close() {
    if (table_) {
        if (state_ == TableState::Edit || state_ == TableState::Insert)
            cancel();
        bulk_ = 0;
        indexUnreadable_.clear();
        indexes_.reset();
        try {
            table_->close();
        } catch (const std::exception&) {
            // The table is gone either way; what was posted is on disk.
        }
        table_.reset();
    }
    state_ = TableState::Inactive;
    bof_ = eof_ = true;
    values_.clear();
    notify();
}

void TTable::requireActive() const {
    if (!active())
        throw TableError(TableError::Kind::General, "The table is not open");
}

void TTable::requireEditing() const {
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        throw TableError(TableError::Kind::General, "The table is not being edited");
}

FieldInfo* TTable::field(const QString& name) {
    const int index = fieldIndex(name);
    return index < 0 ? nullptr : &fields_[index];
}

int TTable::fieldIndex(const QString& name) const {
    for (int i = 0; i < fields_.size(); ++i) {
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TTable::addCalculatedField(const FieldInfo& info) {
    FieldInfo calculated = info;
    calculated.calculated = true;
    fields_ << calculated;
    engineField_ << -1;
    values_ << QVariant();
}

void TTable::arrangeFields(const QStringList& order) {
    QList<FieldInfo> fields;
    QList<int> engineField;
    QList<QVariant> values;
    QList<bool> taken(fields_.size(), false);
    auto take = [&](int i) {
        fields << fields_[i];
        engineField << engineField_[i];
        values << (i < values_.size() ? values_[i] : QVariant());
        taken[i] = true;
    };
    for (const QString& name : order) {
        const int i = fieldIndex(name);
        if (i >= 0 && !taken[i])
            take(i);
    }
    for (int i = 0; i < fields_.size(); ++i) {
        if (!taken[i])
            take(i);
    }
    fields_ = fields;
    engineField_ = engineField;
    values_ = values;
}

void TTable::readRecord(bool withMemos) {
    values_.clear();
    memoUnreadable_ = false;
    const bool onRecord = active() && !(table_->eof() || table_->bof()) &&
                          table_->recno() <= table_->recordCount() && table_->recno() > 0;
    for (int i = 0; i < fields_.size(); ++i) {
        const int engineIndex = engineField_[i];
        if (engineIndex < 0 || !onRecord) {
            values_ << (fields_[i].kind == FieldKind::Boolean ? QVariant(false)
                                                              : QVariant(QString()));
            continue;
        }
        if (!withMemos && fields_[i].kind == FieldKind::Memo) {
            values_ << QVariant(QString());
            continue;
        }
        const std::string name = fields_[i].name.toStdString();
        if (fields_[i].kind == FieldKind::Boolean) {
            values_ << QVariant(table_->logical(name));
        } else if (fields_[i].kind == FieldKind::Memo) {
            // A memo that cannot be read shows empty; the rest of the record still shows.
            try {
                values_ << QVariant(text(table_->memo(name)));
            } catch (const xbase::Error& error) {
                if (error.kind() != xbase::ErrorKind::Corrupt)
                    throw;
                values_ << QVariant(QString());
                memoUnreadable_ = true;
                reportDamage(QString::fromUtf8(error.what()));
            }
        } else {
            values_ << QVariant(text(table_->text(name)));
        }
    }
    if (onCalcFields) {
        const TableState saved = state_;
        state_ = TableState::CalcFields;
        onCalcFields(*this);
        state_ = saved;
    }
}

void TTable::notify() {
    if (!controlsDisabled())
        emit dataChanged();
}

void TTable::enableControls() {
    if (controlsDisabled_ > 0 && --controlsDisabled_ == 0)
        emit dataChanged();
}

void TTable::resync() {
    requireActive();
    bof_ = table_->bof() || table_->recordCount() == 0;
    eof_ = table_->eof() || table_->recordCount() == 0;
    readRecord();
    notify();
}

QList<QVariant> TTable::engineRecordValues(bool withMemos) {
    requireActive();
    // The calculated fields read the values list, so the engine's record goes through it
    // and the shown record's values are put back afterwards.
    QList<QVariant> shown;
    shown.swap(values_);
    try {
        readRecord(withMemos);
    } catch (const std::exception& error) {
        values_.swap(shown);
        fail(error);
    }
    QList<QVariant> read;
    read.swap(values_);
    values_.swap(shown);
    return read;
}

void TTable::first() {
    requireActive();
    endEdit();
    try {
        moveEngine([this] { table_->top(); });
    } catch (const std::exception& error) {
        fail(error);
    }
    eof_ = table_->eof();
    bof_ = true;
    readRecord();
    notify();
}

void TTable::last() {
    requireActive();
    endEdit();
    try {
        moveEngine([this] { table_->bottom(); });
    } catch (const std::exception& error) {
        fail(error);
    }
    bof_ = table_->eof() || table_->bof();
    eof_ = true;
    readRecord();
    notify();
}

// Moving past either end keeps the last record reached and sets the end flag, so that the
// window can beep and stay where it was.
void TTable::moveBy(int count) {
    requireActive();
    endEdit();
    if (count == 0)
        return;
    bof_ = eof_ = false;
    try {
        const int step = count > 0 ? 1 : -1;
        for (int i = 0; i != count; i += step) {
            moveEngine([this, step] { table_->skip(step); });
            if (table_->eof()) {
                eof_ = true;
                moveEngine([this] { table_->bottom(); });
                break;
            }
            if (table_->bof()) {
                bof_ = true;
                moveEngine([this] { table_->top(); });
                break;
            }
        }
    } catch (const std::exception& error) {
        fail(error);
    }
    if (table_->eof())
        bof_ = eof_ = true; // nothing to show
    readRecord();
    notify();
}

void TTable::next() {
    moveBy(1);
}

void TTable::prior() {
    moveBy(-1);
}

void TTable::edit() {
    requireActive();
    if (state_ == TableState::Edit || state_ == TableState::Insert)
        return;
    if (eof_ && bof_)
        throw TableError(TableError::Kind::General, "There is no record to edit");
    state_ = TableState::Edit;
    modified_ = false;
    notify();
    if (onAfterEdit)
        onAfterEdit(*this);
}

void TTable::insert() {
    requireActive();
    endEdit();
    if (onBeforeInsert)
        onBeforeInsert(*this);
    state_ = TableState::Insert;
    modified_ = false;
    values_.clear();
    for (const FieldInfo& info : std::as_const(fields_))
        values_ << (info.kind == FieldKind::Boolean ? QVariant(false) : QVariant(QString()));
    notify();
    if (onAfterInsert)
        onAfterInsert(*this);
}

// Writes the buffer's values into the engine's record: text in the table's code page (a
// character it cannot hold is refused before anything is written), numbers, dates and
// logicals checked by the engine. A memo that could not be read is left as it is unless
// something new was typed in its place.
void TTable::writeFields() {
    std::vector<std::string> encoded(fields_.size());
    for (int i = 0; i < fields_.size(); ++i) {
        if (engineField_[i] >= 0 && fields_[i].kind != FieldKind::Boolean)
            encoded[i] = bytes(values_[i].toString(), fields_[i].label);
    }
    const bool inserting = state_ == TableState::Insert;
    for (int i = 0; i < fields_.size(); ++i) {
        if (engineField_[i] < 0)
            continue;
        const std::string name = fields_[i].name.toStdString();
        switch (fields_[i].kind) {
        case FieldKind::Boolean:
            table_->setLogical(name, values_[i].toBool());
            break;
        case FieldKind::Memo: {
            const QString typed = values_[i].toString();
            if (inserting) {
                if (!typed.isEmpty())
                    table_->setMemo(name, encoded[i]);
            } else if (memoUnreadable_) {
                if (!typed.isEmpty())
                    table_->setMemo(name, encoded[i]);
            } else if (encoded[i] != table_->memo(name)) {
                table_->setMemo(name, encoded[i]);
            }
            break;
        }
        default:
            table_->setText(name, encoded[i]);
            break;
        }
    }
}

void TTable::post() {
    postRecord(false);
}

void TTable::postWithDeletionMark() {
    postRecord(true);
}

void TTable::postRecord(bool markDeleted) {
    requireActive();
    requireEditing();
    requireIndexUpkeep();
    try {
        if (state_ == TableState::Insert)
            table_->newRecord();
        writeFields();
        if (markDeleted)
            table_->setDeleted(true);
        table_->post();
    } catch (const std::exception& error) {
        // Nothing stays half written: a new record is dropped, an edited one keeps its old
        // bytes; the edit stays open for the user to put right or cancel.
        try {
            table_->cancel();
        } catch (const std::exception&) {
        }
        if (const auto* refused = dynamic_cast<const TableError*>(&error))
            throw *refused;
        fail(error);
    }
    state_ = TableState::Browse;
    modified_ = false;
    bof_ = eof_ = false;
    readRecord();
    notify();
    if (onAfterPost)
        onAfterPost(*this);
    flushUnlessBulk();
}

void TTable::cancel() {
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        return;
    state_ = TableState::Browse;
    modified_ = false;
    readRecord();
    notify();
    if (onAfterCancel)
        onAfterCancel(*this);
}

void TTable::endEdit() {
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        return;
    if (modified_)
        post();
    else
        cancel();
}

void TTable::deleteRecord() {
    requireActive();
    endEdit();
    if (eof_ && bof_)
        return;
    requireIndexUpkeep();
    try {
        table_->setDeleted(true);
        table_->post();
    } catch (const std::exception& error) {
        try {
            table_->cancel();
        } catch (const std::exception&) {
        }
        fail(error);
    }
    readRecord();
    notify();
    flushUnlessBulk();
}

void TTable::refresh() {
    requireActive();
    readRecord();
    notify();
}

QString TTable::fieldText(const QString& name) const {
    const int i = fieldIndex(name);
    if (i < 0 || i >= values_.size())
        return {};
    if (fields_[i].kind == FieldKind::Boolean)
        return values_[i].toBool() ? "T" : "F";
    return values_[i].toString();
}

void TTable::setFieldText(const QString& name, const QString& text) {
    const int i = fieldIndex(name);
    if (i < 0)
        throw TableError(TableError::Kind::General, "No field " + name);
    requireEditing();
    QString value = text;
    if (fields_[i].kind != FieldKind::Memo && value.size() > fields_[i].size)
        value.truncate(fields_[i].size);
    if (fields_[i].kind == FieldKind::Boolean)
        values_[i] = QVariant(value.startsWith('T', Qt::CaseInsensitive) ||
                              value.startsWith('Y', Qt::CaseInsensitive));
    else
        values_[i] = QVariant(value);
    modified_ = true;
    notify();
}

bool TTable::fieldBool(const QString& name) const {
    const int i = fieldIndex(name);
    return i >= 0 && i < values_.size() && values_[i].toBool();
}

void TTable::setFieldBool(const QString& name, bool value) {
    setFieldText(name, value ? "T" : "F");
}

void TTable::setCalculatedValue(const QString& name, const QVariant& value) {
    const int i = fieldIndex(name);
    if (i >= 0 && fields_[i].calculated && i < values_.size())
        values_[i] = value;
}

QVariant TTable::calculatedValue(const QString& name) const {
    const int i = fieldIndex(name);
    return i >= 0 && i < values_.size() ? values_[i] : QVariant();
}

unsigned TTable::recordNumber() const {
    if (!active())
        return 0;
    if (eof_ && bof_)
        return table_->recordCount() + 1;
    return table_->recno();
}

unsigned TTable::recordCount() const {
    return active() ? table_->recordCount() : 0;
}

xbase::Table& TTable::engineTable() {
    requireActive();
    return *table_;
}

xbase::TableIndexes& TTable::indexes() {
    requireActive();
    if (!indexes_) {
        try {
            indexes_ = std::make_unique<xbase::TableIndexes>(*table_);
        } catch (const std::exception& error) {
            fail(error);
        }
    }
    return *indexes_;
}

} // namespace data
