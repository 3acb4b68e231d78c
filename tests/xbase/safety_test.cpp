#include "test_support.h"

#include "xbase/file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace xbase::test {
namespace {

// A child process appends numbered records and reports each returned append through a
// pipe; it is killed at some point. Every reported record must be in the table.
TEST(Safety, KillDuringLongAppendKeepsEveryReturnedRecord) {
    TempDir dir;
    const auto path = dir / "KILL.DBF";
    Table::create(path, {{"N", 'N', 9}, {"TEXT", 'C', 100}, {"NOTE", 'M'}}).close();
    std::set<std::uint32_t> reported;
    for (int delayMs : {5, 40}) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(fds[0]);
            try {
                Table t = Table::open(path);
                for (std::uint32_t i = t.recordCount() + 1;; ++i) {
                    t.appendBlank();
                    t.setNumber("N", i);
                    t.setText("TEXT", "record " + std::to_string(i));
                    if (i % 10 == 0)
                        t.setMemo("NOTE", "memo of " + std::to_string(i));
                    t.post();
                    if (write(fds[1], &i, sizeof i) != sizeof i)
                        _exit(2);
                }
            } catch (...) {
                _exit(1);
            }
        }
        close(fds[1]);
        usleep(delayMs * 1000);
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        std::uint32_t last = 0, n;
        while (read(fds[0], &n, sizeof n) == sizeof n)
            reported.insert(last = n);
        close(fds[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself";

        Table t = Table::open(path);
        ASSERT_GE(t.recordCount(), last);
        // The append in flight when the kill came may stay as a blank record.
        for (std::uint32_t r : reported) {
            t.goTo(r);
            ASSERT_EQ(t.number("N"), double(r)) << "record " << r;
            ASSERT_EQ(t.text("TEXT"), "record " + std::to_string(r));
            if (r % 10 == 0) {
                ASSERT_EQ(t.memo("NOTE"), "memo of " + std::to_string(r));
            }
        }
    }
}

TEST(Safety, FullDiskDuringWritesFailsClearlyAndLosesNothing) {
    TempDir dir;
    const auto path = dir / "FULL.DBF";
    {
        Table t = Table::create(path, {{"N", 'N', 9}, {"NOTE", 'M'}});
        t.appendBlank();
        t.setNumber("N", 1);
        t.setMemo("NOTE", "first");
        t.post();
    }
    for (int n = 1; n <= 3; ++n) {
        Table t = Table::open(path);
        std::uint32_t before = t.recordCount();
        xbase::testing::failNthWrite(n);
        try {
            for (int i = 0; i < 200000; ++i) { // enough to need the file to grow
                t.appendBlank();
                t.setNumber("N", t.recno());
                t.setMemo("NOTE", std::string(200, 'm'));
                t.post();
            }
            ADD_FAILURE() << "no write failed";
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), ErrorKind::Io) << e.what();
        }
        xbase::testing::failNthWrite(0);
        std::uint32_t after = t.recordCount();
        EXPECT_GE(after, before);
        t.close();
        Table again = Table::open(path);
        EXPECT_EQ(again.recordCount(), after);
        again.goTo(1);
        EXPECT_EQ(again.memo("NOTE"), "first");
    }
}

} // namespace
} // namespace xbase::test
