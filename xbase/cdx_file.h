#pragma once

#include "xbase/index_space.h"
#include "xbase/index_storage.h"
#include "xbase/index_tree.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

/// What a new tag holds; the key length follows from the key expression's type.
struct TagSpec {
    std::string name;
    std::string keyExpression;
    std::string forExpression;
    std::uint16_t keyLength = 0;
    std::uint8_t trail = ' ';
    bool descending = false;
    bool unique = false;
};

/// A compound index file: a directory order (the tag list, keys are tag names,
/// record numbers the offsets of the tag headers) at the start of the file and
/// one order per tag. Tag names are stored in capitals, at most 10 characters.
class CdxFile {
public:
    static constexpr std::size_t tagNameLength = 10;

    /// Opens an existing file; the tag list is read and checked right away.
    static CdxFile open(const std::filesystem::path& path, bool writable);
    /// Creates an empty compound file (an existing one is replaced).
    static CdxFile create(const std::filesystem::path& path);
    /// Over any storage (memory for checks of untrusted bytes); an empty storage
    /// becomes a new, empty compound file.
    explicit CdxFile(std::unique_ptr<IndexStorage> storage);

    CdxFile(CdxFile&&) noexcept = default;
    CdxFile& operator=(CdxFile&&) noexcept = default;

    IndexStorage& storage() const noexcept { return *storage_; }
    /// Tag names in the order the tags were made (their headers' order in the file).
    std::vector<std::string> tagNames() const;
    /// The tag of this name (letter case ignored), null when there is none.
    IndexTree* findTag(std::string_view name);
    IndexTree& tag(std::string_view name);
    /// Adds an empty tag, replacing one of the same name.
    IndexTree& addTag(const TagSpec& spec);
    /// Removes a tag; false when there is none of that name.
    bool removeTag(std::string_view name);
    /// Checks the tag list and every tag; damage throws Error(ErrorKind::Corrupt).
    void validate() const;
    void flush() { storage_->flush(); }

    static std::string tagKey(std::string_view name);

private:
    void load();
    std::unique_ptr<IndexStorage> storage_;
    std::unique_ptr<IndexSpace> space_;
    std::unique_ptr<IndexTree> directory_;
    struct Tag {
        std::string name;
        std::unique_ptr<IndexTree> tree;
    };
    std::vector<Tag> tags_; // sorted by header offset
};

} // namespace xbase
