#include "test_support.h"

#include "xbase/file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace xbase::test {
namespace {

// A table of numbered records with memos on every third one and every fourth one marked
// deleted; what a whole table holds is read back as number -> (name, memo).
using Contents = std::map<int, std::pair<std::string, std::string>>;

void fill(const std::filesystem::path& path, int count) {
    Table t = Table::create(path, {{"N", 'N', 7}, {"NAME", 'C', 20}, {"NOTE", 'M'}});
    for (int i = 1; i <= count; ++i) {
        t.appendBlank();
        t.setNumber("N", i);
        t.setText("NAME", "name " + std::to_string(i));
        if (i % 3 == 0)
            t.setMemo("NOTE", "memo of " + std::to_string(i) + std::string(i % 200, '.'));
        t.post();
        if (i % 4 == 0)
            t.setDeleted(true);
    }
}

Contents read(const std::filesystem::path& path) {
    Table t = Table::open(path, OpenMode::ReadOnly);
    t.settings().deleted = false;
    Contents c;
    for (t.top(); !t.eof(); t.skip()) {
        const int n = int(t.number("N"));
        EXPECT_EQ(c.count(n), 0u) << "record " << n << " appears twice";
        c[n] = {t.text("NAME"), t.memo("NOTE")};
    }
    return c;
}

Contents withoutDeleted(Contents c) {
    std::erase_if(c, [](const auto& e) { return e.first % 4 == 0; });
    return c;
}

void copyTable(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::filesystem::remove_all(to);
    std::filesystem::create_directories(to);
    for (const char* name : {"P.DBF", "P.FPT"})
        std::filesystem::copy_file(from / name, to / name);
}

TEST(Pack, KeepsTheRecordsInOrderAndCompactsTheMemoFile) {
    TempDir dir;
    fill(dir / "P.DBF", 400);
    const Contents before = read(dir / "P.DBF");
    {
        Table t = Table::open(dir / "P.DBF");
        t.goTo(3); // memos rewritten many times leave dead blocks behind
        for (int i = 0; i < 20; ++i) {
            t.setMemo("NOTE", std::string(100 + i * 10, 'x'));
            t.post();
        }
        t.setMemo("NOTE", "memo of 3");
        t.post();
    }
    const auto grown = std::filesystem::file_size(dir / "P.FPT");
    Table t = Table::open(dir / "P.DBF");
    t.pack();
    EXPECT_EQ(t.recordCount(), 300u);
    t.close();
    Contents expected = withoutDeleted(before);
    expected[3].second = "memo of 3";
    EXPECT_EQ(read(dir / "P.DBF"), expected);
    EXPECT_LT(std::filesystem::file_size(dir / "P.FPT"), grown);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_TRUE(entry.path().extension() == ".DBF" || entry.path().extension() == ".FPT")
            << entry.path() << " left behind";
}

TEST(Pack, LeavesUnreadableMemosEmptyAndSaysSo) {
    TempDir dir;
    fill(dir / "P.DBF", 12);
    {
        Table t = Table::open(dir / "P.DBF");
        t.goTo(6);
        t.setFieldBytes(2, "     99999"); // a memo pointer far past the memo file's end
        t.post();
    }
    Table t = Table::open(dir / "P.DBF");
    std::vector<std::string> damage;
    t.setDamageCallback([&](const std::string& what) { damage.push_back(what); });
    t.pack();
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_NE(damage[0].find("1 memos could not be read"), std::string::npos) << damage[0];
    t.close();
    const Contents after = read(dir / "P.DBF");
    EXPECT_EQ(after.at(6).second, "");
    EXPECT_EQ(after.at(9).second, "memo of 9" + std::string(9, '.'));
}

// Every write a pack makes is failed in turn, as by a full disk: the table that opens
// afterwards is the old one, whole, until the pack gets through.
TEST(Pack, AFailedWriteAnywhereLeavesTheOldTableWhole) {
    TempDir dir;
    std::filesystem::create_directories(dir / "pristine");
    fill(dir / "pristine" / "P.DBF", 120);
    const Contents old = read(dir / "pristine" / "P.DBF");
    const Contents packed = withoutDeleted(old);
    bool succeeded = false;
    for (int n = 1; n < 500 && !succeeded; ++n) {
        copyTable(dir / "pristine", dir / "work");
        {
            Table t = Table::open(dir / "work" / "P.DBF");
            xbase::testing::failNthWrite(n);
            try {
                t.pack();
                succeeded = true;
            } catch (const Error& e) {
                EXPECT_EQ(e.kind(), ErrorKind::Io) << "write " << n << ": " << e.what();
            }
            xbase::testing::failNthWrite(0);
        }
        EXPECT_EQ(read(dir / "work" / "P.DBF"), succeeded ? packed : old) << "write " << n;
    }
    EXPECT_TRUE(succeeded);
}

// A child packs a large table and is killed part-way, again and again: the table opens
// with every kept record exactly once, old or packed, never a mixture.
TEST(Pack, AKillAtAnyMomentLeavesTheOldTableOrThePackedOne) {
    TempDir dir;
    std::filesystem::create_directories(dir / "pristine");
    fill(dir / "pristine" / "P.DBF", 30000);
    const Contents old = read(dir / "pristine" / "P.DBF");
    const Contents packed = withoutDeleted(old);
    int sawOld = 0, sawPacked = 0;
    for (int delayUs : {0, 2000, 8000, 20000, 40000, 70000, 100000, 150000, 400000}) {
        copyTable(dir / "pristine", dir / "work");
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            try {
                Table t = Table::open(dir / "work" / "P.DBF");
                t.pack();
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
        usleep(useconds_t(delayUs));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        const Contents now = read(dir / "work" / "P.DBF");
        if (now == old)
            ++sawOld;
        else if (now == packed)
            ++sawPacked;
        else
            ADD_FAILURE() << "after " << delayUs << " us the table is neither old nor packed ("
                          << now.size() << " records)";
        for (const auto& entry : std::filesystem::directory_iterator(dir / "work"))
            EXPECT_TRUE(entry.path().extension() == ".DBF" || entry.path().extension() == ".FPT")
                << entry.path() << " left behind after " << delayUs << " us";
    }
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawPacked, 0);
}

} // namespace
} // namespace xbase::test
