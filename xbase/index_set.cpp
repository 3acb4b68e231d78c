#include "xbase/index_set.h"

#include "xbase/error.h"
#include "xbase/index_order.h"
#include "xbase/index_stamp.h"
#include "xbase/run_both.h"

#include <algorithm>
#include <cctype>

namespace xbase {

struct TableIndexes::OpenFile {
    std::filesystem::path path;
    std::unique_ptr<CdxFile> cdx;
    std::unique_ptr<IdxFile> idx;
    bool structural = false;
};

struct TableIndexes::Tag {
    OpenFile* file = nullptr;
    IndexedTag indexed;
    std::unique_ptr<TagOrder> order;
    std::string refusal; // why this engine cannot keep the tag up to date, empty when it can
};

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool isIdx(const std::filesystem::path& file) {
    return lower(file.extension().string()) == ".idx";
}

// A key scan fetches the bytes of the record this far ahead.
constexpr std::size_t prefetchRecords = 8;

// Restores the table's current record when an index operation walked it.
class PositionKeeper {
public:
    explicit PositionKeeper(Table& table) : table_(table), recno_(table.recno()) {}
    ~PositionKeeper() {
        try {
            if (recno_ >= 1 && recno_ <= table_.recordCount())
                table_.goTo(recno_);
        } catch (const Error&) {
        }
    }

private:
    Table& table_;
    std::uint32_t recno_;
};

} // namespace

TableIndexes::TableIndexes(Table& table) : table_(&table) {
    const bool writable = table_->mode() != OpenMode::ReadOnly;
    std::filesystem::path structural = findIgnoringCase(structuralPath());
    const bool present = std::filesystem::exists(structural);
    if (present) {
        OpenFile& f = openFile(structural, false, false);
        f.structural = true;
        checkStamp();
    }
    if (writable)
        table_->setStructuralIndexFlag(present);
    table_->addObserver(this);
}

TableIndexes::~TableIndexes() {
    try {
        flush();
    } catch (const Error&) {
        // The stamp stays "writing": the next open finds the index stale.
    }
    if (table_->isOpen()) {
        if (current_ != 0)
            table_->setOrder(nullptr);
        table_->removeObserver(this);
    }
}

TableIndexes::OpenFile* TableIndexes::structuralFile() const {
    for (const auto& f : files_)
        if (f->structural && f->cdx)
            return f.get();
    return nullptr;
}

void TableIndexes::checkStamp() {
    OpenFile* f = structuralFile();
    if (!f)
        return;
    stampable_ = table_->mode() != OpenMode::ReadOnly;
    const TableStamp stamp = readTableStamp(f->cdx->storage());
    const std::string name = f->path.filename().string();
    if (stamp.state == TableStamp::State::Writing) {
        stale_ =
            name + " was being changed when its program stopped, so it may not match the table";
        if (stampable_)
            fingerprint_ = tableFingerprint(*table_);
        return;
    }
    if (!stampable_ && stamp.state == TableStamp::State::None)
        return;
    fingerprint_ = tableFingerprint(*table_);
    if (stamp.state != TableStamp::State::Clean)
        return;
    const std::uint32_t records = table_->recordCount();
    if (stamp.records != records)
        stale_ = name + " was made for " + std::to_string(stamp.records) +
                 " records, but the table has " + std::to_string(records);
    else if (stamp.fingerprint != fingerprint_)
        stale_ = name + " does not match the table's records: they were changed without it, " +
                 "or it belongs to another copy of the table";
}

void TableIndexes::writeStamp(bool clean) {
    OpenFile* f = structuralFile();
    if (!f)
        return;
    TableStamp stamp;
    stamp.state = clean ? TableStamp::State::Clean : TableStamp::State::Writing;
    stamp.records = table_->recordCount();
    stamp.fingerprint = fingerprint_;
    writeTableStamp(f->cdx->storage(), stamp);
    f->cdx->flush();
}

void TableIndexes::beginChange() {
    if (!stampable_ || writing_)
        return;
    writeStamp(false);
    writing_ = true;
}

void TableIndexes::flush() {
    if (table_->mode() == OpenMode::ReadOnly)
        return;
    for (auto& f : files_) {
        if (f->cdx)
            f->cdx->flush();
        else if (f->idx)
            f->idx->flush();
    }
    // Only once the nodes are on the disk may the stamp vouch for them.
    if (stampable_ && writing_ && !inDoubt_) {
        writeStamp(true);
        writing_ = false;
    }
}

void TableIndexes::dropStructural() {
    std::filesystem::path file = findIgnoringCase(structuralPath());
    if (OpenFile* f = structuralFile()) {
        file = f->path;
        stampable_ = false; // the file goes: no stamp to write
        close(file);
    }
    std::error_code ec;
    std::filesystem::remove(file, ec);
    if (ec)
        throw Error(ErrorKind::Io, file.string() + ": cannot delete the index: " + ec.message());
    writing_ = inDoubt_ = false;
    stale_.clear();
    if (table_->mode() != OpenMode::ReadOnly)
        table_->setStructuralIndexFlag(false);
}

std::filesystem::path structuralIndexPath(const std::filesystem::path& table) {
    std::filesystem::path p = table;
    std::string ext = p.extension().string();
    bool upperCase = !ext.empty() && std::isupper(static_cast<unsigned char>(ext.back()));
    return p.replace_extension(upperCase ? ".CDX" : ".cdx");
}

std::filesystem::path TableIndexes::structuralPath() const {
    return structuralIndexPath(table_->path());
}

TableIndexes::OpenFile& TableIndexes::openFile(const std::filesystem::path& file, bool create,
                                               bool idx) {
    for (auto& f : files_)
        if (f->path == file)
            return *f;
    auto f = std::make_unique<OpenFile>();
    f->path = file;
    bool writable = table_->mode() != OpenMode::ReadOnly;
    if (idx) {
        if (!create)
            f->idx = std::make_unique<IdxFile>(IdxFile::open(file, writable));
    } else {
        f->cdx = std::make_unique<CdxFile>(create ? CdxFile::create(file)
                                                  : CdxFile::open(file, writable));
    }
    files_.push_back(std::move(f));
    OpenFile& opened = *files_.back();
    try {
        if (opened.cdx)
            for (const std::string& name : opened.cdx->tagNames())
                addTag(opened, opened.cdx->tag(name), name);
        else if (opened.idx)
            addTag(opened, opened.idx->tree(), file.stem().string());
        // Before anything is written: a tag kept wrongly would be worse than none.
        if (writable)
            for (const auto& t : tags_)
                if (t->file == &opened && !t->refusal.empty())
                    throw Error(ErrorKind::Unsupported,
                                file.string() + ": tag " + t->indexed.name +
                                    " cannot be kept up to date by this program (" + t->refusal +
                                    "); open the table read-only, or rebuild the index");
    } catch (...) {
        std::erase_if(tags_, [&](const auto& t) { return t->file == &opened; });
        files_.pop_back();
        throw;
    }
    return opened;
}

void TableIndexes::addTag(OpenFile& file, IndexTree& tree, std::string name) {
    auto tag = std::make_unique<Tag>();
    tag->file = &file;
    Expression key = table_->compile(tree.header().keyExpression);
    tag->indexed.type = keyTypeOf(key.type());
    tag->indexed.key = std::move(key);
    if (!tree.header().forExpression.empty())
        tag->indexed.condition = table_->compile(tree.header().forExpression);
    tag->indexed.tree = &tree;
    tag->indexed.name = std::move(name);
    tag->indexed.unique = tree.header().options & index_option::unique;
    const IndexHeader& h = tree.header();
    if (h.options & (index_option::temporary | index_option::custom | index_option::bitVector))
        tag->refusal = "its own program keeps its keys by hand";
    else if (h.ignoreCase)
        tag->refusal = "the index turns its keys to upper case itself";
    else if (tag->indexed.type != KeyType::Character &&
             tree.keyLength() != keyLengthOf(*tag->indexed.key))
        tag->refusal = "its keys are " + std::to_string(tree.keyLength()) +
                       " bytes long where this program makes them " +
                       std::to_string(keyLengthOf(*tag->indexed.key));
    tree.setTrail(trailByte(tag->indexed.type));
    tag->order = std::make_unique<TagOrder>(tag->indexed);
    tags_.push_back(std::move(tag));
}

void TableIndexes::open(const std::filesystem::path& file) {
    openFile(file, false, isIdx(file));
}

void TableIndexes::close(const std::filesystem::path& file) {
    auto closing = [&](const OpenFile& f) { return file.empty() || f.path == file; };
    if (OpenFile* s = structuralFile(); s && closing(*s)) {
        if (stampable_ && writing_ && !inDoubt_) {
            s->cdx->flush(); // the nodes reach the disk before the stamp that vouches for them
            writeStamp(true);
        }
        stampable_ = writing_ = false;
    }
    if (current_ != 0 && closing(*tagAt(current_).file)) {
        table_->setOrder(nullptr);
        current_ = 0;
    }
    RecordOrder* controlling = current_ ? tagAt(current_).order.get() : nullptr;
    std::erase_if(tags_, [&](const auto& t) { return closing(*t->file); });
    std::erase_if(files_, [&](const auto& f) { return closing(*f); });
    current_ = 0;
    for (std::size_t i = 0; i < tags_.size(); ++i)
        if (tags_[i]->order.get() == controlling)
            current_ = static_cast<int>(i) + 1;
}

const KeyBlock& TableIndexes::expectedKeys(Tag& tag, const ProgressCallback& progress) {
    const std::uint32_t count = table_->recordCount();
    KeyBlock& keys = scratch_;
    keys.reset(tag.indexed.tree->keyLength());
    if (count == 0)
        return keys;
    // Reading the last record first maps the whole file, so that the reads below only read.
    table_->storedRecord(count);
    keys.resize(count);
    // Fills the slots from `slot` on with the keys of records from..to; answers how many.
    auto collect = [&](const IndexedTag& indexed, std::uint32_t from, std::uint32_t to,
                       std::size_t slot, const ProgressCallback* report) {
        const std::size_t first = slot;
        int reported = -1;
        // Records lie one after the other in the mapped file; fetching the bytes the key
        // reads a few records ahead keeps the scan from waiting on memory.
        Expression::Span span = indexed.key->recordSpan();
        if (indexed.condition && indexed.condition->recordSpan().to > 0) {
            Expression::Span c = indexed.condition->recordSpan();
            span = span.to > span.from
                       ? Expression::Span{std::min(span.from, c.from), std::max(span.to, c.to)}
                       : c;
        }
        const std::size_t length = table_->structure().recordLength();
        for (std::uint32_t r = from; r <= to; ++r) {
            Record record = table_->storedRecord(r);
            if (r + prefetchRecords <= to && span.to > span.from) {
                const char* ahead = record.bytes.data() + prefetchRecords * length;
                for (std::size_t at = span.from; at < span.to; at += 64)
                    __builtin_prefetch(ahead + at);
                __builtin_prefetch(ahead + span.to - 1);
            }
            if (indexed.includes(record)) {
                indexed.writeKey(record, keys.keySlot(slot));
                keys.setRecno(slot++, r);
            }
            int percent = static_cast<int>(std::uint64_t(r - from + 1) * 100 / (to - from + 1));
            if (report && *report && percent != reported)
                (*report)(reported = percent);
        }
        return slot - first;
    };
    // A large table is read by two threads, each evaluating the keys of one half with its
    // own compiled expressions (evaluation keeps scratch space in them); progress is reported
    // from this thread only.
    const bool together = count >= twoThreadsFrom;
    const std::uint32_t half = together ? count / 2 : count;
    IndexedTag second;
    if (together) {
        second.tree = tag.indexed.tree;
        second.type = tag.indexed.type;
        second.key = table_->compile(tag.indexed.tree->header().keyExpression);
        if (tag.indexed.condition)
            second.condition = table_->compile(tag.indexed.tree->header().forExpression);
    }
    std::size_t lower = 0, upper = 0;
    runBoth(
        together, [&] { lower = collect(tag.indexed, 1, half, 0, &progress); },
        [&] {
            if (together)
                upper = collect(second, half + 1, count, half, nullptr);
        });
    // Records the condition left out leave gaps to close.
    keys.erase(half + upper, count);
    keys.erase(lower, half);
    keys.sort();
    if (tag.indexed.unique)
        keys.keepFirstOfEachKey();
    return keys;
}

void TableIndexes::buildTag(Tag& tag, const ProgressCallback& progress) {
    PositionKeeper keep(*table_);
    if (progress)
        progress(0);
    tag.indexed.tree->buildSorted(expectedKeys(tag, progress));
    if (progress)
        progress(100);
}

void TableIndexes::indexTag(const std::filesystem::path& file, std::string_view tag,
                            std::string_view keyExpression, int option, bool descending,
                            std::string_view forExpression, const ProgressCallback& progress) {
    table_->post();
    Expression key = table_->compile(keyExpression);
    if (!forExpression.empty() && table_->compile(forExpression).type() != ValueType::Logical)
        throw Error(ErrorKind::Value, "the index condition must be logical");
    KeyType type = keyTypeOf(key.type());
    IndexHeader header;
    header.keyLength = keyLengthOf(key);
    header.keyExpression = std::string(keyExpression);
    header.forExpression = std::string(forExpression);
    header.descending = descending;
    if (option == 1)
        header.options |= index_option::unique;

    // The new tag becomes the controlling order; until then record order, so that
    // no order replaced below is left in use.
    setOrder(0);
    std::filesystem::path path = file.empty() ? structuralPath() : file;
    if (isIdx(path))
        close(path); // a single-order file is made anew
    Tag* made = nullptr;
    try {
        if (isIdx(path)) {
            auto f = std::make_unique<OpenFile>();
            f->path = path;
            f->idx = std::make_unique<IdxFile>(IdxFile::create(path, header, trailByte(type)));
            files_.push_back(std::move(f));
            addTag(*files_.back(), files_.back()->idx->tree(), path.stem().string());
            made = tags_.back().get();
            made->indexed.manual = option == emptyWorkIndex;
        } else {
            std::filesystem::path existing = findIgnoringCase(path);
            bool exists = std::filesystem::exists(existing);
            OpenFile& f = openFile(exists ? existing : path, !exists, false);
            if (file.empty() && !f.structural) {
                // A structural index made now: from here on it is stamped and the table says
                // it has one.
                f.structural = true;
                checkStamp();
                if (stampable_)
                    table_->setStructuralIndexFlag(true);
            }
            if (f.structural)
                beginChange();
            TagSpec spec{std::string(tag), header.keyExpression, header.forExpression,
                         header.keyLength, trailByte(type),      descending,
                         option == 1};
            // A tag of the same name is replaced, and with it its order.
            std::string name = CdxFile::tagKey(tag);
            std::erase_if(tags_, [&](const auto& t) {
                return t->file == &f && CdxFile::tagKey(t->indexed.name) == name;
            });
            IndexTree& tree = f.cdx->addTag(spec);
            std::string stored = f.cdx->tagNames().back();
            // Orders of one file stay together, in the file's tag order.
            auto at = std::find_if(tags_.begin(), tags_.end(),
                                   [&](const auto& t) { return t->file == &f; });
            while (at != tags_.end() && (*at)->file == &f)
                ++at;
            std::size_t position = static_cast<std::size_t>(at - tags_.begin());
            addTag(f, tree, stored);
            std::rotate(tags_.begin() + position, tags_.end() - 1, tags_.end());
            made = tags_[position].get();
        }
        if (option != emptyWorkIndex)
            buildTag(*made, progress);
        else if (progress)
            progress(100);
    } catch (...) {
        if (!isIdx(path))
            inDoubt_ = true; // a tag half made or half built
        throw;
    }
    for (std::size_t i = 0; i < tags_.size(); ++i)
        if (tags_[i].get() == made)
            setOrder(static_cast<int>(i) + 1);
}

void TableIndexes::addKey() {
    if (current_ == 0)
        throw Error(ErrorKind::State, "adding a key needs an index order");
    Tag& tag = tagAt(current_);
    table_->post();
    Record record = table_->record();
    if (table_->eof() || record.recno == 0)
        throw Error(ErrorKind::State, "adding a key needs a current record");
    if (tag.indexed.includes(record))
        tag.indexed.tree->insert(tag.indexed.keyOf(record), record.recno);
}

void TableIndexes::addKey(int number, std::uint32_t recno) {
    Tag& tag = tagAt(number);
    if (!tag.indexed.manual)
        throw Error(ErrorKind::State, "keys are added only to a work index");
    const Record record = table_->storedRecord(recno);
    if (tag.indexed.includes(record))
        tag.indexed.tree->insert(tag.indexed.keyOf(record), record.recno);
}

void TableIndexes::addKeysOf(int number, const std::vector<std::uint32_t>& recnos) {
    Tag& tag = tagAt(number);
    if (!tag.indexed.manual)
        throw Error(ErrorKind::State, "keys are added only to a work index");
    IndexTree& tree = *tag.indexed.tree;
    if (tree.first().leaf != 0) {
        for (std::uint32_t recno : recnos)
            addKey(number, recno);
        return;
    }
    KeyBlock& keys = scratch_;
    keys.reset(tree.keyLength());
    keys.reserve(recnos.size());
    for (std::uint32_t recno : recnos) {
        const Record record = table_->storedRecord(recno);
        if (tag.indexed.includes(record))
            tag.indexed.writeKey(record, keys.push(recno));
    }
    keys.sort();
    tree.buildSorted(keys);
}

TableIndexes::Tag& TableIndexes::tagAt(int number) const {
    if (number == -1)
        number = current_;
    if (number < 1 || number > orderCount())
        throw Error(ErrorKind::Value, "no index order " + std::to_string(number));
    return *tags_[static_cast<std::size_t>(number - 1)];
}

int TableIndexes::orderOf(std::string_view tag) const {
    std::string wanted = CdxFile::tagKey(tag);
    for (std::size_t i = 0; i < tags_.size(); ++i)
        if (CdxFile::tagKey(tags_[i]->indexed.name) == wanted)
            return static_cast<int>(i) + 1;
    return 0;
}

void TableIndexes::setOrder(int number) {
    if (number == 0) {
        table_->setOrder(nullptr);
        current_ = 0;
        return;
    }
    Tag& tag = tagAt(number);
    table_->setOrder(tag.order.get());
    current_ = number;
}

void TableIndexes::setOrder(std::string_view tag) {
    if (tag.empty()) {
        setOrder(0);
        return;
    }
    int number = orderOf(tag);
    if (number == 0)
        throw Error(ErrorKind::Value, "no index tag " + std::string(tag));
    setOrder(number);
}

std::string TableIndexes::tagName(int number) const {
    if (number == -1 && current_ == 0)
        return {};
    return tagAt(number).indexed.name;
}

std::string TableIndexes::keyExpression(int number) const {
    if (number == -1 && current_ == 0)
        return {};
    return tagAt(number).indexed.tree->header().keyExpression;
}

std::string TableIndexes::forExpression(int number) const {
    if (number == -1 && current_ == 0)
        return {};
    return tagAt(number).indexed.tree->header().forExpression;
}

bool TableIndexes::descending(int number) const {
    return !(number == -1 && current_ == 0) && tagAt(number).indexed.tree->descending();
}

std::filesystem::path TableIndexes::indexFile(int number) const {
    if (number == -1 && current_ == 0)
        return {};
    return tagAt(number).file->path;
}

std::vector<std::string> TableIndexes::tagNames() const {
    std::vector<std::string> names;
    for (const auto& t : tags_)
        names.push_back(t->indexed.name);
    return names;
}

void TableIndexes::setScope(std::string_view top, std::string_view bottom) {
    if (current_ == 0)
        throw Error(ErrorKind::State, "a scope needs an index order");
    tagAt(current_).order->setScope(top, bottom);
}

void TableIndexes::clearScope() {
    if (current_ != 0)
        tagAt(current_).order->clearScope();
}

std::string TableIndexes::keyOf(int number, const Record& record) const {
    return tagAt(number).indexed.keyOf(record);
}

std::vector<std::string> TableIndexes::check() {
    table_->post();
    PositionKeeper keep(*table_);
    std::vector<std::string> problems;
    if (!stale_.empty())
        problems.push_back(stale_);
    const std::uint32_t records = table_->recordCount();
    for (auto& t : tags_) {
        IndexTree& tree = *t->indexed.tree;
        std::string where = t->file->path.filename().string() + " tag " + t->indexed.name;
        try {
            tree.validate();
            if (t->indexed.manual)
                continue;
            // An entry past the table's end is the worst kind of disagreement: name it.
            std::uint32_t pastEnd = 0;
            IndexCursor scan(tree);
            for (bool more = scan.first(); more && pastEnd == 0; more = scan.next())
                if (scan.recno() > records)
                    pastEnd = scan.recno();
            if (pastEnd != 0) {
                problems.push_back(where + ": an entry names record " + std::to_string(pastEnd) +
                                   ", past the end of the table (" + std::to_string(records) +
                                   " records)");
                continue;
            }
            const KeyBlock& want = expectedKeys(*t, {});
            IndexCursor cursor(tree);
            std::size_t i = 0;
            bool ok = cursor.first();
            for (; ok && i < want.size(); ok = cursor.next(), ++i)
                if (cursor.key() != want.key(i) || cursor.recno() != want.recno(i))
                    break;
            if (ok || i != want.size())
                problems.push_back(where + ": disagrees with the table at entry " +
                                   std::to_string(i + 1));
        } catch (const Error& e) {
            problems.push_back(where + ": " + e.what());
        }
    }
    return problems;
}

void TableIndexes::rebuild(const ProgressCallback& progress) {
    table_->post();
    beginChange();
    try {
        for (auto& t : tags_) {
            if (t->indexed.manual)
                t->indexed.tree->clear();
            else
                buildTag(*t, progress);
        }
    } catch (...) {
        inDoubt_ = true;
        throw;
    }
    // Every tag now follows the table, whatever came before.
    inDoubt_ = false;
    stale_.clear();
}

namespace {

// A key change to apply to one tag: take `from` out, put `to` in.
struct KeyChange {
    IndexTree* tree;
    std::optional<std::string> from, to;
};

// Applies the changes in order. When one fails, the ones done are turned back (best
// effort) and the error goes on; `failed` tells the caller that a tree may be half written.
void applyChanges(std::vector<KeyChange>& changes, std::uint32_t recno, bool& failed) {
    std::size_t done = 0;
    bool erased = false;
    try {
        for (; done < changes.size(); ++done) {
            KeyChange& c = changes[done];
            erased = false;
            if (c.from)
                erased = c.tree->erase(*c.from, recno);
            if (c.to)
                c.tree->insert(*c.to, recno);
        }
    } catch (...) {
        failed = true;
        try {
            if (erased)
                changes[done].tree->insert(*changes[done].from, recno);
            while (done-- > 0) {
                KeyChange& c = changes[done];
                if (c.to)
                    c.tree->erase(*c.to, recno);
                if (c.from)
                    c.tree->insert(*c.from, recno);
            }
        } catch (...) {
        }
        throw;
    }
}

} // namespace

void TableIndexes::addKeys(const Record& record) {
    // Keys are made first: an expression that fails leaves every tag untouched.
    std::vector<KeyChange> changes;
    for (auto& t : tags_)
        if (!t->indexed.manual && t->indexed.includes(record))
            changes.push_back({t->indexed.tree, std::nullopt, t->indexed.keyOf(record)});
    applyChanges(changes, record.recno, inDoubt_);
}

void TableIndexes::removeKeys(const Record& record) {
    std::vector<KeyChange> changes;
    for (auto& t : tags_)
        if (!t->indexed.manual && t->indexed.includes(record))
            changes.push_back({t->indexed.tree, t->indexed.keyOf(record), std::nullopt});
    applyChanges(changes, record.recno, inDoubt_);
}

void TableIndexes::onAppended(const Record& record) {
    beginChange();
    addKeys(record);
    fingerprint_ += recordFingerprint(record);
}

void TableIndexes::onRemoving(const Record& record) {
    beginChange();
    removeKeys(record);
    fingerprint_ -= recordFingerprint(record);
}

void TableIndexes::onChanging(const Record& before) {
    beginChange();
    before_.assign(tags_.size(), std::nullopt);
    for (std::size_t i = 0; i < tags_.size(); ++i) {
        const IndexedTag& t = tags_[i]->indexed;
        if (!t.manual && t.includes(before))
            before_[i] = t.keyOf(before);
    }
    beforeShare_ = recordFingerprint(before);
}

void TableIndexes::onChanged(const Record& after) {
    std::vector<KeyChange> changes;
    for (std::size_t i = 0; i < tags_.size() && i < before_.size(); ++i) {
        IndexedTag& t = tags_[i]->indexed;
        if (t.manual)
            continue;
        std::optional<std::string> now;
        if (t.includes(after))
            now = t.keyOf(after);
        if (now != before_[i])
            changes.push_back({t.tree, before_[i], std::move(now)});
    }
    applyChanges(changes, after.recno, inDoubt_);
    fingerprint_ += recordFingerprint(after) - beforeShare_;
    before_.clear();
}

void TableIndexes::onPacked() {
    beginChange();
    fingerprint_ = tableFingerprint(*table_);
    rebuild();
}

void TableIndexes::onZapped() {
    beginChange();
    fingerprint_ = 0;
    for (auto& t : tags_)
        t->indexed.tree->clear();
}

} // namespace xbase
