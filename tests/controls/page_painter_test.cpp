#include "controls/page_painter.h"

#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<QTextDocument> lines(int count) {
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(QFont("Arial", 12));
    QTextCursor cursor(document.get());
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(QString("Line %1").arg(i + 1));
    }
    return document;
}

int darkPixels(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

TEST(PagePainter, BreaksPagesWhereTheTextAreaIsFullAndAtPageBreaks) {
    const controls::PageSetup letter;
    const auto one = lines(10);
    EXPECT_EQ(controls::TPagePainter(*one, letter).NextPageStart(0), -1);
    EXPECT_EQ(controls::TPagePainter(*one, letter).PageCount(), 1);

    // Nine inches of 12-point lines hold about 47 of them.
    const auto many = lines(120);
    const controls::TPagePainter painter(*many, letter);
    const int second = painter.NextPageStart(0);
    ASSERT_GT(second, 0);
    const QTextBlock firstOfSecond = many->findBlock(second);
    EXPECT_EQ(firstOfSecond.position(), second) << "pages start at a line";
    EXPECT_GT(firstOfSecond.blockNumber(), 40);
    EXPECT_LT(firstOfSecond.blockNumber(), 55);
    EXPECT_EQ(painter.PageCount(), 3);

    const auto broken = lines(3);
    QTextCursor cursor(broken->findBlockByNumber(1));
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(format);
    const controls::TPagePainter breaking(*broken, letter);
    EXPECT_EQ(breaking.NextPageStart(0), broken->findBlockByNumber(1).position());
    EXPECT_EQ(breaking.NextPageStart(breaking.NextPageStart(0)), -1);
    EXPECT_EQ(breaking.PageCount(), 2);
}

TEST(PagePainter, WrapsLinesAtTheTextWidthEvenWhenTheDocumentDoesNot) {
    QTextDocument document;
    QTextOption noWrap = document.defaultTextOption();
    noWrap.setWrapMode(QTextOption::NoWrap);
    document.setDefaultTextOption(noWrap);
    QTextCursor cursor(&document);
    cursor.insertText(QString("word ").repeated(2000));
    EXPECT_GT(controls::TPagePainter(document, controls::PageSetup()).PageCount(), 1);
}

TEST(PagePainter, DrawsOnlyThePageAskedFor) {
    const auto document = lines(60);
    const controls::PageSetup letter;
    const controls::TPagePainter painter(*document, letter);
    const int second = painter.NextPageStart(0);
    // At 50 dots per inch the text area of a Letter page is 325 by 450 dots.
    auto draw = [&](int start) {
        QImage image(425, 550, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter canvas(&image);
        const int next = painter.DrawPage(canvas, QRectF(50, 50, 325, 450), 50, start);
        canvas.end();
        return std::make_pair(image, next);
    };
    const auto [first, afterFirst] = draw(0);
    EXPECT_EQ(afterFirst, second);
    const auto [last, afterLast] = draw(second);
    EXPECT_EQ(afterLast, -1);
    EXPECT_GT(darkPixels(first), 0);
    // The second page holds fewer lines, and nothing lies in the margins.
    EXPECT_LT(darkPixels(last), darkPixels(first));
    EXPECT_EQ(darkPixels(first.copy(0, 0, 425, 50)), 0);
    EXPECT_EQ(darkPixels(first.copy(0, 500, 425, 50)), 0);
    EXPECT_EQ(darkPixels(first.copy(0, 0, 50, 550)), 0);
}

} // namespace
