#include "xbase/index_set.h"

#include "xbase/error.h"
#include "xbase/index_order.h"
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
    std::filesystem::path structural = findIgnoringCase(structuralPath());
    if (std::filesystem::exists(structural)) {
        OpenFile& f = openFile(structural, false, false);
        f.structural = true;
    }
    table_->addObserver(this);
}

TableIndexes::~TableIndexes() {
    if (table_->isOpen()) {
        if (current_ != 0)
            table_->setOrder(nullptr);
        table_->removeObserver(this);
    }
}

std::filesystem::path TableIndexes::structuralPath() const {
    std::filesystem::path p = table_->path();
    std::string ext = p.extension().string();
    bool upperCase = !ext.empty() && std::isupper(static_cast<unsigned char>(ext.back()));
    return p.replace_extension(upperCase ? ".CDX" : ".cdx");
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
    if (opened.cdx)
        for (const std::string& name : opened.cdx->tagNames())
            addTag(opened, opened.cdx->tag(name), name);
    else if (opened.idx)
        addTag(opened, opened.idx->tree(), file.stem().string());
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
    tree.setTrail(trailByte(tag->indexed.type));
    tag->order = std::make_unique<TagOrder>(tag->indexed);
    tags_.push_back(std::move(tag));
}

void TableIndexes::open(const std::filesystem::path& file) {
    openFile(file, false, isIdx(file));
}

void TableIndexes::close(const std::filesystem::path& file) {
    auto closing = [&](const OpenFile& f) { return file.empty() || f.path == file; };
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
        f.structural = f.structural || file.empty();
        TagSpec spec{std::string(tag), header.keyExpression, header.forExpression, header.keyLength,
                     trailByte(type),  descending,           option == 1};
        // A tag of the same name is replaced, and with it its order.
        std::string name = CdxFile::tagKey(tag);
        std::erase_if(tags_, [&](const auto& t) {
            return t->file == &f && CdxFile::tagKey(t->indexed.name) == name;
        });
        IndexTree& tree = f.cdx->addTag(spec);
        std::string stored = f.cdx->tagNames().back();
        // Orders of one file stay together, in the file's tag order.
        auto at =
            std::find_if(tags_.begin(), tags_.end(), [&](const auto& t) { return t->file == &f; });
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
    for (auto& t : tags_) {
        IndexTree& tree = *t->indexed.tree;
        std::string where = t->file->path.filename().string() + " tag " + t->indexed.name;
        try {
            tree.validate();
            if (t->indexed.manual)
                continue;
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
    for (auto& t : tags_) {
        if (t->indexed.manual)
            t->indexed.tree->clear();
        else
            buildTag(*t, progress);
    }
}

void TableIndexes::onAppended(const Record& record) {
    for (auto& t : tags_)
        if (!t->indexed.manual && t->indexed.includes(record))
            t->indexed.tree->insert(t->indexed.keyOf(record), record.recno);
}

void TableIndexes::onChanging(const Record& before) {
    before_.assign(tags_.size(), std::nullopt);
    for (std::size_t i = 0; i < tags_.size(); ++i) {
        const IndexedTag& t = tags_[i]->indexed;
        if (!t.manual && t.includes(before))
            before_[i] = t.keyOf(before);
    }
}

void TableIndexes::onChanged(const Record& after) {
    for (std::size_t i = 0; i < tags_.size() && i < before_.size(); ++i) {
        IndexedTag& t = tags_[i]->indexed;
        if (t.manual)
            continue;
        std::optional<std::string> now;
        if (t.includes(after))
            now = t.keyOf(after);
        if (now == before_[i])
            continue;
        if (before_[i])
            t.tree->erase(*before_[i], after.recno);
        if (now)
            t.tree->insert(*now, after.recno);
    }
    before_.clear();
}

void TableIndexes::onPacked() {
    rebuild();
}

void TableIndexes::onZapped() {
    for (auto& t : tags_)
        t->indexed.tree->clear();
}

} // namespace xbase
