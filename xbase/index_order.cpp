#include "xbase/index_order.h"

#include "xbase/error.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace xbase {

KeyType keyTypeOf(ValueType type) noexcept {
    switch (type) {
    case ValueType::Number:
        return KeyType::Numeric;
    case ValueType::Date:
        return KeyType::Date;
    case ValueType::Logical:
        return KeyType::Logical;
    case ValueType::String:
        break;
    }
    return KeyType::Character;
}

std::uint16_t keyLengthOf(const Expression& key) {
    switch (keyTypeOf(key.type())) {
    case KeyType::Numeric:
    case KeyType::Date:
        return binaryKeyLength;
    case KeyType::Logical:
        return 1;
    case KeyType::Character:
        break;
    }
    if (key.width() == 0 || key.width() > maxKeyLength)
        throw Error(ErrorKind::Value, "index key \"" + key.text() + "\" is " +
                                          std::to_string(key.width()) +
                                          " bytes long; keys are 1 to 240");
    return static_cast<std::uint16_t>(key.width());
}

std::string IndexedTag::keyOf(const Record& record) const {
    std::string key(tree->keyLength(), ' ');
    writeKey(record, key.data());
    return key;
}

void IndexedTag::writeKey(const Record& record, char* out) const {
    const std::size_t length = tree->keyLength();
    auto put = [&](const std::string& key) {
        std::memcpy(out, key.data(), std::min(key.size(), length));
    };
    switch (type) {
    case KeyType::Numeric:
        return put(numericKey(key->evaluateNumber(record)));
    case KeyType::Date:
        return put(dateKey(key->evaluateString(record)));
    case KeyType::Logical:
        return put(logicalKey(key->evaluateLogical(record)));
    case KeyType::Character:
        break;
    }
    std::string_view text = key->evaluateString(record);
    std::size_t n = std::min(text.size(), length);
    std::memcpy(out, text.data(), n);
    std::memset(out + n, ' ', length - n);
}

bool IndexedTag::includes(const Record& record) const {
    return !condition || condition->evaluateLogical(record);
}

std::string IndexedTag::soughtKey(std::string_view text) const {
    switch (type) {
    case KeyType::Numeric:
        return numericKey(std::strtod(std::string(text).c_str(), nullptr));
    case KeyType::Date:
        return dateKey(text);
    case KeyType::Logical:
        return logicalKey(!text.empty() &&
                          (text[0] == 'T' || text[0] == 't' || text[0] == 'Y' || text[0] == 'y'));
    case KeyType::Character:
        break;
    }
    return std::string(text.substr(0, tree->keyLength()));
}

void TagOrder::setScope(std::string_view top, std::string_view bottom) {
    top_ = tag_->soughtKey(top);
    bottom_ = tag_->soughtKey(bottom);
}

void TagOrder::clearScope() {
    top_.reset();
    bottom_.reset();
}

int TagOrder::compare(std::string_view a, std::string_view b) const {
    const int c = tag_->tree->compareKeys(a, b);
    return reversed_ ? -c : c;
}

bool TagOrder::toFirst() {
    return reversed_ ? cursor_.last() : cursor_.first();
}

bool TagOrder::toLast() {
    return reversed_ ? cursor_.first() : cursor_.last();
}

bool TagOrder::forward() {
    return reversed_ ? cursor_.previous() : cursor_.next();
}

bool TagOrder::backward() {
    return reversed_ ? cursor_.next() : cursor_.previous();
}

// In tree order a key's entries lie between the first not before it and the first after
// it; visiting a descending tag walks that stretch from its other end.
bool TagOrder::seekFrom(std::string_view key) {
    if (!reversed_)
        return cursor_.seek(key);
    return cursor_.seekAfter(key) ? cursor_.previous() : cursor_.last();
}

bool TagOrder::seekThrough(std::string_view key) {
    if (reversed_)
        return cursor_.seek(key);
    return cursor_.seekAfter(key) ? cursor_.previous() : cursor_.last();
}

// The cursor's record when it lies inside the scope, else 0.
std::uint32_t TagOrder::inScope() {
    if (!cursor_.valid())
        return 0;
    if (top_ && compare(cursor_.key(), *top_) < 0)
        return 0;
    if (bottom_ && compare(cursor_.key(), *bottom_) > 0)
        return 0;
    return cursor_.recno();
}

std::uint32_t TagOrder::first() {
    if (top_)
        seekFrom(*top_);
    else
        toFirst();
    return inScope();
}

std::uint32_t TagOrder::last() {
    if (bottom_)
        seekThrough(*bottom_);
    else
        toLast();
    return inScope();
}

std::uint32_t TagOrder::next() {
    if (!cursor_.valid())
        return 0;
    forward();
    return inScope();
}

std::uint32_t TagOrder::prev() {
    if (!cursor_.valid())
        return 0;
    backward();
    return inScope();
}

bool TagOrder::locate(const Record& record) {
    if (!tag_->includes(record))
        return false;
    std::string key = tag_->keyOf(record);
    return cursor_.seek(key, record.recno) && cursor_.recno() == record.recno &&
           cursor_.key() == key && inScope() != 0;
}

bool TagOrder::matchesStored(std::string_view sought, bool exact) const {
    if (!cursor_.valid())
        return false;
    const IndexTree& tree = *tag_->tree;
    if (tag_->type != KeyType::Character || !exact)
        return tree.compareKeys(cursor_.key().substr(0, sought.size()), sought) == 0;
    // Exact: the whole stored key, blank padded, must match.
    return cursor_.key() == tree.normalise(sought);
}

SeekResult TagOrder::seek(std::string_view key, bool exact) {
    std::string sought = tag_->soughtKey(key);
    if (top_ && compare(sought, *top_) < 0)
        first();
    else
        seekFrom(sought);
    SeekResult result;
    result.recno = inScope();
    result.found = result.recno != 0 && matchesStored(sought, exact);
    return result;
}

bool TagOrder::matches(std::string_view key, bool exact) const {
    return matchesStored(tag_->soughtKey(key), exact);
}

} // namespace xbase
