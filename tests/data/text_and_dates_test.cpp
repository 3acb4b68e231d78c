#include "data/cp1252.h"
#include "data/xb_env.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, RoundTripsEveryDefinedByteAndReplacesTheRest) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        all += char(byte);
    EXPECT_EQ(data::ToCp1252(data::FromCp1252(all)), all);
    EXPECT_EQ(data::FromCp1252("\x80\x93\xe9"), QString::fromUtf8("\u20ac\u201c\u00e9"));
    EXPECT_EQ(data::ToCp1252(QString::fromUtf8("M\u00fcller \u2013 \u4e2d")), "M\xfcller \x96 ?");
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
