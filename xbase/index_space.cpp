#include "xbase/index_space.h"

#include "xbase/error.h"
#include "xbase/index_bytes.h"
#include "xbase/index_node.h"

#include <array>

namespace xbase {

namespace {

constexpr std::uint64_t freeHeadOffset = 4;
constexpr std::uint64_t largestFile = 0xFFFFFE00u;

std::uint32_t readLe32(const IndexStorage& s, std::uint64_t offset) {
    std::array<std::uint8_t, 4> b{};
    s.read(offset, b.data(), 4);
    return index_bytes::getLe(b.data(), 4);
}

void writeLe32(IndexStorage& s, std::uint64_t offset, std::uint32_t v) {
    std::array<std::uint8_t, 4> b{};
    index_bytes::putLe(b.data(), v, 4);
    s.write(offset, b.data(), 4);
}

} // namespace

std::uint32_t IndexSpace::end() const {
    std::uint64_t size = (storage_->size() + nodeSize - 1) / nodeSize * nodeSize;
    if (size > largestFile)
        throw Error(ErrorKind::Value, storage_->name() + ": the index file is full (4 GB)");
    return static_cast<std::uint32_t>(size);
}

std::uint32_t IndexSpace::allocateNode() {
    std::uint32_t head = readLe32(*storage_, freeHeadOffset);
    // A free chain pointing anywhere odd is dropped rather than trusted.
    if (head != 0 && head != noNode) {
        if (head % nodeSize == 0 && head >= 2 * nodeSize &&
            std::uint64_t(head) + nodeSize <= storage_->size() && !inUse_.contains(head)) {
            std::uint32_t next = readLe32(*storage_, head);
            writeLe32(*storage_, freeHeadOffset, next);
            inUse_.insert(head);
            return head;
        }
        writeLe32(*storage_, freeHeadOffset, 0);
    }
    std::uint32_t offset = end();
    std::array<std::uint8_t, nodeSize> blank{};
    storage_->write(offset, blank.data(), blank.size());
    inUse_.insert(offset);
    return offset;
}

std::vector<std::uint32_t> IndexSpace::allocateNodes(std::size_t count) {
    std::vector<std::uint32_t> offsets;
    offsets.reserve(count);
    std::uint32_t head = readLe32(*storage_, freeHeadOffset);
    while (offsets.size() < count && head != 0 && head != noNode) {
        offsets.push_back(allocateNode());
        head = readLe32(*storage_, freeHeadOffset);
    }
    std::size_t rest = count - offsets.size();
    if (rest == 0)
        return offsets;
    std::uint32_t first = end();
    if (std::uint64_t(first) + std::uint64_t(rest) * nodeSize > largestFile)
        throw Error(ErrorKind::Value, storage_->name() + ": the index file is full (4 GB)");
    storage_->truncate(std::uint64_t(first) + std::uint64_t(rest) * nodeSize);
    for (std::size_t i = 0; i < rest; ++i) {
        auto offset = static_cast<std::uint32_t>(first + i * nodeSize);
        offsets.push_back(offset);
        inUse_.insert(offset);
    }
    return offsets;
}

void IndexSpace::writeNodes(const std::vector<std::uint32_t>& offsets, const std::uint8_t* pages) {
    for (std::size_t from = 0; from < offsets.size();) {
        std::size_t to = from + 1;
        while (to < offsets.size() && offsets[to] == offsets[to - 1] + nodeSize)
            ++to;
        storage_->write(offsets[from], pages + from * nodeSize, (to - from) * nodeSize);
        from = to;
    }
}

std::uint32_t IndexSpace::allocateHeader() {
    std::uint32_t offset = end();
    std::array<std::uint8_t, 2 * nodeSize> blank{};
    storage_->write(offset, blank.data(), blank.size());
    return offset;
}

void IndexSpace::releaseNode(std::uint32_t offset) {
    std::array<std::uint8_t, nodeSize> page{};
    std::uint32_t head = readLe32(*storage_, freeHeadOffset);
    index_bytes::putLe(page.data(), head, 4);
    storage_->write(offset, page.data(), page.size());
    writeLe32(*storage_, freeHeadOffset, offset);
    inUse_.erase(offset);
}

} // namespace xbase
