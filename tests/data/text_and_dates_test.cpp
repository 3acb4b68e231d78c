#include "data/xb_env.h"
#include "platform/cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, RoundTripsEveryDefinedByteAndReplacesTheRest) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        all += char(byte);
    EXPECT_EQ(platform::ToCp1252(platform::FromCp1252(all)), all);
    EXPECT_EQ(platform::FromCp1252("\x80\x93\xe9"), QString::fromUtf8("\u20ac\u201c\u00e9"));
    EXPECT_EQ(platform::ToCp1252(QString::fromUtf8("M\u00fcller \u2013 \u4e2d")),
              "M\xfcller \x96 ?");
}

TEST(DateFormats, PatternsWithAndWithoutCentury) {
    using data::TDateFormat;
    const struct {
        TDateFormat format;
        const char* off;
        const char* on;
    } cases[] = {
        {TDateFormat::dfAmerican, "mm/dd/yy", "mm/dd/yyyy"},
        {TDateFormat::dfAnsi, "yy.mm.dd", "yyyy.mm.dd"},
        {TDateFormat::dfBritish, "dd/mm/yy", "dd/mm/yyyy"},
        {TDateFormat::dfFrench, "dd/mm/yy", "dd/mm/yyyy"},
        {TDateFormat::dfGerman, "dd.mm.yy", "dd.mm.yyyy"},
        {TDateFormat::dfItalian, "dd-mm-yy", "dd-mm-yyyy"},
        {TDateFormat::dfSpanish, "dd-mm-yy", "dd-mm-yyyy"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(data::DatePatternOf(c.format, false), c.off);
        EXPECT_EQ(data::DatePatternOf(c.format, true), c.on);
    }
}

} // namespace

#include "data/reindex_progress.h"

namespace {

TEST(ReindexProgress, KeyCodesCarryNegatedPercentages) {
    EXPECT_EQ(data::ProgressPercentOfKey(std::uint16_t(-50)), 50);
    EXPECT_EQ(data::ProgressPercentOfKey(std::uint16_t(-100)), 100);
    EXPECT_EQ(data::ProgressPercentOfKey(0x41), std::nullopt); // an ordinary key
}

TEST(ReindexProgress, GaugeReachesFullBeforeTheLastFiveTags) {
    data::TagBuildGauge gauge;
    int shown = 0;
    int tagsWhenFull = 0;
    for (int tag = 1; tag <= 26; ++tag) {
        for (int percent = 0; percent <= 100; percent += 25)
            shown = gauge.update(percent);
        if (shown == 100 && tagsWhenFull == 0)
            tagsWhenFull = tag;
    }
    EXPECT_EQ(shown, 100);
    EXPECT_EQ(tagsWhenFull, 21);
    EXPECT_EQ(gauge.total(), 2600);
    gauge.reset();
    EXPECT_EQ(gauge.update(0), 0);
    EXPECT_EQ(gauge.update(21), 1); // 21 / 2100 rounds to 1 percent
}

} // namespace

#include "data/memo_text.h"

namespace {

TEST(MemoText, BlankAfterAPositiveMultipleOfFour) {
    EXPECT_EQ(data::MemoTextToStore("12345678"), "12345678 ");
    EXPECT_EQ(data::MemoTextToStore("1234567"), "1234567");
    EXPECT_EQ(data::MemoTextToStore(""), "");
    EXPECT_EQ(data::MemoTextToStore("ab\ncd"), "ab\r\ncd"); // 6 with the line break
    EXPECT_EQ(data::MemoTextToStore("a\nb"), "a\r\nb ");    // 4 with the line break
    EXPECT_EQ(data::MemoTextToShow("a\r\nb "), "a\nb ");
}

} // namespace
