#include "select/tag_id.h"

#include <gtest/gtest.h>

namespace {

TEST(TagId, Base36) {
    EXPECT_EQ(selection::Base36(0), "");
    EXPECT_EQ(selection::Base36(35), "Z");
    EXPECT_EQ(selection::Base36(36), "10");
    EXPECT_EQ(selection::Base36(428103000), "72VQE0");
    EXPECT_EQ(selection::Base36(1231235959), "KD1NQV");
}

TEST(TagId, FromDateAndTime) {
    const struct {
        QDateTime when;
        const char* id;
    } cases[] = {
        {QDateTime(QDate(1997, 4, 28), QTime(10, 30, 0)), "272VQE0"},
        {QDateTime(QDate(1995, 1, 1), QTime(0, 0, 0)), "1O4S3K"}, // year 1995 adds nothing
        {QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)), "VKD1NQV"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(selection::NewTagId(c.when), c.id) << c.when.toString().toStdString();
    EXPECT_LE(selection::NewTagId(cases[2].when).size(), 8);
}

} // namespace
