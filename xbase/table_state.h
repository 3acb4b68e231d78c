#pragma once

// The inside of an open table, shared by the files that implement Table.

#include "xbase/dbf_header.h"
#include "xbase/field_codec.h"
#include "xbase/file.h"
#include "xbase/mapping.h"
#include "xbase/memo_file.h"
#include "xbase/table.h"
#include "xbase/text.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace xbase {

namespace table_detail {

inline MemoKind memoKindOf(std::uint8_t signature) {
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

inline std::filesystem::path withExtension(const std::filesystem::path& path, const char* upper) {
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

inline FileLock lockFor(OpenMode mode) {
    return mode == OpenMode::Exclusive ? FileLock::Exclusive : FileLock::Shared;
}

// The memo pointer a field of these record bytes holds (0: no memo).
inline std::uint32_t memoBlockIn(std::string_view record, const Field& f, std::uint32_t recno,
                                 const std::filesystem::path& table) {
    std::string_view bytes = record.substr(f.offset, f.width);
    if (f.width == 4)
        return readLe32(bytes.data());
    std::uint64_t v = 0;
    for (char c : trimRight(trimLeft(bytes))) {
        if (!isAsciiDigit(c))
            throw Error(ErrorKind::Corrupt, table.string() + ": record " + std::to_string(recno) +
                                                " has a bad memo pointer in " + f.name);
        v = v * 10 + std::uint64_t(c - '0');
        if (v > 0xFFFFFFFFu)
            throw Error(ErrorKind::Corrupt, table.string() + ": record " + std::to_string(recno) +
                                                " has a memo pointer out of range in " + f.name);
    }
    return std::uint32_t(v);
}

// The bytes of a memo field pointing at `block`: four binary bytes, or the number right
// aligned in the field (blank for no memo).
inline std::string memoPointerBytes(const Field& f, std::uint32_t block) {
    std::string bytes;
    if (f.width == 4) {
        bytes.assign(4, '\0');
        writeLe32(bytes.data(), block);
    } else if (block != 0) {
        bytes = std::to_string(block);
        bytes.insert(0, f.width - std::min<std::size_t>(bytes.size(), f.width), ' ');
    }
    return bytes;
}

// Finishes a pack of this table that a crash cut off after it committed, or drops the new
// files of one that had not committed yet (xbase/table_pack.cpp).
void finishInterruptedPack(const std::filesystem::path& table);

// Header byte 28, bit 0: a structural (same-named compound) index goes with the table.
constexpr std::size_t dbfFlagsOffset = 28;
constexpr char structuralIndexBit = 0x01;

// Growth step of an exclusively open table: the file is preallocated ahead of the
// records so that appends are plain stores, and cut back to size on close.
constexpr std::uint64_t growthStep = 8u << 20;
constexpr std::uint64_t prepareStep = 4u << 20;

} // namespace table_detail

using namespace table_detail;

struct Table::State {
    std::filesystem::path path;
    OpenMode mode = OpenMode::Exclusive;
    File dbf;
    Mapping map;
    std::unique_ptr<MemoFile> memo;
    std::filesystem::path memoPath;
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
    bool draft = false; // the buffer is a new record that post() appends
    bool modified = false;

    std::optional<Expression> query;
    std::string queryText;
    RecordOrder* order = nullptr;
    bool orderSynced = false;
    std::vector<RecordObserver*> observers;
    ProgressCallback progress;
    DamageCallback damage;

    // Tells the damage callback about a fault that was stepped around.
    void noticeDamage(const std::string& what) const {
        if (damage)
            damage(path.string() + ": " + what);
    }

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
        // An index entry may name a record the table no longer (or never) had.
        if (r > count()) [[unlikely]] {
            noticeDamage("an index entry names record " + std::to_string(r) +
                         ", past the end of the table (" + std::to_string(count()) +
                         " records); the entry is passed over");
            return false;
        }
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
        draft = false;
        eof = bof = false;
    }

    void landEof() {
        recno = count() + 1;
        buffer.assign(recordLength, ' ');
        loaded = true;
        dirty = false;
        draft = false;
        eof = true;
        orderSynced = false;
    }

    // Writes the changed record. When an observer cannot follow (a full disk under an
    // index), the stored record is put back, the observers that had followed are turned
    // back, and the change stays pending.
    void post() {
        if (!dirty)
            return;
        requireWritable();
        if (draft) {
            const std::string bytes = record();
            draft = dirty = false;
            try {
                append(bytes);
            } catch (...) {
                // Still the new record, unposted, for the caller to put right or drop.
                buffer = bytes;
                loaded = true;
                recno = count() + 1;
                eof = bof = false;
                draft = dirty = true;
                throw;
            }
            return;
        }
        if (observers.empty()) {
            std::memcpy(map.data() + recordOffset(recno), record().data(), recordLength);
            modified = true;
            dirty = false;
            return;
        }
        const std::string before(stored(recno));
        const Record old{before, recno};
        for (RecordObserver* o : observers)
            o->onChanging(old);
        std::memcpy(map.data() + recordOffset(recno), record().data(), recordLength);
        modified = true;
        std::size_t followed = 0;
        try {
            for (; followed < observers.size(); ++followed)
                observers[followed]->onChanged(current());
        } catch (...) {
            std::memcpy(map.data() + recordOffset(recno), before.data(), recordLength);
            for (std::size_t i = 0; i < followed; ++i) {
                try {
                    observers[i]->onChanging(current());
                    observers[i]->onChanged(old);
                } catch (...) {
                    // The observer knows itself that it is out of step.
                }
            }
            throw;
        }
        dirty = false;
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
        std::size_t followed = 0;
        try {
            for (; followed < observers.size(); ++followed)
                observers[followed]->onAppended(current());
        } catch (...) {
            // All or nothing: the observers that took the record give it back and the
            // record leaves the table again.
            for (std::size_t i = 0; i < followed; ++i) {
                try {
                    observers[i]->onRemoving(current());
                } catch (...) {
                }
            }
            writeLe32(map.data() + 4, n);
            map.data()[off] = char(dbfEndOfFile);
            landEof();
            throw;
        }
    }

    // Removes the records after the first `keep` (undoing appends), the last first.
    void removeAfter(std::uint32_t keep) {
        requireWritable();
        post();
        for (std::uint32_t n = count(); n > keep; --n) {
            const Record going{stored(n), n};
            for (RecordObserver* o : observers)
                o->onRemoving(going);
            map.data()[recordOffset(n)] = char(dbfEndOfFile);
            writeLe32(map.data() + 4, n - 1);
            modified = true;
        }
        landEof();
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

    std::uint32_t memoBlock(const Field& f) const { return memoBlockIn(record(), f, recno, path); }

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

} // namespace xbase
