#include "xbase/index_key.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace xbase;

TEST(IndexKey, NumericKeysSortAsNumbers) {
    std::vector<double> ascending{-std::numeric_limits<double>::infinity(),
                                  -1e300,
                                  -12.5,
                                  -1,
                                  -0.001,
                                  0,
                                  0.001,
                                  1,
                                  2,
                                  12.5,
                                  1e300,
                                  std::numeric_limits<double>::infinity()};
    for (std::size_t i = 0; i + 1 < ascending.size(); ++i)
        EXPECT_LT(numericKey(ascending[i]), numericKey(ascending[i + 1])) << ascending[i];
    for (double v : ascending)
        EXPECT_EQ(numericKeyValue(numericKey(v)), v);
    EXPECT_EQ(numericKey(-0.0), numericKey(0.0));
    EXPECT_EQ(numericKey(1.0), std::string("\xBF\xF0\0\0\0\0\0\0", 8));
}

TEST(IndexKey, DatesAreJulianDays) {
    EXPECT_EQ(julianDay(2000, 1, 1), 2451545);
    EXPECT_EQ(julianDay(1970, 1, 1), 2440588);
    EXPECT_EQ(numericKeyValue(dateKey("20000101")), 2451545.0);
    EXPECT_LT(dateKey("19991231"), dateKey("20000101"));
    EXPECT_LT(dateKey("        "), dateKey("00010101"));
}

TEST(IndexKey, CharacterAndLogicalKeys) {
    EXPECT_EQ(characterKey("AB", 4), "AB  ");
    EXPECT_EQ(characterKey("ABCDEF", 4), "ABCD");
    EXPECT_EQ(logicalKey(true), "T");
    EXPECT_EQ(trailByte(KeyType::Character), ' ');
    EXPECT_EQ(trailByte(KeyType::Numeric), 0);
}
