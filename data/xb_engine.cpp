#include "data/xb_engine.h"

#include "xbase/table.h"

namespace data {

TTable& TXbEngine::table() {
    if (!DataSource || !DataSource->dataSet())
        throw TableError(TableError::Kind::General, "The engine object has no table");
    return *DataSource->dataSet();
}

// Reads or writes field values of the record the table shows, wherever the engine stands, and
// puts the engine back afterwards.
template <typename F> auto TXbEngine::withRecordSync(F&& work) {
    TTable& t = table();
    xbase::Table& engine = t.engineTable();
    const unsigned remembered = engine.recno();
    const unsigned shown = t.recordNumber();
    const bool move = shown >= 1 && shown <= engine.recordCount() && shown != remembered;
    if (move)
        engine.goTo(shown);
    struct Back {
        xbase::Table& engine;
        unsigned recno;
        bool active;
        ~Back() {
            if (active && recno >= 1 && recno <= engine.recordCount())
                engine.goTo(recno);
        }
    } back{engine, remembered, move};
    return work(engine);
}

void TXbEngine::moving(const std::function<void(xbase::Table&)>& work) {
    TTable& t = table();
    t.endEdit();
    try {
        t.moveEngine([&] { work(t.engineTable()); });
    } catch (const xbase::Error& error) {
        t.resync();
        const auto kind = error.kind() == xbase::ErrorKind::Corrupt ? TableError::Kind::Damaged
                                                                    : TableError::Kind::General;
        throw TableError(kind, QString::fromUtf8(error.what()));
    }
    t.resync();
}

void TXbEngine::setQuery(const QString& expression) {
    Filter = expression;
    const std::string bytes = table().bytes(expression, "The filter");
    moving([&](xbase::Table& engine) {
        engine.setQuery(bytes);
        engine.top();
    });
}

QString TXbEngine::queryText() const {
    if (!DataSource || !DataSource->dataSet() || !DataSource->dataSet()->active())
        return {};
    TTable& t = *DataSource->dataSet();
    return t.text(t.engineTable().query());
}

void TXbEngine::copyStructure(const QString& path) {
    try {
        table().engineTable().copyStructure(std::filesystem::path(path.toStdString()));
    } catch (const TableError&) {
        throw;
    } catch (const std::exception& error) {
        throw TableError(TableError::Kind::General, QString::fromUtf8(error.what()));
    }
}

unsigned TXbEngine::queryRecCount() {
    TTable& t = table();
    xbase::Table& engine = t.engineTable();
    const unsigned remembered = engine.recno();
    const unsigned count = engine.queryCount();
    if (remembered >= 1 && remembered <= engine.recordCount())
        engine.goTo(remembered);
    return count;
}

bool TXbEngine::queryTest(const QString& expression) {
    try {
        table().engineTable().compile(table().bytes(expression, "The expression"));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TXbEngine::seek(const QString& key) {
    bool hit = false;
    const std::string bytes = table().bytes(key, "The key");
    moving([&](xbase::Table& engine) { hit = engine.seek(bytes); });
    return hit;
}

bool TXbEngine::found() {
    return table().engineTable().found();
}

void TXbEngine::go(unsigned recno) {
    moving([&](xbase::Table& engine) { engine.goTo(recno); });
}

unsigned TXbEngine::recNo() {
    return table().recordNumber();
}

unsigned TXbEngine::recCount() {
    return table().recordCount();
}

bool TXbEngine::deleted() {
    return withRecordSync([](xbase::Table& engine) { return engine.deleted(); });
}

void TXbEngine::pack() {
    moving([&](xbase::Table& engine) {
        if (gauge_)
            engine.setProgressCallback(gauge_);
        engine.pack();
        engine.setProgressCallback({});
        engine.top();
    });
    table().flush();
}

void TXbEngine::zap() {
    moving([](xbase::Table& engine) { engine.zap(); });
}

QString TXbEngine::getMemo(const QString& field) {
    TTable& t = table();
    return withRecordSync(
        [&](xbase::Table& engine) { return t.text(engine.memo(field.toStdString())); });
}

bool TXbEngine::evalLogical(const QString& expression) {
    const std::string bytes = table().bytes(expression, "The expression");
    return withRecordSync([&](xbase::Table& engine) { return engine.evaluateLogical(bytes); });
}

bool TXbEngine::empty(const QString& field) {
    return withRecordSync([&](xbase::Table& engine) {
        const xbase::Field& f =
            engine.structure().field(engine.structure().indexOf(field.toStdString()));
        if (f.isMemo())
            return engine.memoEmpty(f.name);
        const std::string_view bytes = engine.fieldBytes(f.name);
        return bytes.find_first_not_of(' ') == std::string_view::npos;
    });
}

// Text and memo values go straight to the file; an edit in progress is saved first and the
// table is put back in edit state afterwards.
void TXbEngine::replace(const QString& field, const QString& value) {
    TTable& t = table();
    const bool editing = t.state() == TableState::Edit || t.state() == TableState::Insert;
    if (editing)
        t.post();
    const std::string bytes = t.bytes(value, field);
    withRecordSync([&](xbase::Table& engine) {
        const std::string name = field.toStdString();
        const xbase::Field& f = engine.structure().field(engine.structure().indexOf(name));
        try {
            if (f.isMemo())
                engine.setMemo(name, bytes);
            else
                engine.setText(name, bytes);
            engine.post();
        } catch (...) {
            engine.cancel(); // the record keeps its old value
            throw;
        }
    });
    t.flushUnlessBulk();
    t.refresh();
    if (editing)
        t.edit();
}

void TXbEngine::setGaugeHook(std::function<void(int)> hook) {
    gauge_ = std::move(hook);
}

void TXbEngine::tableOpened() {
    if (!Filter.isEmpty())
        setQuery(Filter);
}

} // namespace data
