#include "xbase/table.h"

#include "xbase/dbf_header.h"
#include "xbase/field_codec.h"
#include "xbase/file.h"
#include "xbase/mapping.h"
#include "xbase/memo_file.h"
#include "xbase/text.h"

#include <algorithm>
#include <atomic>
#include <cstring>

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

namespace {

MemoKind memoKindOf(std::uint8_t signature) {
    switch (signature) {
    case 0x83:
        return MemoKind::Dbt3;
    case 0x8B:
    case 0x7B:
    case 0xCB:
    case 0x8E:
        return MemoKind::Dbt4;
    default:
        return MemoKind::Fpt;
    }
}

std::filesystem::path withExtension(const std::filesystem::path& path, const char* upper) {
    std::string ext = path.extension().string();
    bool lower = !ext.empty() && ext[1] >= 'a' && ext[1] <= 'z';
    std::string e = upper;
    if (lower)
        for (char& c : e)
            c = toLowerAscii(c);
    std::filesystem::path p = path;
    p.replace_extension(e);
    return p;
}

FileLock lockFor(OpenMode mode) {
    return mode == OpenMode::Exclusive ? FileLock::Exclusive : FileLock::Shared;
}

// Growth step of an exclusively open table: the file is preallocated ahead of the
// records so that appends are plain stores, and cut back to size on close.
constexpr std::uint64_t growthStep = 8u << 20;
constexpr std::uint64_t prepareStep = 4u << 20;

} // namespace

struct Table::State {
    std::filesystem::path path;
    OpenMode mode = OpenMode::Exclusive;
    File dbf;
    Mapping map;
    std::unique_ptr<MemoFile> memo;
    MemoKind memoKind = MemoKind::None;
    std::uint8_t signature = 0x03;
    std::uint8_t language = 0x03;
    Structure structure;
    std::uint32_t headerLength = 0;
    std::uint32_t recordLength = 0;
    Settings settings;

    std::uint32_t recno = 0;
    bool eof = true;
    bool bof = true;
    bool found = false;
    // The current record's bytes, read from the file only when something asks for them, so
    // that moving through many records does not copy each one.
    mutable std::string buffer;
    mutable bool loaded = false;
    std::string blank;          // a blank record, kept for appends
    std::uint64_t prepared = 0; // blanks have been written ahead of appends up to here
    bool dirty = false;
    bool modified = false;

    std::optional<Expression> query;
    std::string queryText;
    RecordOrder* order = nullptr;
    bool orderSynced = false;
    std::vector<RecordObserver*> observers;
    ProgressCallback progress;

    bool writable() const { return mode != OpenMode::ReadOnly; }

    std::uint32_t count() const { return readLe32(map.data() + 4); }

    void requireWritable() const {
        if (!writable())
            throw Error(ErrorKind::State, path.string() + ": the table is open read-only");
    }
    void requireExclusive(const char* what) const {
        if (mode != OpenMode::Exclusive)
            throw Error(ErrorKind::State,
                        path.string() + ": " + what + " needs the table open exclusively");
    }

    std::uint64_t recordOffset(std::uint32_t r) const {
        return std::uint64_t(headerLength) + std::uint64_t(r - 1) * recordLength;
    }

    // Maps at least `end` bytes when the file holds them (another shared opener may
    // have appended); otherwise the file is damaged.
    void ensureMapped(std::uint64_t end) {
        if (end <= map.length())
            return;
        std::uint64_t size = dbf.size();
        if (size < end)
            throw Error(ErrorKind::Corrupt, path.string() + ": the file is truncated");
        map.map(dbf, size, writable());
    }

    std::string_view stored(std::uint32_t r) {
        std::uint64_t off = recordOffset(r);
        ensureMapped(off + recordLength);
        return {map.data() + off, recordLength};
    }

    // The current record's bytes, loaded on first use after a move.
    std::string& record() const {
        if (!loaded) [[unlikely]]
            load();
        return buffer;
    }
    void load() const {
        auto* self = const_cast<State*>(this);
        if (recno == 0 || recno > count())
            buffer.assign(recordLength, ' ');
        else
            buffer.assign(self->stored(recno));
        loaded = true;
    }

    Record current() const { return Record{record(), recno}; }

    bool visible(std::uint32_t r) {
        std::string_view bytes = stored(r);
        if (settings.deleted && bytes[0] == '*')
            return false;
        if (query && !query->evaluateLogical(Record{bytes, r}, EvalOptions{settings.exact}))
            return false;
        return true;
    }

    void land(std::uint32_t r) {
        recno = r;
        loaded = false;
        dirty = false;
        eof = bof = false;
    }

    void landEof() {
        recno = count() + 1;
        buffer.assign(recordLength, ' ');
        loaded = true;
        dirty = false;
        eof = true;
        orderSynced = false;
    }

    void post() {
        if (!dirty)
            return;
        requireWritable();
        if (!observers.empty()) {
            std::string before(stored(recno));
            for (RecordObserver* o : observers)
                o->onChanging(Record{before, recno});
        }
        std::memcpy(map.data() + recordOffset(recno), record().data(), recordLength);
        modified = true;
        dirty = false;
        for (RecordObserver* o : observers)
            o->onChanged(current());
    }

    // The next (forward) or previous visible record after the current one, 0 when none.
    std::uint32_t step(bool forward) {
        if (order) {
            std::uint32_t r;
            if (eof && !forward) {
                r = order->last();
            } else {
                if (!orderSynced && !order->locate(current()))
                    r = forward ? order->first() : order->last();
                else
                    r = forward ? order->next() : order->prev();
            }
            while (r != 0 && !visible(r))
                r = forward ? order->next() : order->prev();
            orderSynced = r != 0;
            return r;
        }
        std::uint32_t n = count();
        if (forward) {
            for (std::uint32_t r = eof ? n + 1 : recno + 1; r <= n; ++r)
                if (visible(r))
                    return r;
            return 0;
        }
        for (std::uint32_t r = std::min(recno, n + 1) - 1; r >= 1; --r)
            if (visible(r))
                return r;
        return 0;
    }

    std::uint32_t firstVisible(bool fromTop) {
        if (order) {
            std::uint32_t r = fromTop ? order->first() : order->last();
            while (r != 0 && !visible(r))
                r = fromTop ? order->next() : order->prev();
            orderSynced = r != 0;
            return r;
        }
        std::uint32_t n = count();
        if (fromTop) {
            for (std::uint32_t r = 1; r <= n; ++r)
                if (visible(r))
                    return r;
        } else {
            for (std::uint32_t r = n; r >= 1; --r)
                if (visible(r))
                    return r;
        }
        return 0;
    }

    // Top or bottom: the first visible record from that end; an empty view sets both
    // end flags.
    void goToEnd(bool fromTop) {
        post();
        if (std::uint32_t r = firstVisible(fromTop)) {
            land(r);
        } else {
            landEof();
            bof = true;
        }
    }

    // Room for `end` bytes: exclusive tables grow in big preallocated steps, shared
    // ones exactly, so that no other opener ever sees the file shrink.
    void reserve(std::uint64_t end) {
        // An exclusive table's mapping never reaches past its file, so the length
        // answers without asking the system.
        if (end <= map.length() && (mode == OpenMode::Exclusive || end <= dbf.size()))
            return;
        std::uint64_t target = end;
        if (mode == OpenMode::Exclusive)
            target = std::max(end, std::max(map.length() + map.length() / 4, end + growthStep));
        dbf.allocate(target);
        map.map(dbf, std::max<std::uint64_t>(dbf.size(), target), true);
    }

    // Writes blanks over the few megabytes just ahead of an append to an exclusive table.
    // A page written through the file is filled with the bytes given, where a store to a
    // page not yet in memory first has the system clear it and then stops at it. The write
    // starts past the end mark, so no record and no mark is ever touched.
    void prepareAhead(std::uint64_t off) {
        if (mode != OpenMode::Exclusive || off + recordLength + 1 <= prepared)
            return;
        const std::uint64_t from = std::max(prepared, off + 1);
        if (from >= map.length())
            return;
        const std::uint64_t n = std::min(prepareStep, map.length() - from);
        prepared = from + n;
        dbf.tryFillBlanks(from, std::size_t(n)); // only a hint: the stores do not rely on it
    }

    void append(std::string_view bytes) {
        requireWritable();
        post();
        bool shared = mode == OpenMode::Shared;
        RangeLock headerLock(dbf, 0, dbfPrefixLength, shared);
        if (shared)
            ensureMapped(dbf.size());
        std::uint32_t n = count();
        if (n == 0xFFFFFFFFu)
            throw Error(ErrorKind::Value, path.string() + ": the table is full");
        std::uint64_t off = recordOffset(n + 1);
        reserve(off + recordLength + 1);
        prepareAhead(off);
        char* p = map.data() + off;
        std::memcpy(p, bytes.data(), recordLength);
        p[recordLength] = char(dbfEndOfFile);
        // The record is in place before the count admits it: a crash between the two
        // stores leaves the old count and a table that opens.
        std::atomic_thread_fence(std::memory_order_seq_cst);
        writeLe32(map.data() + 4, n + 1);
        modified = true;
        recno = n + 1;
        buffer.assign(bytes); // from the caller's copy, which is still in the cache
        loaded = true;
        dirty = false;
        eof = bof = false;
        orderSynced = false;
        for (RecordObserver* o : observers)
            o->onAppended(current());
    }

    // Writes a field's bytes, blank padded, into the current record.
    void setField(const Field& f, std::string_view bytes) {
        requireWritable();
        requireRecord();
        if (bytes.size() > f.width)
            throw Error(ErrorKind::Value, "field " + f.name + ": " + std::to_string(bytes.size()) +
                                              " bytes do not fit in width " +
                                              std::to_string(f.width));
        char* p = record().data() + f.offset;
        if (!bytes.empty()) // an empty view may hold no pointer at all
            std::memcpy(p, bytes.data(), bytes.size());
        std::memset(p + bytes.size(), ' ', f.width - bytes.size());
        dirty = true;
    }

    void requireRecord() const {
        if (eof || recno == 0)
            throw Error(ErrorKind::State, path.string() + ": there is no current record");
    }

    const Field& memoField(std::string_view name) const {
        const Field& f = structure.field(structure.indexOf(name));
        if (!f.isMemo())
            throw Error(ErrorKind::Value, "field " + f.name + " is not a memo field");
        if (!memo)
            throw Error(ErrorKind::State, path.string() + ": the table has no memo file");
        return f;
    }

    std::uint32_t memoBlock(const Field& f) const {
        std::string_view bytes = std::string_view(record()).substr(f.offset, f.width);
        if (f.width == 4)
            return readLe32(bytes.data());
        std::uint64_t v = 0;
        for (char c : trimRight(trimLeft(bytes))) {
            if (!isAsciiDigit(c))
                throw Error(ErrorKind::Corrupt, path.string() + ": record " +
                                                    std::to_string(recno) +
                                                    " has a bad memo pointer in " + f.name);
            v = v * 10 + std::uint64_t(c - '0');
            if (v > 0xFFFFFFFFu)
                throw Error(ErrorKind::Corrupt, path.string() + ": memo pointer out of range");
        }
        return std::uint32_t(v);
    }

    // Writes the end-of-file mark after `end`, growing the file by the byte if needed.
    void putEndMark(std::uint64_t end) {
        if (map.length() < end + 1 || dbf.size() < end + 1) {
            dbf.allocate(end + 1);
            map.map(dbf, dbf.size(), true);
        }
        map.data()[end] = char(dbfEndOfFile);
    }

    void finishWrites() {
        post();
        if (!writable() || !map.data())
            return;
        if (modified) {
            stampDbfDate(map.data());
            modified = false;
        }
        if (mode == OpenMode::Exclusive) {
            std::uint64_t end = recordOffset(count() + 1);
            putEndMark(end);
            map.unmap();
            dbf.truncate(end + 1);
            map.map(dbf, end + 1, true);
        }
    }
};

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
        } else {
            if (!std::filesystem::exists(dbt, ec))
                throw Error(ErrorKind::Io,
                            path.string() + ": the memo file " + dbt.string() + " is missing");
            s->memo = openDbt(dbt, lockFor(mode));
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
    if (s.dirty && !s.eof)
        s.land(s.recno);
    s.dirty = false;
}

void Table::appendBlank() {
    State& s = state();
    if (s.blank.size() != s.recordLength)
        s.blank.assign(s.recordLength, ' ');
    s.append(s.blank);
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

void Table::pack() {
    State& s = state();
    s.requireExclusive("pack");
    s.post();
    std::uint32_t n = s.count();
    std::uint32_t kept = 0;
    int lastPercent = -1;
    for (std::uint32_t r = 1; r <= n; ++r) {
        std::string_view bytes = s.stored(r);
        if (bytes[0] != '*') {
            ++kept;
            if (kept != r)
                std::memmove(s.map.data() + s.recordOffset(kept), bytes.data(), s.recordLength);
        }
        int percent = int(std::uint64_t(r) * 100 / n);
        if (s.progress && percent != lastPercent)
            s.progress(lastPercent = percent);
    }
    // Every kept record sits at its new place before the count shrinks.
    s.putEndMark(s.recordOffset(kept + 1));
    std::atomic_thread_fence(std::memory_order_seq_cst);
    writeLe32(s.map.data() + 4, kept);
    s.modified = true;
    if (s.progress && lastPercent != 100)
        s.progress(100);
    for (RecordObserver* o : s.observers)
        o->onPacked();
    s.orderSynced = false;
    top();
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
    std::uint32_t block = s.memo->write(text, s.memoBlock(f));
    std::string bytes;
    if (f.width == 4) {
        bytes.assign(4, '\0');
        writeLe32(bytes.data(), block);
    } else if (block != 0) {
        bytes = std::to_string(block);
        bytes.insert(0, f.width - std::min<std::size_t>(bytes.size(), f.width), ' ');
    }
    setFieldBytes(s.structure.indexOf(name), bytes);
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

void Table::flush() {
    State& s = state();
    s.post();
    if (!s.writable())
        return;
    if (s.modified)
        stampDbfDate(s.map.data());
    s.dbf.sync();
}

} // namespace xbase
