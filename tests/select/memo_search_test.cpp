#include "select/memo_search.h"

#include <gtest/gtest.h>

using selection::MemoMatches;

TEST(MemoMatches, UpperCaseContainmentWithinTheLimits) {
    const QString far = QString(32767 - 3, 'x') + "needle";
    const QString longText = QString(255, 'a');
    const struct {
        QString memo, text;
        bool matches;
    } cases[] = {
        {"Call about the Order", "order", true},
        {"Call about the Order", "ORDERS", false},
        {"", "", false},        // an empty memo never matches
        {"anything", "", true}, // an empty text is in every memo
        {far, "need", false},   // past the first 32767 characters
        {far.left(32767), "nee", true},
        {longText, longText + "b", true}, // the text is cut to 255 characters
    };
    for (const auto& c : cases)
        EXPECT_EQ(MemoMatches(c.memo, c.text), c.matches) << c.text.left(20).toStdString();
}
