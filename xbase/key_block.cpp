#include "xbase/key_block.h"

#include "xbase/run_both.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace xbase {

namespace {

constexpr std::size_t prefetchDistance = 16;

std::uint64_t prefixOf(const char* key, std::size_t length) noexcept {
    unsigned char bytes[8] = {};
    std::memcpy(bytes, key, std::min<std::size_t>(8, length));
    std::uint64_t v = 0;
    for (unsigned char b : bytes)
        v = (v << 8) | b;
    return v;
}

struct TreeOrder {
    const char* data;
    std::size_t keyLength;

    template <class Item> bool operator()(const Item& a, const Item& b) const noexcept {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        if (keyLength > 8) {
            int c = std::memcmp(data + std::size_t(a.index) * keyLength + 8,
                                data + std::size_t(b.index) * keyLength + 8, keyLength - 8);
            if (c != 0)
                return c < 0;
        }
        return a.recno < b.recno;
    }
};

} // namespace

void KeyBlock::Bytes::reserve(std::size_t capacity) {
    if (capacity <= capacity_)
        return;
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ > 0)
        std::memcpy(grown.get(), data_.get(), size_);
    data_ = std::move(grown);
    capacity_ = capacity;
}

void KeyBlock::Bytes::resize(std::size_t size) {
    if (size > capacity_)
        reserve(std::max(size, capacity_ + capacity_ / 2));
    size_ = size;
}

void KeyBlock::Bytes::swap(Bytes& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
}

void KeyBlock::reserve(std::size_t count) {
    bytes_.reserve(count * keyLength_);
    recnos_.reserve(count);
}

char* KeyBlock::push(std::uint32_t recno) {
    recnos_.push_back(recno);
    bytes_.resize(bytes_.size() + keyLength_);
    char* slot = bytes_.data() + bytes_.size() - keyLength_;
    std::memset(slot, ' ', keyLength_);
    return slot;
}

void KeyBlock::push(std::string_view key, std::uint32_t recno) {
    std::memcpy(push(recno), key.data(), std::min(key.size(), keyLength_));
}

void KeyBlock::reset(std::size_t keyLength) {
    keyLength_ = keyLength;
    bytes_.clear();
    recnos_.clear();
}

void KeyBlock::resize(std::size_t count) {
    bytes_.resize(count * keyLength_);
    recnos_.resize(count, 0);
}

void KeyBlock::erase(std::size_t from, std::size_t to) {
    if (from >= to)
        return;
    const std::size_t end = bytes_.size();
    std::memmove(bytes_.data() + from * keyLength_, bytes_.data() + to * keyLength_,
                 end - to * keyLength_);
    bytes_.resize(end - (to - from) * keyLength_);
    recnos_.erase(recnos_.begin() + std::ptrdiff_t(from), recnos_.begin() + std::ptrdiff_t(to));
}

// The items are first spread over buckets by sixteen bits of their prefix (the first
// that differ between keys), then each bucket is sorted and its keys gathered in order.
// With two threads each pass takes half: the items of half the keys, then the buckets
// holding about half of them, so no merge is needed.
void KeyBlock::sort() {
    const std::size_t n = size();
    const bool together = n >= twoThreadsFrom;
    const std::size_t half = n / 2;
    constexpr std::size_t buckets = 1u << 16;

    std::vector<SortItem>& loose = loose_;
    loose.resize(n);
    std::uint64_t common[2] = {~0ull, ~0ull}, seen[2] = {0, 0};
    auto prefixes = [&](std::size_t from, std::size_t to, int part) {
        std::uint64_t all = ~0ull, any = 0;
        for (std::size_t i = from; i < to; ++i) {
            std::uint64_t prefix = prefixOf(keyData(i), keyLength_);
            loose[i] = {prefix, recnos_[i], static_cast<std::uint32_t>(i)};
            all &= prefix;
            any |= prefix;
        }
        common[part] = all;
        seen[part] = any;
    };
    runBoth(
        together, [&] { prefixes(0, half, 0); }, [&] { prefixes(half, n, 1); });
    const std::uint64_t varying = (common[0] & common[1]) ^ (seen[0] | seen[1]);
    const int shift = std::max(0, int(std::bit_width(varying)) - 16);
    auto bucketOf = [shift](const SortItem& item) {
        return std::size_t(item.prefix >> shift) & (buckets - 1);
    };

    std::vector<std::size_t> counts[2] = {std::vector<std::size_t>(buckets, 0),
                                          std::vector<std::size_t>(buckets, 0)};
    auto count = [&](std::size_t from, std::size_t to, int part) {
        for (std::size_t i = from; i < to; ++i)
            ++counts[part][bucketOf(loose[i])];
    };
    runBoth(
        together, [&] { count(0, half, 0); }, [&] { count(half, n, 1); });
    std::vector<std::size_t> starts(buckets + 1, 0);
    for (std::size_t b = 0; b < buckets; ++b)
        starts[b + 1] = starts[b] + counts[0][b] + counts[1][b];
    // Each half's items go to its own places in each bucket, the second half's after
    // the first's.
    std::vector<std::size_t>& next0 = counts[0];
    std::vector<std::size_t>& next1 = counts[1];
    for (std::size_t b = 0; b < buckets; ++b) {
        next1[b] = starts[b] + next0[b];
        next0[b] = starts[b];
    }
    std::vector<SortItem>& items = items_;
    items.resize(n);
    auto scatter = [&](std::size_t from, std::size_t to, std::vector<std::size_t>& next) {
        for (std::size_t i = from; i < to; ++i)
            items[next[bucketOf(loose[i])]++] = loose[i];
    };
    runBoth(
        together, [&] { scatter(0, half, next0); }, [&] { scatter(half, n, next1); });

    Bytes& sorted = sortedBytes_;
    sorted.resize(bytes_.size());
    std::vector<std::uint32_t>& recnos = sortedRecnos_;
    recnos.resize(n);
    const TreeOrder order{bytes_.data(), keyLength_};
    auto work = [&](std::size_t fromBucket, std::size_t toBucket) {
        for (std::size_t b = fromBucket; b < toBucket; ++b) {
            auto first = items.begin() + std::ptrdiff_t(starts[b]);
            auto last = items.begin() + std::ptrdiff_t(starts[b + 1]);
            if (last - first > 1 && !std::is_sorted(first, last, order))
                std::sort(first, last, order);
        }
        // Gathering the keys in order reads the block at random; fetching a little ahead
        // hides most of the misses.
        const std::size_t from = starts[fromBucket], to = starts[toBucket];
        for (std::size_t i = from; i < to; ++i) {
            if (i + prefetchDistance < to)
                __builtin_prefetch(keyData(items[i + prefetchDistance].index));
            std::memcpy(sorted.data() + i * keyLength_, keyData(items[i].index), keyLength_);
            recnos[i] = items[i].recno;
        }
    };
    std::size_t split = 0;
    while (split < buckets && starts[split] < half)
        ++split;
    runBoth(
        together, [&] { work(0, split); }, [&] { work(split, buckets); });

    // Repeated entries (the same key and record) lie next to each other now.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (kept > 0 && recnos[kept - 1] == recnos[i] &&
            std::memcmp(sorted.data() + (kept - 1) * keyLength_, sorted.data() + i * keyLength_,
                        keyLength_) == 0)
            continue;
        if (kept != i) {
            std::memmove(sorted.data() + kept * keyLength_, sorted.data() + i * keyLength_,
                         keyLength_);
            recnos[kept] = recnos[i];
        }
        ++kept;
    }
    sorted.resize(kept * keyLength_);
    recnos.resize(kept);
    bytes_.swap(sorted);
    recnos_.swap(recnos);
}

void KeyBlock::keepFirstOfEachKey() {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < size(); ++i) {
        if (kept > 0 && std::memcmp(keyData(kept - 1), keyData(i), keyLength_) == 0)
            continue;
        if (kept != i)
            std::memmove(bytes_.data() + kept * keyLength_, keyData(i), keyLength_);
        recnos_[kept++] = recnos_[i];
    }
    bytes_.resize(kept * keyLength_);
    recnos_.resize(kept);
}

} // namespace xbase
