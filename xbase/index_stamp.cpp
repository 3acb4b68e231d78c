#include "xbase/index_stamp.h"

#include "xbase/index_bytes.h"
#include "xbase/table.h"

#include <array>
#include <cstring>

namespace xbase {

namespace {

constexpr std::uint64_t stampOffset = 400;
constexpr std::size_t stampSize = 20;
constexpr char magic[4] = {'C', 'v', 'S', 't'};
constexpr std::uint8_t clean = 'C', writing = 'W';

std::uint64_t load64(const char* p) noexcept {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

std::uint64_t rotate(std::uint64_t v, int by) noexcept {
    return (v << by) | (v >> (64 - by));
}

std::uint64_t finish(std::uint64_t x) noexcept {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

} // namespace

TableStamp readTableStamp(const IndexStorage& storage) {
    TableStamp stamp;
    if (storage.size() < stampOffset + stampSize)
        return stamp;
    std::array<std::uint8_t, stampSize> b{};
    storage.read(stampOffset, b.data(), b.size());
    if (std::memcmp(b.data(), magic, sizeof magic) != 0)
        return stamp;
    if (b[4] == clean)
        stamp.state = TableStamp::State::Clean;
    else if (b[4] == writing)
        stamp.state = TableStamp::State::Writing;
    else
        return stamp;
    stamp.records = index_bytes::getLe(b.data() + 8, 4);
    stamp.fingerprint = std::uint64_t(index_bytes::getLe(b.data() + 12, 4)) |
                        std::uint64_t(index_bytes::getLe(b.data() + 16, 4)) << 32;
    return stamp;
}

void writeTableStamp(IndexStorage& storage, const TableStamp& stamp) {
    std::array<std::uint8_t, stampSize> b{};
    if (stamp.state != TableStamp::State::None) {
        std::memcpy(b.data(), magic, sizeof magic);
        b[4] = stamp.state == TableStamp::State::Clean ? clean : writing;
        index_bytes::putLe(b.data() + 8, stamp.records, 4);
        index_bytes::putLe(b.data() + 12, stamp.fingerprint, 8);
    }
    storage.write(stampOffset, b.data(), b.size());
}

// Two lanes of sixteen bytes a step keep the multiplications apart; the record number
// goes in, so that two records trading places change the sum.
std::uint64_t recordFingerprint(const Record& record) noexcept {
    const char* p = record.bytes.data();
    const std::size_t n = record.bytes.size();
    std::uint64_t a = 0x9E3779B97F4A7C15ull ^ n, b = record.recno;
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        a = rotate((a ^ load64(p + i)) * 0x87C37B91114253D5ull, 31);
        b = rotate((b ^ load64(p + i + 8)) * 0x4CF5AD432745937Full, 29);
    }
    char tail[16] = {};
    if (i < n)
        std::memcpy(tail, p + i, n - i);
    a = rotate((a ^ load64(tail)) * 0x87C37B91114253D5ull, 31);
    b = rotate((b ^ load64(tail + 8)) * 0x4CF5AD432745937Full, 29);
    return finish(a ^ rotate(b, 17) ^ (std::uint64_t(record.recno) * 0xD6E8FEB86659FD93ull));
}

std::uint64_t tableFingerprint(Table& table) {
    std::uint64_t sum = 0;
    const std::uint32_t n = table.recordCount();
    for (std::uint32_t r = 1; r <= n; ++r)
        sum += recordFingerprint(table.storedRecord(r));
    return sum;
}

} // namespace xbase
