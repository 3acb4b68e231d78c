#include "xbase/node_cache.h"

#include <utility>

namespace xbase {

namespace {

constexpr unsigned firstBits = 6;
constexpr std::size_t handStride = 0x9E3779B1u;

} // namespace

NodeCache::NodeCache(std::size_t limit) : limit_(limit < 1 ? 1 : limit) {}

std::size_t NodeCache::home(std::uint32_t offset) const noexcept {
    // Offsets are multiples of the node size; a multiplicative hash spreads them.
    std::uint64_t h = std::uint64_t(offset / nodeSize) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h >> (64 - bits_));
}

std::size_t NodeCache::slotOf(std::uint32_t offset) const noexcept {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = home(offset);; i = (i + 1) & mask) {
        if (slots_[i].offset == offset || slots_[i].offset == 0)
            return i;
    }
}

const std::shared_ptr<const IndexNode>* NodeCache::find(std::uint32_t offset) const noexcept {
    if (slots_.empty() || offset == 0)
        return nullptr;
    const Slot& s = slots_[slotOf(offset)];
    return s.offset == offset ? &s.node : nullptr;
}

void NodeCache::grow() {
    std::vector<Slot> old = std::move(slots_);
    bits_ = old.empty() ? firstBits : bits_ + 1;
    slots_ = std::vector<Slot>(std::size_t(1) << bits_);
    hand_ = 0;
    for (Slot& s : old)
        if (s.offset != 0)
            slots_[slotOf(s.offset)] = std::move(s);
}

void NodeCache::put(std::uint32_t offset, std::shared_ptr<const IndexNode> node,
                    std::uint32_t keep) {
    if (offset == 0)
        return;
    if (!slots_.empty()) {
        Slot& s = slots_[slotOf(offset)];
        if (s.offset == offset) {
            s.node = std::move(node);
            return;
        }
    }
    if (count_ >= limit_)
        evictOne(keep);
    // At most half the slots in use keeps the probes short.
    if (2 * (count_ + 1) > slots_.size())
        grow();
    Slot& s = slots_[slotOf(offset)];
    s.offset = offset;
    s.node = std::move(node);
    ++count_;
    newest_ = offset;
}

// The node given up is the newest one: it was used just now, so freeing it is cheap, while
// freeing an old node means fetching its scattered memory back first; and the nodes
// near the root, read early, stay. When the newest is gone or kept, the hand chooses: it
// jumps by an odd stride, since sweeping the slots in order would leave the slots ahead
// of it ever fuller and the probe runs there ever longer.
void NodeCache::evictOne(std::uint32_t keep) noexcept {
    if (newest_ != 0 && newest_ != keep) {
        std::size_t i = slotOf(newest_);
        if (slots_[i].offset == newest_) {
            removeAt(i);
            newest_ = 0;
            return;
        }
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t steps = 0; steps <= slots_.size();
         ++steps, hand_ = (hand_ + handStride) & mask) {
        std::uint32_t o = slots_[hand_].offset;
        if (o != 0 && (o != keep || count_ == 1)) {
            removeAt(hand_);
            return;
        }
    }
}

// Linear probing: later entries of the run that could live in the freed slot move back.
void NodeCache::removeAt(std::size_t i) noexcept {
    const std::size_t mask = slots_.size() - 1;
    slots_[i] = Slot{};
    --count_;
    for (std::size_t j = (i + 1) & mask; slots_[j].offset != 0; j = (j + 1) & mask) {
        std::size_t k = home(slots_[j].offset);
        bool stays = i <= j ? (i < k && k <= j) : (i < k || k <= j);
        if (!stays) {
            slots_[i] = std::move(slots_[j]);
            slots_[j] = Slot{};
            i = j;
        }
    }
}

void NodeCache::erase(std::uint32_t offset) noexcept {
    if (slots_.empty() || offset == 0)
        return;
    std::size_t i = slotOf(offset);
    if (slots_[i].offset == offset)
        removeAt(i);
}

void NodeCache::clear() noexcept {
    for (Slot& s : slots_)
        s = Slot{};
    count_ = 0;
    newest_ = 0;
}

} // namespace xbase
