#include "xbase/cdx_file.h"

#include "xbase/error.h"

#include <algorithm>
#include <cctype>

namespace xbase {

namespace {

std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

std::string trimmedName(const std::string& key) {
    std::size_t end = key.size();
    while (end > 0 && (key[end - 1] == ' ' || key[end - 1] == '\0'))
        --end;
    return key.substr(0, end);
}

IndexHeader directoryHeader() {
    IndexHeader h;
    h.keyLength = CdxFile::tagNameLength;
    h.options = index_option::compact | index_option::compound | index_option::tagList;
    return h;
}

} // namespace

std::string CdxFile::tagKey(std::string_view name) {
    std::string key = upper(name.substr(0, tagNameLength));
    key.resize(tagNameLength, ' ');
    return key;
}

CdxFile::CdxFile(std::unique_ptr<IndexStorage> storage)
    : storage_(std::move(storage)), space_(std::make_unique<IndexSpace>(*storage_)) {
    if (storage_->size() == 0) {
        directory_ =
            std::make_unique<IndexTree>(IndexTree::create(*space_, 0, directoryHeader(), ' '));
        return;
    }
    if (storage_->size() < indexHeaderSize + nodeSize)
        throw Error(ErrorKind::Corrupt, storage_->name() + ": too short for a compound index");
    directory_ = std::make_unique<IndexTree>(*space_, 0, ' ');
    if (directory_->keyLength() != tagNameLength)
        throw Error(ErrorKind::Corrupt, storage_->name() + ": the tag list has key length " +
                                            std::to_string(directory_->keyLength()));
    load();
}

CdxFile CdxFile::open(const std::filesystem::path& path, bool writable) {
    File file(path, writable, false, writable ? FileLock::Exclusive : FileLock::Shared);
    if (file.size() == 0)
        throw Error(ErrorKind::Corrupt, path.string() + ": the compound index file is empty");
    return CdxFile(std::make_unique<FileIndexStorage>(std::move(file)));
}

CdxFile CdxFile::create(const std::filesystem::path& path) {
    File file(path, true, true, FileLock::Exclusive);
    file.truncate(0);
    return CdxFile(std::make_unique<FileIndexStorage>(std::move(file)));
}

void CdxFile::load() {
    tags_.clear();
    directory_->validate();
    IndexCursor cursor(*directory_);
    for (bool more = cursor.first(); more; more = cursor.next()) {
        std::uint32_t offset = cursor.recno();
        if (offset % nodeSize != 0 || offset < indexHeaderSize ||
            std::uint64_t(offset) + indexHeaderSize > storage_->size())
            throw Error(ErrorKind::Corrupt, storage_->name() + ": tag " +
                                                trimmedName(cursor.key()) +
                                                " has its header outside the file");
        tags_.push_back({trimmedName(cursor.key()), std::make_unique<IndexTree>(*space_, offset)});
    }
    std::sort(tags_.begin(), tags_.end(), [](const Tag& a, const Tag& b) {
        return a.tree->headerOffset() < b.tree->headerOffset();
    });
    for (std::size_t i = 1; i < tags_.size(); ++i)
        if (tags_[i].tree->headerOffset() == tags_[i - 1].tree->headerOffset())
            throw Error(ErrorKind::Corrupt, storage_->name() + ": two tags share one header");
}

std::vector<std::string> CdxFile::tagNames() const {
    std::vector<std::string> names;
    for (const Tag& t : tags_)
        names.push_back(t.name);
    return names;
}

IndexTree* CdxFile::findTag(std::string_view name) {
    std::string wanted = trimmedName(tagKey(name));
    for (Tag& t : tags_)
        if (upper(t.name) == wanted)
            return t.tree.get();
    return nullptr;
}

IndexTree& CdxFile::tag(std::string_view name) {
    if (IndexTree* t = findTag(name))
        return *t;
    throw Error(ErrorKind::Value, storage_->name() + ": no tag " + std::string(name));
}

IndexTree& CdxFile::addTag(const TagSpec& spec) {
    std::string key = tagKey(spec.name);
    if (trimmedName(key).empty())
        throw Error(ErrorKind::Value, "a tag needs a name");
    removeTag(spec.name);
    IndexHeader h;
    h.keyLength = spec.keyLength;
    h.options =
        index_option::compact | index_option::compound | (spec.unique ? index_option::unique : 0);
    h.descending = spec.descending;
    h.keyExpression = spec.keyExpression;
    h.forExpression = spec.forExpression;
    std::uint32_t offset = space_->allocateHeader();
    auto tree = std::make_unique<IndexTree>(IndexTree::create(*space_, offset, h, spec.trail));
    directory_->insert(key, offset);
    tags_.push_back({trimmedName(key), std::move(tree)});
    return *tags_.back().tree;
}

bool CdxFile::removeTag(std::string_view name) {
    IndexTree* tree = findTag(name);
    if (!tree)
        return false;
    directory_->erase(tagKey(name), tree->headerOffset());
    tree->release();
    std::erase_if(tags_, [&](const Tag& t) { return t.tree.get() == tree; });
    return true;
}

void CdxFile::validate() const {
    directory_->validate();
    for (const Tag& t : tags_)
        t.tree->validate();
}

} // namespace xbase
