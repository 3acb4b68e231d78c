#include "controls/rtf_writer.h"
#include "tests/controls/rtf_test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QTextCharFormat run(const char* family = nullptr, double points = 0) {
    QTextCharFormat format;
    if (family)
        format.setFontFamilies({QString(family)});
    if (points > 0)
        format.setFontPointSize(points);
    return format;
}

// A letter that uses every attribute the writer keeps.
std::unique_ptr<QTextDocument> sampleLetter() {
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(QFont("Arial", 10));
    QTextCursor cursor(document.get());
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    QTextCharFormat title = run("Times New Roman", 16);
    title.setFontWeight(QFont::Bold);
    cursor.insertText("Greetings {from} C:\\letters", title);

    QTextBlockFormat indented;
    indented.setLeftMargin(48);
    indented.setRightMargin(24);
    indented.setTextIndent(-24);
    indented.setBottomMargin(8);
    indented.setTabPositions(
        {QTextOption::Tab(96, QTextOption::LeftTab), QTextOption::Tab(384, QTextOption::RightTab)});
    cursor.insertBlock(indented, run());
    cursor.insertText("Plain ", run());
    QTextCharFormat italic = run();
    italic.setFontItalic(true);
    cursor.insertText("italic", italic);
    QTextCharFormat underlined = run("Courier New", 12);
    underlined.setFontUnderline(true);
    cursor.insertText("\tunderlined", underlined);
    QTextCharFormat coloured = run();
    coloured.setForeground(QColor(200, 0, 0));
    coloured.setBackground(QColor(255, 255, 0));
    cursor.insertText(QString("\tcaf") + QChar(0xE9) + " " + QChar(0x20AC) + " " + QChar(0x3A9) +
                          QChar(0x2028) + "next line",
                      coloured);

    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    cursor.insertBlock(justified, run());
    QTextBlockFormat breaking;
    breaking.setAlignment(Qt::AlignRight);
    breaking.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(breaking, run());
    QTextCharFormat strike = run(nullptr, 9);
    strike.setFontStrikeOut(true);
    cursor.insertText("On a new page", strike);
    return document;
}

controls::PageSetup a4() {
    return {11906, 16838, 1134, 1417, 1134, 1417};
}

TEST(RtfWriter, WritesTheGoldenFile) {
    const QByteArray written = controls::WriteRtf(*sampleLetter(), a4());
    QFile golden(CORVANE_FIXTURES "/rtf/sample_letter.rtf");
    // After a deliberate change of the writer, CORVANE_UPDATE_GOLDEN=1 writes the file anew.
    if (qEnvironmentVariableIsSet("CORVANE_UPDATE_GOLDEN") && golden.open(QIODevice::WriteOnly)) {
        golden.write(written);
        golden.close();
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.toStdString(), golden.readAll().toStdString());
    for (char c : written)
        EXPECT_TRUE(static_cast<unsigned char>(c) < 0x80) << "RTF is written in 7 bits";
}

// Every character with the attributes the writer keeps, for comparing two documents.
QStringList describe(const QTextDocument& document) {
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat b = block.blockFormat();
        QString tabs;
        for (const QTextOption::Tab& tab : b.tabPositions())
            tabs += QString(" %1/%2").arg(tab.position).arg(int(tab.type));
        lines << QString("paragraph %1 align %2 li %3 ri %4 fi %5 sa %6 break %7 tabs%8")
                     .arg(block.text())
                     .arg(int(b.alignment() & Qt::AlignHorizontal_Mask))
                     .arg(b.leftMargin())
                     .arg(b.rightMargin())
                     .arg(b.textIndent())
                     .arg(b.bottomMargin())
                     .arg(bool(b.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
                     .arg(tabs);
        for (int i = 0; i < block.length() - 1; ++i) {
            const QTextCharFormat f = FormatAt(document, block.position() + i);
            const QFont font = f.font().resolve(document.defaultFont());
            lines << QString("%1 %2 %3 b%4 i%5 u%6 s%7 fg%8 bg%9")
                         .arg(block.text().at(i))
                         .arg(font.family())
                         .arg(font.pointSizeF())
                         .arg(font.bold())
                         .arg(font.italic())
                         .arg(font.underline())
                         .arg(font.strikeOut())
                         .arg(f.hasProperty(QTextFormat::ForegroundBrush)
                                  ? f.foreground().color().name()
                                  : QString("-"))
                         .arg(f.hasProperty(QTextFormat::BackgroundBrush)
                                  ? f.background().color().name()
                                  : QString("-"));
        }
    }
    return lines;
}

TEST(RtfWriter, WhatItWritesReadsBackTheSame) {
    const auto original = sampleLetter();
    controls::RtfReadResult read;
    const auto again = ReadDocument(controls::WriteRtf(*original, a4()), &read);
    again->setDefaultFont(original->defaultFont());
    EXPECT_EQ(describe(*again), describe(*original));
    ASSERT_TRUE(read.page);
    EXPECT_EQ(*read.page, a4());
    // And once more: writing what was read gives the same file.
    EXPECT_EQ(controls::WriteRtf(*again, a4()), controls::WriteRtf(*original, a4()));
}

// An office suite, where one is installed, opens the letter the writer makes and saves it as
// RTF of its own: that file reads back to the same paragraphs, text and attributes.
TEST(RtfWriter, AnOfficeSuiteKeepsWhatItWrites) {
    const QString office = QStandardPaths::findExecutable("soffice");
    if (office.isEmpty())
        GTEST_SKIP() << "no office suite installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto original = sampleLetter();
    QFile ours(dir.filePath("ours.rtf"));
    ASSERT_TRUE(ours.open(QIODevice::WriteOnly));
    ours.write(controls::WriteRtf(*original, a4()));
    ours.close();
    QProcess convert;
    convert.start(
        office,
        {"-env:UserInstallation=" + QUrl::fromLocalFile(dir.filePath("profile")).toString(),
         "--headless", "--convert-to", "rtf", "--outdir", dir.filePath("out"), ours.fileName()});
    ASSERT_TRUE(convert.waitForFinished(120000));
    QFile theirs(dir.filePath("out/ours.rtf"));
    ASSERT_TRUE(theirs.open(QIODevice::ReadOnly)) << convert.readAllStandardError().toStdString();
    controls::RtfReadResult read;
    const auto again = ReadDocument(theirs.readAll(), &read);
    again->setDefaultFont(original->defaultFont());
    EXPECT_EQ(describe(*again), describe(*original));
    ASSERT_TRUE(read.page);
    EXPECT_EQ(*read.page, a4());
}

TEST(RtfWriter, KeepsEmptyParagraphsAtTheEnd) {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("Text");
    cursor.insertBlock();
    cursor.insertBlock();
    const auto again = ReadDocument(controls::WriteRtf(document, {}));
    EXPECT_EQ(Paragraphs(*again), (QStringList{"Text", "", ""}));
    const auto empty = ReadDocument(controls::WriteRtf(QTextDocument(), {}));
    EXPECT_EQ(Paragraphs(*empty), QStringList{""});
}

// The fuzz target's seeds hold the inputs it once failed on: what the writer makes of each
// reads back to the same file.
TEST(RtfWriter, TheFuzzSeedsWriteAndReadBackAlike) {
    const QDir seeds(CORVANE_FIXTURES "/../../fuzz/seeds/rtf_read");
    const QStringList names = seeds.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        QFile file(seeds.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        controls::RtfReadResult read;
        const auto first = ReadDocument(file.readAll(), &read);
        const controls::PageSetup page = read.page.value_or(controls::PageSetup());
        const QByteArray written = controls::WriteRtf(*first, page);
        EXPECT_EQ(controls::WriteRtf(*ReadDocument(written), page), written) << name.toStdString();
    }
}

} // namespace
