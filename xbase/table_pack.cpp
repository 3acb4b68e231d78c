// Packing a table: the kept records and their memos go to new files, which take the place of
// the old ones once complete. The commit point is a small marker file: before it exists a
// crash leaves the old files untouched (the new ones are dropped at the next open); once it
// exists the next open finishes the renaming.
#include "xbase/table_state.h"

#include <system_error>

namespace xbase {

namespace {

std::filesystem::path packingName(const std::filesystem::path& file) {
    return file.string() + ".packing";
}

std::filesystem::path committedName(const std::filesystem::path& table) {
    return table.string() + ".packed";
}

std::filesystem::path memoPathOf(const std::filesystem::path& table) {
    return findIgnoringCase(withExtension(table, ".FPT"));
}

void removeQuietly(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::remove(file, ec);
}

bool present(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::exists(file, ec);
}

// Collects the kept records and writes them out in large pieces.
class RecordWriter {
public:
    RecordWriter(File& file, std::uint64_t offset) : file_(file), offset_(offset) {
        pending_.reserve(chunk);
    }
    void add(std::string_view bytes) {
        pending_.append(bytes);
        if (pending_.size() >= chunk)
            flush();
    }
    void flush() {
        if (pending_.empty())
            return;
        file_.writeAt(offset_, pending_.data(), pending_.size());
        offset_ += pending_.size();
        pending_.clear();
    }
    std::uint64_t end() const { return offset_ + pending_.size(); }

private:
    static constexpr std::size_t chunk = 1u << 20;
    File& file_;
    std::uint64_t offset_;
    std::string pending_;
};

} // namespace

namespace table_detail {

void finishInterruptedPack(const std::filesystem::path& table) {
    const std::filesystem::path marker = committedName(table), newTable = packingName(table);
    const std::filesystem::path memo = memoPathOf(table), newMemo = packingName(memo);
    const bool committed = present(marker);
    if (!committed && !present(newTable) && !present(newMemo))
        return;
    // Only with the table to ourselves: a packer at work holds it too.
    File guard;
    try {
        guard = File(table, false, false, FileLock::Exclusive);
    } catch (const Error& e) {
        if (e.kind() == ErrorKind::Locked)
            return;
        throw;
    }
    if (!committed) {
        removeQuietly(newTable);
        removeQuietly(newMemo);
        return;
    }
    std::error_code ec;
    if (present(newMemo))
        std::filesystem::rename(newMemo, memo, ec);
    if (!ec && present(newTable))
        std::filesystem::rename(newTable, table, ec);
    if (ec)
        throw Error(ErrorKind::Io,
                    table.string() + ": cannot finish the pack that was cut off: " + ec.message());
    syncFolder(table.parent_path());
    removeQuietly(marker);
}

} // namespace table_detail

void Table::pack() {
    State& s = state();
    s.requireExclusive("pack");
    s.post();
    const std::filesystem::path folder = s.path.parent_path();
    const bool newMemoFile = s.memo && s.memoKind == MemoKind::Fpt;
    const std::filesystem::path newTable = packingName(s.path), marker = committedName(s.path);
    const std::filesystem::path newMemo = newMemoFile ? packingName(s.memoPath) : "";
    bool committed = false;
    struct Cleanup {
        const std::filesystem::path &table, &memo;
        const bool& committed;
        ~Cleanup() {
            if (!committed) {
                removeQuietly(table);
                if (!memo.empty())
                    removeQuietly(memo);
            }
        }
    } cleanup{newTable, newMemo, committed};
    removeQuietly(marker);

    File out(newTable, true, true, FileLock::Exclusive);
    out.truncate(0);
    std::unique_ptr<MemoFile> memoOut;
    if (newMemoFile) {
        createFpt(newMemo, s.memo->blockSize());
        memoOut = openFpt(newMemo, true, FileLock::Exclusive);
    }
    std::vector<const Field*> memoFields;
    if (memoOut)
        for (const Field& f : s.structure.fields())
            if (f.isMemo())
                memoFields.push_back(&f);

    const std::uint32_t n = s.count();
    std::string header(s.map.data(), s.headerLength);
    RecordWriter records(out, s.headerLength);
    std::string copy;
    std::uint32_t kept = 0, unreadable = 0;
    int lastPercent = -1;
    for (std::uint32_t r = 1; r <= n; ++r) {
        std::string_view bytes = s.stored(r);
        if (bytes[0] != '*') {
            ++kept;
            if (!memoFields.empty()) {
                copy.assign(bytes);
                for (const Field* f : memoFields) {
                    std::string text;
                    try {
                        text = s.memo->read(memoBlockIn(copy, *f, r, s.path));
                    } catch (const Error& e) {
                        if (e.kind() != ErrorKind::Corrupt)
                            throw;
                        ++unreadable;
                    }
                    const std::string pointer = memoPointerBytes(*f, memoOut->write(text, 0));
                    std::memset(copy.data() + f->offset, ' ', f->width);
                    std::memcpy(copy.data() + f->offset, pointer.data(), pointer.size());
                }
                records.add(copy);
            } else {
                records.add(bytes);
            }
        }
        const int percent = int(std::uint64_t(r) * 100 / n);
        if (s.progress && percent != lastPercent)
            s.progress(lastPercent = percent);
    }
    records.add(std::string_view("\x1A", 1));
    records.flush();
    writeLe32(header.data() + 4, kept);
    stampDbfDate(header.data());
    out.writeAt(0, header.data(), header.size());
    out.sync();
    if (memoOut)
        memoOut->flush();

    {
        File commit(marker, true, true, FileLock::None);
        commit.writeAt(0, "packed\n", 7);
        commit.sync();
    }
    syncFolder(folder);
    committed = true;
    // From here on the next open finishes the work should anything below fail.
    if (memoOut)
        memoOut->rename(s.memoPath);
    out.rename(s.path);
    syncFolder(folder);
    removeQuietly(marker);

    s.map.unmap();
    s.dbf = std::move(out);
    s.map.map(s.dbf, s.dbf.size(), true);
    if (memoOut)
        s.memo = std::move(memoOut);
    s.prepared = 0;
    s.modified = false;
    s.loaded = false;
    if (unreadable > 0)
        s.noticeDamage(std::to_string(unreadable) +
                       " memos could not be read and were left empty by the pack");
    if (s.progress && lastPercent != 100)
        s.progress(100);
    for (RecordObserver* o : s.observers)
        o->onPacked();
    s.orderSynced = false;
    top();
}

} // namespace xbase
