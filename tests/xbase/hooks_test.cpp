#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace xbase::test {
namespace {

// Records every notification as text, with the first field's bytes.
class Journal : public RecordObserver {
public:
    void onAppended(const Record& r) override { add("append", r); }
    void onRemoving(const Record& r) override { add("remove", r); }
    void onChanging(const Record& r) override { add("before", r); }
    void onChanged(const Record& r) override { add("after", r); }
    void onPacked() override { log.push_back("packed"); }
    void onZapped() override { log.push_back("zapped"); }
    std::vector<std::string> log;

private:
    void add(const char* what, const Record& r) {
        log.push_back(std::string(what) + " " + std::to_string(r.recno) + " " +
                      std::string(r.bytes.substr(0, 4)));
    }
};

// An order by the first field's bytes, rebuilt whenever asked: the smallest possible
// stand-in for an index tag.
class SortedOrder : public RecordOrder {
public:
    explicit SortedOrder(Table& t) : table_(t) {}
    void rebuild() {
        keys_.clear();
        for (std::uint32_t r = 1; r <= table_.recordCount(); ++r) {
            table_.goTo(r);
            keys_.push_back({std::string(table_.fieldBytes(std::size_t(0))), r});
        }
        std::sort(keys_.begin(), keys_.end());
    }
    std::uint32_t first() override { return at(pos_ = 0); }
    std::uint32_t last() override { return at(pos_ = std::ptrdiff_t(keys_.size()) - 1); }
    std::uint32_t next() override { return at(++pos_); }
    std::uint32_t prev() override { return at(--pos_); }
    bool locate(const Record& r) override {
        for (std::size_t i = 0; i < keys_.size(); ++i)
            if (keys_[i].second == r.recno) {
                pos_ = std::ptrdiff_t(i);
                return true;
            }
        return false;
    }
    SeekResult seek(std::string_view key, bool exact) override {
        auto it = std::lower_bound(keys_.begin(), keys_.end(),
                                   std::pair<std::string, std::uint32_t>(std::string(key), 0));
        pos_ = it - keys_.begin();
        if (it == keys_.end())
            return {0, false};
        return {it->second, matches(key, exact)};
    }
    bool matches(std::string_view key, bool exact) const override {
        if (pos_ < 0 || pos_ >= std::ptrdiff_t(keys_.size()))
            return false;
        std::string_view k = keys_[std::size_t(pos_)].first;
        return exact ? k.substr(0, k.find_last_not_of(' ') + 1) == key
                     : k.substr(0, key.size()) == key;
    }

private:
    std::uint32_t at(std::ptrdiff_t i) const {
        return i < 0 || i >= std::ptrdiff_t(keys_.size()) ? 0 : keys_[std::size_t(i)].second;
    }
    Table& table_;
    std::vector<std::pair<std::string, std::uint32_t>> keys_;
    std::ptrdiff_t pos_ = -1;
};

TEST(Hooks, ObserversSeeEveryAppendEditDeletePackAndZap) {
    TempDir dir;
    Table t = Table::create(dir / "H.DBF", {{"K", 'C', 3}});
    Journal j;
    t.addObserver(&j);
    t.appendBlank();
    t.setText("K", "abc");
    t.post();
    t.post(); // nothing changed: no notification
    t.setDeleted(true);
    t.pack();
    t.appendBlank();
    t.zap();
    t.removeObserver(&j);
    t.appendBlank();
    const std::vector<std::string> expected = {"append 1     ", "before 1     ", "after 1  abc",
                                               "before 1  abc", "after 1 *abc",  "packed",
                                               "append 1     ", "zapped"};
    EXPECT_EQ(j.log, expected);
}

TEST(Hooks, AnExternalOrderDrivesNavigationAndSeekWithFiltersOnTop) {
    TempDir dir;
    Table t = Table::create(dir / "O.DBF", {{"K", 'C', 3}});
    for (const char* k : {"dog", "ant", "cat", "bee", "eel"}) {
        t.appendBlank();
        t.setText("K", k);
        t.post();
    }
    t.goTo(3);
    t.setDeleted(true); // cat
    SortedOrder order(t);
    order.rebuild();
    t.setOrder(&order);
    t.settings().deleted = true;
    std::string seen;
    for (t.top(); !t.eof(); t.skip())
        seen += std::string(t.fieldBytes(std::size_t(0))) + " ";
    EXPECT_EQ(seen, "ant bee dog eel ");
    t.bottom();
    t.skip(-1);
    EXPECT_EQ(t.fieldBytes(std::size_t(0)), "dog");
    t.goTo(4); // bee, directly; skipping continues from it in the order
    t.skip();
    EXPECT_EQ(t.fieldBytes(std::size_t(0)), "dog");

    EXPECT_TRUE(t.seek("do"));
    EXPECT_EQ(t.recno(), 1u);
    EXPECT_FALSE(t.seek("ca")); // hidden by the deleted setting
    EXPECT_TRUE(t.eof());
    t.settings().softSeek = true;
    EXPECT_FALSE(t.seek("ca"));
    EXPECT_EQ(t.fieldBytes(std::size_t(0)), "dog");
    t.setQuery("K > \"c\"");
    t.top();
    EXPECT_EQ(t.fieldBytes(std::size_t(0)), "dog");
    t.setOrder(nullptr);
    EXPECT_THROW(t.seek("x"), Error);
}

} // namespace
} // namespace xbase::test
