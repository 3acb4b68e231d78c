#include "controls/text_finder.h"
#include "tests/controls/rtf_test_support.h"

#include <gtest/gtest.h>

namespace {

// Replaces every occurrence of a mark as the merge does and answers how many there were.
int replaceAll(QTextDocument& document, const QString& mark, const QString& value) {
    controls::TTextFinder finder(document);
    finder.Start();
    int count = 0;
    while (finder.FindNext(mark)) {
        finder.ReplaceFound(value, finder.FoundAttributes());
        ++count;
    }
    return count;
}

TEST(TextFinder, FindsInAnyLetterCaseAndAcrossAttributes) {
    const auto document = ReadDocument("{\\rtf1 [First] and [FIRST] and [first] and "
                                       "[Fi{\\b rst}] and [Firsts]\\par [First]}");
    EXPECT_EQ(replaceAll(*document, "[First]", "Ann"), 5);
    EXPECT_EQ(Paragraphs(*document),
              (QStringList{"Ann and Ann and Ann and Ann and [Firsts]", "Ann"}));
}

TEST(TextFinder, GivesTheReplacementTheAttributesOfTheMark) {
    const auto document = ReadDocument("{\\rtf1 Dear {\\b\\i\\fs32 [First]}, {\\ul [first]}}");
    replaceAll(*document, "[First]", "Ann");
    EXPECT_EQ(Paragraphs(*document), QStringList{"Dear Ann, Ann"});
    const QTextCharFormat bold = FormatAt(*document, 5);
    EXPECT_TRUE(bold.font().bold());
    EXPECT_TRUE(bold.fontItalic());
    EXPECT_EQ(bold.fontPointSize(), 16.0);
    EXPECT_FALSE(FormatAt(*document, 4).font().bold());
    EXPECT_TRUE(FormatAt(*document, 10).fontUnderline());
}

TEST(TextFinder, GoesOnAfterTheReplacement) {
    const auto document = ReadDocument("{\\rtf1 [Name] [Name]}");
    EXPECT_EQ(replaceAll(*document, "[name]", "[Name] Smith"), 2);
    EXPECT_EQ(Paragraphs(*document), QStringList{"[Name] Smith [Name] Smith"});
    const auto lines = ReadDocument("{\\rtf1 Hello [Block] and [Block].}");
    EXPECT_EQ(replaceAll(*lines, "[Block]", "one\r\ntwo\r\n"), 2);
    EXPECT_EQ(Paragraphs(*lines), (QStringList{"Hello one", "two", " and one", "two", "."}));
    const auto removed = ReadDocument("{\\rtf1 a[Middle]b}");
    replaceAll(*removed, "[Middle]", "");
    EXPECT_EQ(Paragraphs(*removed), QStringList{"ab"});
}

} // namespace
