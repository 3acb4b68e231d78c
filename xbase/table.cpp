#include "xbase/table.h"

#include "xbase/table_state.h"

namespace xbase {

IndexDriver detectDriver(std::uint8_t firstByte, bool onlyNsxIndexExists) {
    switch (firstByte) {
    case 0x83:
    case 0x86:
        return IndexDriver::Ntx;
    case 0xE5:
    case 0xE6:
        return IndexDriver::Nsx;
    case 0x03:
    case 0x06:
        return onlyNsxIndexExists ? IndexDriver::Nsx : IndexDriver::Cdx;
    default:
        return IndexDriver::Cdx;
    }
}

Table::Table() = default;
Table::Table(std::unique_ptr<State> state) : s_(std::move(state)) {}
Table::Table(Table&&) noexcept = default;
Table& Table::operator=(Table&& other) noexcept {
    if (this != &other) {
        try {
            close();
        } catch (...) {
        }
        s_ = std::move(other.s_);
    }
    return *this;
}

Table::~Table() {
    try {
        close();
    } catch (...) {
        // A destructor cannot report; call close() to see errors.
    }
}

namespace {
[[noreturn]] void throwClosed() {
    throw Error(ErrorKind::State, "the table is closed");
}
} // namespace

Table::State& Table::state() const {
    if (!s_) [[unlikely]]
        throwClosed();
    return *s_;
}

Table Table::open(const std::filesystem::path& path, OpenMode mode) {
    finishInterruptedPack(path);
    auto s = std::make_unique<State>();
    s->path = path;
    s->mode = mode;
    bool writable = mode != OpenMode::ReadOnly;
    s->dbf = File(path, writable, false, lockFor(mode));
    std::uint64_t size = s->dbf.size();
    std::string head(std::size_t(std::min<std::uint64_t>(size, 65535 + 1)), '\0');
    s->dbf.readAt(0, head.data(), head.size());
    DbfHeader h = parseDbfHeader(head, size, path.string());
    s->signature = h.signature;
    s->language = h.language;
    s->structure = std::move(h.structure);
    s->headerLength = h.headerLength;
    s->recordLength = h.recordLength;
    s->map.map(s->dbf, size, writable);

    if (s->structure.hasMemo()) {
        s->memoKind = memoKindOf(h.signature);
        std::filesystem::path fpt = findIgnoringCase(withExtension(path, ".FPT"));
        std::filesystem::path dbt = findIgnoringCase(withExtension(path, ".DBT"));
        std::error_code ec;
        if (s->memoKind == MemoKind::Fpt && !std::filesystem::exists(fpt, ec) &&
            std::filesystem::exists(dbt, ec))
            s->memoKind = MemoKind::Dbt4;
        if (s->memoKind == MemoKind::Fpt) {
            if (!std::filesystem::exists(fpt, ec))
                throw Error(ErrorKind::Io,
                            path.string() + ": the memo file " + fpt.string() + " is missing");
            s->memo = openFpt(fpt, writable, lockFor(mode));
            s->memoPath = fpt;
        } else {
            if (!std::filesystem::exists(dbt, ec))
                throw Error(ErrorKind::Io,
                            path.string() + ": the memo file " + dbt.string() + " is missing");
            s->memo = openDbt(dbt, lockFor(mode));
            s->memoPath = dbt;
        }
    }
    Table t(std::move(s));
    t.top();
    return t;
}

Table Table::create(const std::filesystem::path& path, const std::vector<Field>& fields,
                    OpenMode mode) {
    Structure structure(fields);
    bool hasMemo = structure.hasMemo();
    {
        // Lock before emptying, so an open table is never destroyed under its user.
        File f(path, true, true, FileLock::Exclusive);
        f.truncate(0);
        std::string header = buildDbfHeader(structure, hasMemo ? 0xF5 : 0x03);
        header.push_back(char(dbfEndOfFile));
        f.writeAt(0, header.data(), header.size());
    }
    if (hasMemo)
        createFpt(withExtension(path, ".FPT"));
    return open(path, mode);
}

void Table::close() {
    if (!s_)
        return;
    std::unique_ptr<State> s = std::move(s_);
    s->finishWrites();
}

bool Table::isOpen() const noexcept {
    return s_ != nullptr;
}

void Table::copyStructure(const std::filesystem::path& path) const {
    std::vector<Field> fields;
    for (const Field& f : state().structure.fields()) {
        if (!isWritableType(f.type))
            throw Error(ErrorKind::Unsupported, "field " + f.name + " of type " +
                                                    std::string(1, f.type) + " cannot be copied");
        fields.push_back(f);
    }
    Table::create(path, fields, OpenMode::Exclusive).close();
}

const std::filesystem::path& Table::path() const {
    return state().path;
}
OpenMode Table::mode() const {
    return state().mode;
}
std::uint8_t Table::signature() const {
    return state().signature;
}
std::uint8_t Table::language() const {
    return state().language;
}
MemoKind Table::memoKind() const {
    return state().memoKind;
}
std::filesystem::path Table::memoPath() const {
    return state().memoPath;
}
std::string Table::memoDamage() const {
    const State& s = state();
    return s.memo ? s.memo->damage() : std::string();
}
bool Table::structuralIndexFlag() const {
    return (state().map.data()[dbfFlagsOffset] & structuralIndexBit) != 0;
}
void Table::setStructuralIndexFlag(bool present) {
    State& s = state();
    if (structuralIndexFlag() == present)
        return;
    s.requireWritable();
    char& flags = s.map.data()[dbfFlagsOffset];
    flags = char(present ? (flags | structuralIndexBit) : (flags & ~structuralIndexBit));
}
const Structure& Table::structure() const {
    return state().structure;
}
std::uint32_t Table::recordCount() const {
    return state().count();
}
Settings& Table::settings() {
    return state().settings;
}
const Settings& Table::settings() const {
    return state().settings;
}

void Table::goTo(std::uint32_t recno) {
    State& s = state();
    s.post();
    if (recno < 1 || recno > s.count())
        throw Error(ErrorKind::Value, s.path.string() + ": record " + std::to_string(recno) +
                                          " does not exist (the table has " +
                                          std::to_string(s.count()) + ")");
    s.land(recno);
    s.orderSynced = false;
}

void Table::top() {
    state().goToEnd(true);
}

void Table::bottom() {
    state().goToEnd(false);
}

void Table::skip(std::int64_t count) {
    State& s = state();
    s.post();
    if (count == 0) {
        if (!s.eof)
            s.land(s.recno);
        return;
    }
    bool forward = count > 0;
    for (std::int64_t i = 0; i < (forward ? count : -count); ++i) {
        if (forward && s.eof)
            return;
        std::uint32_t r = s.step(forward);
        if (r == 0) {
            if (forward) {
                s.landEof();
            } else {
                // Before the first record: stay on the first one with bof set.
                std::uint32_t first = s.firstVisible(true);
                if (first)
                    s.land(first);
                else
                    s.landEof();
                s.bof = true;
            }
            return;
        }
        s.land(r);
    }
}

bool Table::eof() const noexcept {
    return s_ && s_->eof;
}
bool Table::bof() const noexcept {
    return s_ && s_->bof;
}
std::uint32_t Table::recno() const noexcept {
    return s_ ? s_->recno : 0;
}

Record Table::record() const {
    return state().current();
}

Record Table::storedRecord(std::uint32_t recno) {
    State& s = state();
    s.post();
    if (recno < 1 || recno > s.count())
        throw Error(ErrorKind::Value,
                    s.path.string() + ": there is no record " + std::to_string(recno));
    return Record{s.stored(recno), recno};
}

std::string_view Table::fieldBytes(std::size_t field) const {
    const State& s = state();
    const Field& f = s.structure.field(field);
    return std::string_view(s.record()).substr(f.offset, f.width);
}

std::string_view Table::fieldBytes(std::string_view name) const {
    return fieldBytes(state().structure.indexOf(name));
}

std::string Table::text(std::string_view name) const {
    const State& s = state();
    std::size_t i = s.structure.indexOf(name);
    if (s.structure.field(i).isMemo())
        return memo(name);
    return std::string(trimRight(fieldBytes(i)));
}

Value Table::value(std::size_t field) const {
    const State& s = state();
    const Field& f = s.structure.field(field);
    if (f.isMemo())
        return Value::ofString(memo(f.name));
    if (!isReadableType(f.type))
        throw Error(ErrorKind::Unsupported, "field " + f.name + " has type " +
                                                std::string(1, f.type) +
                                                ", which this engine cannot read");
    return decodeValue(f, fieldBytes(field));
}

Value Table::value(std::string_view name) const {
    return value(state().structure.indexOf(name));
}

double Table::number(std::string_view name) const {
    Value v = value(name);
    if (v.type != ValueType::Number)
        throw Error(ErrorKind::Value, "field " + std::string(name) + " is not numeric");
    return v.number;
}

bool Table::logical(std::string_view name) const {
    Value v = value(name);
    if (v.type != ValueType::Logical)
        throw Error(ErrorKind::Value, "field " + std::string(name) + " is not logical");
    return v.logical;
}

void Table::setFieldBytes(std::size_t field, std::string_view bytes) {
    State& s = state();
    s.setField(s.structure.field(field), bytes);
}

void Table::setText(std::string_view name, std::string_view text) {
    setText(state().structure.indexOf(name), text);
}
void Table::setNumber(std::string_view name, double value) {
    setNumber(state().structure.indexOf(name), value);
}
void Table::setLogical(std::string_view name, bool value) {
    setLogical(state().structure.indexOf(name), value);
}
void Table::setDate(std::string_view name, std::string_view yyyymmdd) {
    setDate(state().structure.indexOf(name), yyyymmdd);
}

void Table::setText(std::size_t field, std::string_view text) {
    State& s = state();
    const Field& f = s.structure.field(field);
    switch (f.type) {
    case 'C':
        s.setField(f, text.substr(0, f.width));
        return;
    case 'M':
        setMemo(f.name, text);
        return;
    case 'N':
    case 'L': {
        // A blank text leaves the field blank, as a new record has it, not 0 or false.
        const std::string_view trimmed = trimRight(trimLeft(text));
        if (trimmed.empty()) {
            s.setField(f, {});
        } else if (f.type == 'L') {
            setLogical(field, decodeLogical(trimmed));
        } else if (std::optional<double> v = parseWholeNumber(trimmed)) {
            setNumber(field, *v);
        } else {
            throw Error(ErrorKind::Value,
                        "field " + f.name + ": \"" + std::string(trimmed) + "\" is not a number");
        }
        return;
    }
    case 'D':
        setDate(field, text);
        return;
    default:
        throw Error(ErrorKind::Unsupported, "field " + f.name + " of type " +
                                                std::string(1, f.type) + " cannot be written");
    }
}

void Table::setNumber(std::size_t field, double value) {
    const Field& f = state().structure.field(field);
    if (f.type != 'N' && f.type != 'F')
        throw Error(ErrorKind::Value, "field " + f.name + " is not numeric");
    setFieldBytes(field, encodeNumber(f, value));
}

void Table::setLogical(std::size_t field, bool value) {
    const Field& f = state().structure.field(field);
    if (f.type != 'L')
        throw Error(ErrorKind::Value, "field " + f.name + " is not logical");
    setFieldBytes(field, value ? "T" : "F");
}

void Table::setDate(std::size_t field, std::string_view yyyymmdd) {
    const Field& f = state().structure.field(field);
    if (f.type != 'D')
        throw Error(ErrorKind::Value, "field " + f.name + " is not a date");
    setFieldBytes(field, encodeDate(f, yyyymmdd));
}

void Table::setValue(std::size_t field, const Value& value) {
    switch (value.type) {
    case ValueType::Number:
        setNumber(field, value.number);
        return;
    case ValueType::Logical:
        setLogical(field, value.logical);
        return;
    case ValueType::Date:
        setDate(field, value.text);
        return;
    case ValueType::String:
        setText(field, value.text);
        return;
    }
}

void Table::setRecord(std::string_view bytes) {
    State& s = state();
    s.requireWritable();
    s.requireRecord();
    if (bytes.size() != s.recordLength)
        throw Error(ErrorKind::Value, "a record of this table has " +
                                          std::to_string(s.recordLength) + " bytes, not " +
                                          std::to_string(bytes.size()));
    s.buffer.assign(bytes);
    s.loaded = true;
    s.dirty = true;
}

void Table::post() {
    state().post();
}

void Table::cancel() {
    State& s = state();
    if (s.draft)
        s.landEof();
    else if (s.dirty && !s.eof)
        s.land(s.recno);
    s.dirty = false;
}

void Table::appendBlank() {
    State& s = state();
    if (s.blank.size() != s.recordLength)
        s.blank.assign(s.recordLength, ' ');
    s.append(s.blank);
}

void Table::newRecord() {
    State& s = state();
    s.requireWritable();
    s.post();
    s.buffer.assign(s.recordLength, ' ');
    s.loaded = true;
    s.recno = s.count() + 1;
    s.eof = s.bof = false;
    s.orderSynced = false;
    s.draft = s.dirty = true;
}

void Table::removeRecordsAfter(std::uint32_t keep) {
    state().removeAfter(keep);
}

void Table::appendRecord(std::string_view bytes) {
    State& s = state();
    if (bytes.size() != s.recordLength)
        throw Error(ErrorKind::Value, "a record of this table has " +
                                          std::to_string(s.recordLength) + " bytes, not " +
                                          std::to_string(bytes.size()));
    if (bytes[0] != ' ' && bytes[0] != '*')
        throw Error(ErrorKind::Value, "a record must start with a blank or the deletion mark");
    s.append(bytes);
}

void Table::setDeleted(bool marked) {
    State& s = state();
    s.requireWritable();
    s.requireRecord();
    s.record()[0] = marked ? '*' : ' ';
    s.dirty = true;
    s.post();
}

bool Table::deleted() const {
    return state().current().deleted();
}

void Table::zap() {
    State& s = state();
    s.requireExclusive("zap");
    s.dirty = false;
    writeLe32(s.map.data() + 4, 0);
    s.putEndMark(s.headerLength);
    s.modified = true;
    if (s.memo)
        s.memo->reset();
    for (RecordObserver* o : s.observers)
        o->onZapped();
    top();
}

std::string Table::memo(std::string_view name) const {
    const State& s = state();
    const Field& f = s.memoField(name);
    return s.memo->read(s.memoBlock(f));
}

void Table::setMemo(std::string_view name, std::string_view text) {
    State& s = state();
    s.requireWritable();
    s.requireRecord();
    const Field& f = s.memoField(name);
    // A damaged pointer is replaced: the new text goes to new blocks.
    std::uint32_t old = 0;
    try {
        old = s.memoBlock(f);
    } catch (const Error& e) {
        if (e.kind() != ErrorKind::Corrupt)
            throw;
    }
    const std::uint32_t block = s.memo->write(text, old);
    setFieldBytes(s.structure.indexOf(name), memoPointerBytes(f, block));
}

bool Table::memoEmpty(std::string_view name) const {
    const State& s = state();
    const Field& f = s.memoField(name);
    std::uint32_t block = s.memoBlock(f);
    return block == 0 || s.memo->read(block).empty();
}

void Table::setQuery(std::string_view expression) {
    State& s = state();
    if (trimRight(trimLeft(expression)).empty()) {
        s.query.reset();
        s.queryText.clear();
        return;
    }
    Expression e(expression, s.structure);
    if (e.type() != ValueType::Logical)
        throw Error(ErrorKind::Value,
                    "the query " + std::string(expression) + " is not a logical expression");
    s.query.emplace(std::move(e));
    s.queryText = std::string(expression);
}

const std::string& Table::query() const {
    return state().queryText;
}

std::uint32_t Table::queryCount() {
    State& s = state();
    s.post();
    std::uint32_t n = s.count(), matches = 0;
    for (std::uint32_t r = 1; r <= n; ++r)
        if (s.visible(r))
            ++matches;
    return matches;
}

Expression Table::compile(std::string_view expression) const {
    return Expression(expression, state().structure);
}

bool Table::evaluateLogical(std::string_view expression) const {
    return compile(expression)
        .evaluateLogical(state().current(), EvalOptions{state().settings.exact});
}

void Table::setOrder(RecordOrder* order) {
    State& s = state();
    s.post();
    s.order = order;
    s.orderSynced = false;
}

RecordOrder* Table::order() const {
    return state().order;
}

void Table::addObserver(RecordObserver* observer) {
    auto& v = state().observers;
    if (std::find(v.begin(), v.end(), observer) == v.end())
        v.push_back(observer);
}

void Table::removeObserver(RecordObserver* observer) {
    auto& v = state().observers;
    v.erase(std::remove(v.begin(), v.end(), observer), v.end());
}

bool Table::seek(std::string_view key) {
    State& s = state();
    s.post();
    if (!s.order)
        throw Error(ErrorKind::State, s.path.string() + ": seek needs an index order");
    SeekResult res = s.order->seek(key, s.settings.exact);
    std::uint32_t r = res.recno;
    while (r != 0 && !s.visible(r))
        r = s.order->next();
    s.found = r != 0 && (r == res.recno ? res.found : s.order->matches(key, s.settings.exact));
    if (r != 0 && (s.found || s.settings.softSeek)) {
        s.land(r);
        s.orderSynced = true;
    } else {
        s.landEof();
    }
    return s.found;
}

bool Table::found() const noexcept {
    return s_ && s_->found;
}

void Table::setProgressCallback(ProgressCallback callback) {
    state().progress = std::move(callback);
}

void Table::setDamageCallback(DamageCallback callback) {
    state().damage = std::move(callback);
}

void Table::flush() {
    State& s = state();
    s.post();
    if (!s.writable())
        return;
    if (s.modified)
        stampDbfDate(s.map.data());
    s.map.sync(s.dbf);
    s.dbf.sync();
    if (s.memo)
        s.memo->flush();
}

} // namespace xbase
