#include "xbase/index_tree.h"

#include "xbase/error.h"
#include "xbase/index_bytes.h"
#include "xbase/run_both.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_set>

namespace xbase {

namespace {

constexpr std::size_t maxDepth = 48;

int sign(int v) noexcept {
    return (v > 0) - (v < 0);
}

} // namespace

IndexTree::IndexTree(IndexSpace& space, std::uint32_t headerOffset, std::uint8_t trail)
    : space_(&space), headerOffset_(headerOffset) {
    std::array<std::uint8_t, indexHeaderSize> bytes{};
    IndexStorage& storage = space.storage();
    std::string where = storage.name() + " (index header at " + std::to_string(headerOffset) + ")";
    storage.read(headerOffset, bytes.data(), bytes.size());
    header_ = decodeIndexHeader(bytes.data(), storage.size(), where);
    format_ = NodeFormat{header_.keyLength, trail};
}

IndexTree IndexTree::create(IndexSpace& space, std::uint32_t headerOffset, IndexHeader header,
                            std::uint8_t trail) {
    if (header.keyLength == 0 || header.keyLength > maxKeyLength)
        throw Error(ErrorKind::Value,
                    "index key length " + std::to_string(header.keyLength) + " is not 1 to 240");
    std::array<std::uint8_t, indexHeaderSize> bytes{};
    header.options |= index_option::compact;
    header.root = 0;
    encodeIndexHeader(header, bytes.data());
    space.storage().write(headerOffset, bytes.data(), bytes.size());
    std::uint32_t root = space.allocateNode();
    header.root = root;
    encodeIndexHeader(header, bytes.data());
    space.storage().write(headerOffset, bytes.data(), bytes.size());
    IndexNode empty;
    empty.root = true;
    std::array<std::uint8_t, nodeSize> page{};
    NodeFormat format{header.keyLength, trail};
    encodeNode(empty, format, page.data());
    space.storage().write(root, page.data(), page.size());
    return IndexTree(space, headerOffset, trail);
}

void IndexTree::setTrail(std::uint8_t trail) {
    format_.trail = trail;
    cache_.clear();
    ++changes_;
}

void IndexTree::corrupt(const std::string& what) const {
    throw Error(ErrorKind::Corrupt, space_->storage().name() + " (index order at " +
                                        std::to_string(headerOffset_) + "): " + what);
}

int IndexTree::compareKeys(std::string_view a, std::string_view b) const noexcept {
    std::size_t n = std::min({a.size(), b.size(), format_.keyLength});
    return sign(std::memcmp(a.data(), b.data(), n));
}

int IndexTree::compareEntry(const IndexEntry& e, std::string_view key,
                            std::uint32_t recno) const noexcept {
    int c = compareKeys(e.key, key);
    if (c != 0 || key.size() < format_.keyLength)
        return c;
    return (e.recno > recno) - (e.recno < recno);
}

std::string IndexTree::normalise(std::string_view key) const {
    std::string k(key.substr(0, format_.keyLength));
    k.resize(format_.keyLength, static_cast<char>(format_.trail));
    return k;
}

std::shared_ptr<const IndexNode> IndexTree::node(std::uint32_t offset) const {
    return nodeHandle(offset);
}

const IndexNode& IndexTree::nodeRef(std::uint32_t offset) const {
    return *nodeHandle(offset);
}

// A full cache gives up one node for each new one, never the root, so a working set
// larger than the cache does not throw away the nodes near the root that every descent needs.
const std::shared_ptr<const IndexNode>& IndexTree::nodeHandle(std::uint32_t offset) const {
    if (auto found = cache_.find(offset))
        return *found;
    IndexStorage& storage = space_->storage();
    if (offset < nodeSize || std::uint64_t(offset) + nodeSize > storage.size())
        corrupt("node offset " + std::to_string(offset) + " lies outside the file");
    std::array<std::uint8_t, nodeSize> page{};
    storage.read(offset, page.data(), page.size());
    cache_.put(
        offset,
        std::make_shared<const IndexNode>(decodeNode(page.data(), format_, storage.size(), offset)),
        header_.root);
    return *cache_.find(offset);
}

void IndexTree::write(std::uint32_t offset, IndexNode node, bool keep) {
    std::array<std::uint8_t, nodeSize> page{};
    encodeNode(node, format_, page.data());
    space_->storage().write(offset, page.data(), page.size());
    if (!keep) {
        cache_.erase(offset);
        ++changes_;
        return;
    }
    cache_.put(offset, std::make_shared<const IndexNode>(std::move(node)), header_.root);
    ++changes_;
}

void IndexTree::patchNeighbour(std::uint32_t offset, bool leftField, std::uint32_t value) {
    IndexNode copy = *node(offset);
    (leftField ? copy.left : copy.right) = value;
    write(offset, std::move(copy));
}

void IndexTree::setRoot(std::uint32_t root) {
    header_.root = root;
    std::array<std::uint8_t, 4> b{};
    index_bytes::putLe(b.data(), root, 4);
    space_->storage().write(headerOffset_, b.data(), b.size());
    ++changes_;
}

std::uint32_t IndexTree::descend(std::string_view key, std::uint32_t recno, std::vector<Step>* path,
                                 std::size_t* index) const {
    return descendTo([&](const IndexEntry& e) { return compareEntry(e, key, recno) < 0; }, path,
                     index);
}

template <typename Before>
std::uint32_t IndexTree::descendTo(const Before& before, std::vector<Step>* path,
                                   std::size_t* index) const {
    std::uint32_t offset = header_.root;
    for (std::size_t depth = 0;; ++depth) {
        if (depth > maxDepth)
            corrupt("the tree is deeper than any valid index");
        // The reference is used up before the next node is fetched, which may evict it.
        const IndexNode& n = nodeRef(offset);
        auto at = std::partition_point(n.entries.begin(), n.entries.end(), before);
        std::size_t i = static_cast<std::size_t>(at - n.entries.begin());
        if (n.leaf) {
            *index = i;
            return offset;
        }
        if (n.entries.empty())
            corrupt("interior node at " + std::to_string(offset) + " holds no keys");
        if (i == n.entries.size())
            --i;
        if (path)
            path->push_back({offset, i});
        offset = n.entries[i].child;
    }
}

std::vector<IndexNode> IndexTree::layout(IndexNode node) const {
    std::vector<IndexNode> pieces;
    const IndexEntry* begin = node.entries.data();
    if (node.leaf ? leafFits(begin, begin + node.entries.size(), format_)
                  : node.entries.size() <= interiorCapacity(format_.keyLength)) {
        pieces.push_back(std::move(node)); // the common case: it still fits
        return pieces;
    }
    const auto& all = node.entries;
    std::size_t n = all.size();
    auto piece = [&](std::size_t from, std::size_t to) {
        IndexNode p;
        p.leaf = node.leaf;
        p.entries.assign(all.begin() + from, all.begin() + to);
        pieces.push_back(std::move(p));
    };
    if (!node.leaf) {
        std::size_t cap = interiorCapacity(format_.keyLength);
        std::size_t count = (n + cap - 1) / cap;
        for (std::size_t i = 0; i < count; ++i)
            piece(n * i / count, n * (i + 1) / count);
        return pieces;
    }
    const IndexEntry* base = all.data();
    for (std::size_t d = 0; d < n / 2 + 1; ++d) {
        for (std::size_t m : {n / 2 - std::min(d, n / 2), n / 2 + d}) {
            if (m >= 1 && m < n && leafFits(base, base + m, format_) &&
                leafFits(base + m, base + n, format_)) {
                piece(0, m);
                piece(m, n);
                return pieces;
            }
        }
    }
    std::size_t from = 0;
    while (from < n) {
        std::size_t to = from + 1;
        while (to < n && leafFits(base + from, base + to + 1, format_))
            ++to;
        piece(from, to);
        from = to;
    }
    return pieces;
}

void IndexTree::rewriteUpwards(std::vector<Step> path, std::uint32_t offset, IndexNode node) {
    for (;;) {
        bool isRoot = path.empty();
        std::vector<IndexEntry> up;
        if (node.entries.empty()) {
            if (isRoot) {
                IndexNode empty;
                empty.root = true;
                write(offset, std::move(empty));
                return;
            }
            if (node.left != noNode)
                patchNeighbour(node.left, false, node.right);
            if (node.right != noNode)
                patchNeighbour(node.right, true, node.left);
            cache_.erase(offset);
            space_->releaseNode(offset);
            ++changes_;
        } else {
            std::uint32_t left = node.left, right = node.right;
            std::vector<IndexNode> pieces = layout(std::move(node));
            std::vector<std::uint32_t> offsets{offset};
            while (offsets.size() < pieces.size())
                offsets.push_back(space_->allocateNode());
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                IndexNode& p = pieces[i];
                p.left = i == 0 ? left : offsets[i - 1];
                p.right = i + 1 < pieces.size() ? offsets[i + 1] : right;
                p.root = isRoot && pieces.size() == 1;
                const IndexEntry& lastEntry = p.entries.back();
                up.push_back({lastEntry.key, lastEntry.recno, offsets[i]});
                write(offsets[i], std::move(p));
            }
            if (pieces.size() > 1 && right != noNode)
                patchNeighbour(right, true, offsets.back());
        }
        if (isRoot) {
            if (up.size() <= 1)
                return;
            IndexNode root;
            root.leaf = false;
            root.entries = std::move(up);
            offset = space_->allocateNode();
            setRoot(offset);
            node = std::move(root);
            continue;
        }
        Step step = path.back();
        path.pop_back();
        IndexNode parent = *this->node(step.offset);
        if (step.index >= parent.entries.size())
            corrupt("a node changed under its parent");
        const IndexEntry& old = parent.entries[step.index];
        if (up.size() == 1 && old.key == up[0].key && old.recno == up[0].recno &&
            old.child == up[0].child)
            return;
        parent.entries.erase(parent.entries.begin() + step.index);
        parent.entries.insert(parent.entries.begin() + step.index, up.begin(), up.end());
        node = std::move(parent);
        offset = step.offset;
    }
}

void IndexTree::collapseRoot() {
    for (;;) {
        auto root = node(header_.root);
        if (root->leaf || root->entries.size() != 1)
            return;
        std::uint32_t child = root->entries[0].child;
        IndexNode lifted = *node(child);
        lifted.root = true;
        lifted.left = lifted.right = noNode;
        std::uint32_t old = header_.root;
        write(child, std::move(lifted));
        setRoot(child);
        cache_.erase(old);
        space_->releaseNode(old);
    }
}

void IndexTree::insert(std::string_view key, std::uint32_t recno) {
    if (recno == 0)
        throw Error(ErrorKind::Value, "an index entry needs a record number");
    std::string k = normalise(key);
    std::vector<Step> path;
    std::size_t i = 0;
    std::uint32_t leaf = descend(k, recno, &path, &i);
    IndexNode n = *node(leaf);
    if (i < n.entries.size() && n.entries[i].recno == recno && n.entries[i].key == k)
        return;
    n.entries.insert(n.entries.begin() + i, IndexEntry{std::move(k), recno, 0});
    rewriteUpwards(std::move(path), leaf, std::move(n));
    collapseRoot();
}

bool IndexTree::erase(std::string_view key, std::uint32_t recno) {
    std::string k = normalise(key);
    std::vector<Step> path;
    std::size_t i = 0;
    std::uint32_t leaf = descend(k, recno, &path, &i);
    IndexNode n = *node(leaf);
    if (i >= n.entries.size() || n.entries[i].recno != recno || n.entries[i].key != k)
        return false;
    n.entries.erase(n.entries.begin() + i);
    rewriteUpwards(std::move(path), leaf, std::move(n));
    collapseRoot();
    return true;
}

std::vector<std::uint32_t> IndexTree::nodeOffsets() const {
    // Only a sound tree gives its nodes back; a damaged one might point into
    // another order's nodes, so its space is left unused instead.
    std::vector<std::uint32_t> offsets;
    try {
        validate();
    } catch (const Error&) {
        return offsets;
    }
    std::vector<std::uint32_t> pending{header_.root};
    while (!pending.empty()) {
        std::uint32_t offset = pending.back();
        pending.pop_back();
        offsets.push_back(offset);
        auto n = node(offset);
        if (!n->leaf)
            for (const IndexEntry& e : n->entries)
                pending.push_back(e.child);
    }
    return offsets;
}

void IndexTree::clear() {
    std::vector<std::uint32_t> offsets = nodeOffsets();
    for (std::uint32_t offset : offsets) {
        cache_.erase(offset);
        space_->releaseNode(offset);
    }
    cache_.clear();
    std::uint32_t root = space_->allocateNode();
    IndexNode empty;
    empty.root = true;
    write(root, std::move(empty));
    setRoot(root);
}

void IndexTree::release() {
    for (std::uint32_t offset : nodeOffsets())
        space_->releaseNode(offset);
    space_->releaseNode(headerOffset_);
    space_->releaseNode(headerOffset_ + nodeSize);
    cache_.clear();
    ++changes_;
}

void IndexTree::build(std::vector<IndexEntry> entries, int fillPercent) {
    KeyBlock keys(format_.keyLength);
    keys.reserve(entries.size());
    for (const IndexEntry& e : entries) {
        if (e.recno == 0)
            throw Error(ErrorKind::Value, "an index entry needs a record number");
        keys.push(e.key.size() == format_.keyLength ? e.key : normalise(e.key), e.recno);
    }
    entries = {};
    keys.sort();
    buildSorted(keys, fillPercent);
}

// A build writes each level of the tree as one run of pages, bypassing the node cache
// (a build would flood it).
void IndexTree::buildSorted(const KeyBlock& keys, int fillPercent) {
    if (keys.keyLength() != format_.keyLength)
        throw Error(ErrorKind::General, "index keys of the wrong length for the order");
    clear();
    if (keys.empty())
        return;
    fillPercent = std::clamp(fillPercent, 50, 100);
    const std::size_t leafTarget = leafRoom * static_cast<std::size_t>(fillPercent) / 100;

    // The leaves of each half of a large build are packed and encoded by a thread of their
    // own (the last leaf of the first half may be less full); links are set once the
    // nodes are allocated.
    struct Leaves {
        std::vector<std::uint8_t> pages;
        std::vector<IndexEntry> lasts;
    };
    auto encodeLeaves = [&](std::size_t from, std::size_t to, Leaves& out) {
        const std::vector<KeyCompression> compression =
            compressKeys(keys.keyData(from), to - from, format_);
        std::vector<std::size_t> starts =
            packLeaves(keys.recnoData() + from, compression.data(), to - from, format_, leafTarget);
        starts.push_back(to - from);
        const std::size_t count = starts.size() - 1;
        out.pages.assign(count * nodeSize, 0);
        out.lasts.reserve(count);
        for (std::size_t g = 0; g < count; ++g) {
            std::size_t first = from + starts[g], last = from + starts[g + 1] - 1;
            encodeLeaf(keys.keyData(first), keys.recnoData() + first,
                       compression.data() + (first - from), last + 1 - first, false, noNode, noNode,
                       format_, out.pages.data() + g * nodeSize);
            out.lasts.push_back({std::string(keys.key(last)), keys.recno(last), 0});
        }
    };
    Leaves parts[2];
    const bool together = keys.size() >= twoThreadsFrom;
    const std::size_t half = together ? keys.size() / 2 : keys.size();
    runBoth(
        together, [&] { encodeLeaves(0, half, parts[0]); },
        [&] {
            if (together)
                encodeLeaves(half, keys.size(), parts[1]);
        });

    // The empty root left by clear() is replaced by the new tree.
    std::uint32_t emptyRoot = header_.root;
    cache_.erase(emptyRoot);
    space_->releaseNode(emptyRoot);
    ++changes_;

    const std::size_t firstCount = parts[0].lasts.size();
    std::size_t groups = firstCount + parts[1].lasts.size();
    std::vector<std::uint32_t> offsets = space_->allocateNodes(groups);
    std::vector<IndexEntry> up;
    up.reserve(groups);
    for (std::size_t g = 0; g < groups; ++g) {
        Leaves& part = parts[g < firstCount ? 0 : 1];
        std::size_t local = g < firstCount ? g : g - firstCount;
        linkNode(part.pages.data() + local * nodeSize, groups == 1, g ? offsets[g - 1] : noNode,
                 g + 1 < groups ? offsets[g + 1] : noNode);
        IndexEntry& last = part.lasts[local];
        up.push_back({std::move(last.key), last.recno, offsets[g]});
    }
    space_->writeNodes({offsets.begin(), offsets.begin() + std::ptrdiff_t(firstCount)},
                       parts[0].pages.data());
    space_->writeNodes({offsets.begin() + std::ptrdiff_t(firstCount), offsets.end()},
                       parts[1].pages.data());

    const std::size_t cap = interiorCapacity(format_.keyLength);
    const std::size_t per = std::clamp<std::size_t>(cap * std::size_t(fillPercent) / 100, 2, cap);
    while (groups > 1) {
        std::vector<IndexEntry> level = std::move(up);
        groups = (level.size() + per - 1) / per;
        offsets = space_->allocateNodes(groups);
        std::vector<std::uint8_t> pages(groups * nodeSize);
        up.clear();
        for (std::size_t g = 0; g < groups; ++g) {
            IndexNode n;
            n.leaf = false;
            n.root = groups == 1;
            n.left = g ? offsets[g - 1] : noNode;
            n.right = g + 1 < groups ? offsets[g + 1] : noNode;
            auto from = level.begin() + std::ptrdiff_t(g * per);
            auto to = level.begin() + std::ptrdiff_t(std::min(level.size(), (g + 1) * per));
            n.entries.assign(std::make_move_iterator(from), std::make_move_iterator(to));
            up.push_back({n.entries.back().key, n.entries.back().recno, offsets[g]});
            encodeNode(n, format_, pages.data() + g * nodeSize);
        }
        space_->writeNodes(offsets, pages.data());
    }
    setRoot(offsets[0]);
}

std::size_t IndexTree::validate() const {
    struct Walk {
        std::unordered_set<std::uint32_t> visited;
        std::vector<std::uint32_t> lastAtDepth;
        long leafDepth = -1;
        const IndexEntry* lastEntry = nullptr;
        std::shared_ptr<const IndexNode> lastLeaf;
        std::size_t count = 0;
    } walk;
    auto at = [](std::uint32_t offset) { return " (node at " + std::to_string(offset) + ")"; };
    auto visit = [&](auto& self, std::uint32_t offset, std::size_t depth, const IndexEntry* lower,
                     const IndexEntry* upper) -> void {
        if (depth > maxDepth)
            corrupt("the tree is deeper than any valid index");
        if (!walk.visited.insert(offset).second)
            corrupt("a node is reached twice, the tree has a cycle" + at(offset));
        auto n = node(offset);
        if (n->root != (depth == 0))
            corrupt("the root flag is wrong" + at(offset));
        if (walk.lastAtDepth.size() <= depth)
            walk.lastAtDepth.resize(depth + 1, noNode);
        std::uint32_t previous = walk.lastAtDepth[depth];
        if (n->left != previous)
            corrupt("the left neighbour link is broken" + at(offset));
        if (previous != noNode && node(previous)->right != offset)
            corrupt("the right neighbour link is broken" + at(previous));
        walk.lastAtDepth[depth] = offset;
        for (const IndexEntry& e : n->entries) {
            if ((upper && compareKeys(e.key, upper->key) > 0) ||
                (lower && compareKeys(e.key, lower->key) < 0))
                corrupt("a key lies outside its parent's range" + at(offset));
        }
        if (n->leaf) {
            if (walk.leafDepth < 0)
                walk.leafDepth = static_cast<long>(depth);
            else if (walk.leafDepth != static_cast<long>(depth))
                corrupt("leaves lie at different depths" + at(offset));
            if (n->entries.empty() && depth > 0)
                corrupt("an empty leaf below the root" + at(offset));
            for (const IndexEntry& e : n->entries) {
                if (walk.lastEntry &&
                    compareEntry(e, walk.lastEntry->key, walk.lastEntry->recno) <= 0)
                    corrupt("keys are out of order" + at(offset));
                walk.lastEntry = &e;
            }
            walk.lastLeaf = n; // keeps lastEntry alive
            walk.count += n->entries.size();
            return;
        }
        if (n->entries.empty())
            corrupt("an interior node holds no keys" + at(offset));
        const IndexEntry* separator = lower;
        for (const IndexEntry& e : n->entries) {
            if (separator && compareKeys(e.key, separator->key) < 0)
                corrupt("interior keys are out of order" + at(offset));
            self(self, e.child, depth + 1, separator, &e);
            separator = &e;
        }
    };
    visit(visit, header_.root, 0, nullptr, nullptr);
    for (std::uint32_t last : walk.lastAtDepth)
        if (node(last)->right != noNode)
            corrupt("the last node of a level has a right neighbour" + at(last));
    return walk.count;
}

const IndexEntry& IndexTree::entry(Position at) const {
    auto n = node(at.leaf);
    if (at.index >= n->entries.size())
        throw Error(ErrorKind::State, "index position is past the end");
    // The cache keeps the node alive until it is replaced or cleared.
    return n->entries[at.index];
}

namespace {

std::size_t nodeLimit(const IndexStorage& storage) {
    return static_cast<std::size_t>(storage.size() / nodeSize) + 1;
}

} // namespace

IndexTree::Position IndexTree::next(Position at) const {
    auto n = node(at.leaf);
    if (at.index + 1 < n->entries.size())
        return {at.leaf, at.index + 1};
    for (std::size_t steps = 0; n->right != noNode; ++steps) {
        if (steps > nodeLimit(space_->storage()))
            corrupt("the leaf chain loops");
        std::uint32_t right = n->right;
        n = node(right);
        if (!n->leaf)
            corrupt("the leaf chain leads to an interior node" + std::string(" at ") +
                    std::to_string(right));
        if (!n->entries.empty())
            return {right, 0};
    }
    return {};
}

IndexTree::Position IndexTree::previous(Position at) const {
    auto n = node(at.leaf);
    if (at.index > 0 && at.index <= n->entries.size())
        return {at.leaf, at.index - 1};
    for (std::size_t steps = 0; n->left != noNode; ++steps) {
        if (steps > nodeLimit(space_->storage()))
            corrupt("the leaf chain loops");
        std::uint32_t left = n->left;
        n = node(left);
        if (!n->leaf)
            corrupt("the leaf chain leads to an interior node at " + std::to_string(left));
        if (!n->entries.empty())
            return {left, n->entries.size() - 1};
    }
    return {};
}

IndexTree::Position IndexTree::lowerBound(std::string_view key, std::uint32_t recno) const {
    std::size_t i = 0;
    std::uint32_t leaf = descend(key.substr(0, format_.keyLength), recno, nullptr, &i);
    return positionFrom(leaf, i);
}

IndexTree::Position IndexTree::upperBound(std::string_view key) const {
    const std::string_view k = key.substr(0, format_.keyLength);
    std::size_t i = 0;
    std::uint32_t leaf =
        descendTo([&](const IndexEntry& e) { return compareKeys(e.key, k) <= 0; }, nullptr, &i);
    return positionFrom(leaf, i);
}

IndexTree::Position IndexTree::positionFrom(std::uint32_t leaf, std::size_t i) const {
    auto n = node(leaf);
    if (i < n->entries.size())
        return {leaf, i};
    // Past this leaf: the answer is the first entry further right.
    Position end{leaf, n->entries.empty() ? 0 : n->entries.size() - 1};
    if (n->entries.empty()) {
        if (n->right == noNode)
            return {};
        auto r = node(n->right);
        if (!r->leaf)
            corrupt("the leaf chain leads to an interior node");
        if (!r->entries.empty())
            return {n->right, 0};
        return next({n->right, 0});
    }
    return next(end);
}

IndexTree::Position IndexTree::first() const {
    std::uint32_t offset = header_.root;
    for (std::size_t depth = 0;; ++depth) {
        if (depth > maxDepth)
            corrupt("the tree is deeper than any valid index");
        auto n = node(offset);
        if (n->leaf) {
            if (!n->entries.empty())
                return {offset, 0};
            return n->right == noNode ? Position{} : next({offset, 0});
        }
        if (n->entries.empty())
            corrupt("an interior node holds no keys");
        offset = n->entries.front().child;
    }
}

IndexTree::Position IndexTree::last() const {
    std::uint32_t offset = header_.root;
    for (std::size_t depth = 0;; ++depth) {
        if (depth > maxDepth)
            corrupt("the tree is deeper than any valid index");
        auto n = node(offset);
        if (n->leaf) {
            if (!n->entries.empty())
                return {offset, n->entries.size() - 1};
            return n->left == noNode ? Position{} : previous({offset, 0});
        }
        if (n->entries.empty())
            corrupt("an interior node holds no keys");
        offset = n->entries.back().child;
    }
}

bool IndexCursor::land(IndexTree::Position at) {
    at_ = at;
    changes_ = tree_->changes();
    valid_ = at.leaf != 0;
    node_.reset();
    if (valid_) {
        node_ = tree_->node(at.leaf);
        const IndexEntry& e = tree_->entry(at);
        key_ = e.key;
        recno_ = e.recno;
    }
    return valid_;
}

bool IndexCursor::first() {
    return land(tree_->first());
}

bool IndexCursor::last() {
    return land(tree_->last());
}

bool IndexCursor::seek(std::string_view key, std::uint32_t recno) {
    return land(tree_->lowerBound(key, recno));
}

bool IndexCursor::seekAfter(std::string_view key) {
    return land(tree_->upperBound(key));
}

void IndexCursor::refind() {
    if (changes_ != tree_->changes())
        at_ = tree_->lowerBound(tree_->normalise(key_), recno_);
    changes_ = tree_->changes();
}

bool IndexCursor::next() {
    if (!valid_)
        return false;
    // Within one unchanged leaf the next entry is simply the following one.
    if (changes_ == tree_->changes() && node_ && at_.index + 1 < node_->entries.size()) {
        const IndexEntry& e = node_->entries[++at_.index];
        int c = tree_->compareKeys(e.key, key_);
        if (c < 0 || (c == 0 && e.recno <= recno_))
            throw Error(ErrorKind::Corrupt, "index keys go backwards within a leaf");
        key_.assign(e.key);
        recno_ = e.recno;
        return true;
    }
    bool stale = changes_ != tree_->changes();
    refind();
    if (at_.leaf == 0)
        return land({});
    const IndexEntry& here = tree_->entry(at_);
    bool same = here.recno == recno_ && here.key == key_;
    if (stale && !same)
        return land(at_); // our entry went away; the one after it is here
    std::string key = key_;
    std::uint32_t recno = recno_;
    if (!land(tree_->next(at_)))
        return false;
    int c = tree_->compareKeys(key_, key);
    if (c < 0 || (c == 0 && recno_ <= recno))
        throw Error(ErrorKind::Corrupt, "index leaf chain goes backwards");
    return true;
}

bool IndexCursor::previous() {
    if (!valid_)
        return false;
    refind();
    std::string key = key_;
    std::uint32_t recno = recno_;
    IndexTree::Position from = at_;
    if (from.leaf == 0) {
        from = tree_->last();
        if (from.leaf == 0)
            return land({});
        const IndexEntry& e = tree_->entry(from);
        int c = tree_->compareKeys(e.key, key);
        if (c < 0 || (c == 0 && e.recno < recno))
            return land(from);
    }
    if (!land(tree_->previous(from)))
        return false;
    int c = tree_->compareKeys(key_, key);
    if (c > 0 || (c == 0 && recno_ >= recno))
        throw Error(ErrorKind::Corrupt, "index leaf chain goes backwards");
    return true;
}

} // namespace xbase
