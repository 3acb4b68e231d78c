#include "tests/controls/rtf_test_support.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCharFormat>

#include <gtest/gtest.h>

using controls::RtfReadResult;

namespace {

QByteArray rtf(const char* body) {
    return QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}"
                      "{\\f1\\froman\\fcharset204 Times New Roman Cyr;}}") +
           body + "}";
}

struct TextCase {
    const char* what;
    const char* body;
    QStringList paragraphs;
};

TEST(RtfReader, ReadsTheTextAndSkipsWhatIsNotText) {
    const TextCase cases[] = {
        {"the mark ending the last paragraph opens no new one",
         "One\\par Two\\par",
         {"One", "Two"}},
        {"a last paragraph without its mark", "One\\par Two", {"One", "Two"}},
        {"an empty paragraph between two", "One\\par\\par Two\\par", {"One", "", "Two"}},
        {"escaped braces and backslashes", "a\\{b\\}c\\\\d", {"a{b}c\\d"}},
        {"tabs, line breaks and special blanks",
         "a\\tab b\\line c\\~d\\emdash e",
         {QString("a\tb") + QChar(0x2028) + "c" + QChar(0xA0) + "d" + QChar(0x2014) + "e"}},
        {"an unknown starred group", "a{\\*\\unknowndest secret}b", {"ab"}},
        {"document information and style sheet",
         "{\\info{\\title Title}{\\author Me}}{\\stylesheet{\\s0 Normal;}}text",
         {"text"}},
        {"headers, footers and footnotes",
         "{\\header head}a{\\footnote note}b{\\footer foot}",
         {"ab"}},
        {"a picture in hexadecimal", "a{\\pict\\pngblip 89504e47}b", {"ab"}},
        {"a field shows its result, not its instruction",
         "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}",
         {"link"}},
        {"an unstarred field instruction", "{\\field{\\fldinst PAGE}{\\fldrslt 1}}", {"1"}},
        {"binary data is skipped by its length", "a{\\*\\objdata\\bin3 }}}}b", {"ab"}},
        {"unknown formatting words keep their text", "{\\lang1033\\kerning2 kept}", {"kept"}},
        {"Unicode with one fallback character",
         "caf\\u233?s",
         {QString("caf") + QChar(0xE9) + "s"}},
        {"Unicode with two fallback characters",
         "\\uc2\\u8364 EUx",
         {QString(QChar(0x20AC)) + "x"}},
        {"negative Unicode values", "\\u-3913?", {QString(QChar(0xF0B7))}},
        {"a character beyond 16 bits as a surrogate pair",
         "\\u-10179?\\u-8704?!",
         {QString::fromUcs4(U"\U0001F600!")}},
        {"a fallback escape is skipped", "\\u8220\\'93x", {QString(QChar(0x201C)) + "x"}},
        {"code page escapes in Windows-1252",
         "\\'e9\\'93\\'80",
         {QString(QChar(0xE9)) + QChar(0x201C) + QChar(0x20AC)}},
        {"code page escapes in the font's charset",
         "{\\f1 \\'cf\\'f0\\'e8}",
         {QString(QChar(0x041F)) + QChar(0x0440) + QChar(0x0438)}},
        {"a table row as tab-separated text",
         "\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl A\\cell B\\cell\\cell\\row "
         "\\pard After",
         {"A\tB", "After"}},
        {"an empty cell in the middle", "\\pard\\intbl A\\cell\\cell C\\cell\\row", {"A\t\tC"}},
        {"nothing after the document's closing brace", "Text}trailing {\\b more}", {"Text"}},
        {"a list bullet is text", "{\\listtext\\'b7\\tab}Item", {QString(QChar(0xB7)) + "\tItem"}},
    };
    for (const TextCase& c : cases) {
        const auto document = ReadDocument(rtf(c.body));
        EXPECT_EQ(Paragraphs(*document), c.paragraphs) << c.what;
    }
}

TEST(RtfReader, SurvivesBrokenInput) {
    const QByteArray inputs[] = {
        "{\\rtf1 unclosed {group",
        "{\\rtf1 }}}}} extra closing",
        "{\\rtf1 \\",
        "{\\rtf1 \\'",
        "{\\rtf1 \\'4",
        "{\\rtf1 \\u",
        "{\\rtf1 \\fs99999999999999999999 big}",
        "{\\rtf1 \\bin999999999 }",
        "{\\rtf1 {\\colortbl;\\red999\\green-5\\blue;}\\cf99999 x}",
        "{\\rtf1 \\u-99999999 \\u99999999 x}",
        "{\\rtf1 \\u-10240? lone surrogate}",
        QByteArray("{\\rtf1 ") + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}'),
    };
    for (const QByteArray& input : inputs) {
        const auto document = ReadDocument(input);
        EXPECT_TRUE(document->begin().isValid());
    }
    const auto deep = ReadDocument(QByteArray("{\\rtf1 a") + QByteArray(300, '{') + "deep" +
                                   QByteArray(300, '}') + "b}");
    EXPECT_EQ(Paragraphs(*deep), QStringList{"ab"}) << "groups nested too deep are skipped";
    const auto surrogate = ReadDocument("{\\rtf1 \\u-10240?x}");
    EXPECT_EQ(Paragraphs(*surrogate), QStringList{QString(QChar(0xFFFD)) + "x"});
}

TEST(RtfReader, TakesTextThatIsNotRtfAsPlainText) {
    RtfReadResult read;
    const auto utf8 = ReadDocument("Dear Ann,\r\nthank you \xe2\x80\x94 really.\n", &read);
    EXPECT_FALSE(read.wasRtf);
    EXPECT_EQ(Paragraphs(*utf8),
              (QStringList{"Dear Ann,", QString("thank you ") + QChar(0x2014) + " really.", ""}));
    const auto cp1252 = ReadDocument("caf\xe9");
    EXPECT_EQ(Paragraphs(*cp1252), QStringList{QString("caf") + QChar(0xE9)});
}

TEST(RtfReader, ReadsCharacterAttributes) {
    const auto document = ReadDocument(
        "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "P0{\\f0\\fs36\\b B1}{\\i I2}{\\ul U3\\ulnone O4}"
        "{\\cf1\\chcbpat2 R5}{\\strike S6}{\\super X7}\\b N8\\b0 F9}");
    const QString text = document->begin().text();
    auto at = [&](const char* word) {
        return FormatAt(*document, int(text.indexOf(QLatin1String(word))));
    };
    EXPECT_EQ(at("P0").fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_EQ(at("P0").fontPointSize(), 12.0);
    EXPECT_FALSE(at("P0").font().bold());
    EXPECT_EQ(at("B1").fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_EQ(at("B1").fontPointSize(), 18.0);
    EXPECT_TRUE(at("B1").font().bold());
    EXPECT_TRUE(at("I2").fontItalic());
    EXPECT_TRUE(at("U3").fontUnderline());
    EXPECT_FALSE(at("O4").fontUnderline());
    EXPECT_EQ(at("R5").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(at("R5").background().color(), QColor(0, 0, 255));
    EXPECT_TRUE(at("S6").fontStrikeOut());
    EXPECT_EQ(at("X7").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_TRUE(at("N8").font().bold());
    EXPECT_FALSE(at("F9").font().bold());
}

TEST(RtfReader, ReadsParagraphsPagesAndBreaks) {
    RtfReadResult read;
    const auto document =
        ReadDocument("{\\rtf1\\paperw11906\\paperh16838\\margl1000\\margr1100\\margt1200\\margb1300"
                     "\\pard\\qc\\li720\\ri360\\fi-360\\sb240\\tx1440\\tqr\\tx5760 centred\\par"
                     "\\pard\\qr right\\par\\pard\\qj justified\\page after\\par"
                     "\\pard\\pagebb own\\par\\page\\pard last\\par}",
                     &read);
    ASSERT_TRUE(read.page);
    EXPECT_EQ(*read.page, (controls::PageSetup{11906, 16838, 1000, 1200, 1100, 1300}));
    EXPECT_EQ(Paragraphs(*document),
              (QStringList{"centred", "right", "justified", "after", "own", "last"}));
    const QTextBlock centred = document->begin();
    const QTextBlockFormat format = centred.blockFormat();
    EXPECT_EQ(format.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(format.leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(format.rightMargin(), 24.0);
    EXPECT_DOUBLE_EQ(format.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(format.topMargin(), 16.0);
    // Tab stops count from where the first line starts: 1 and 4 inches less a quarter inch.
    ASSERT_EQ(format.tabPositions().size(), 2);
    EXPECT_EQ(format.tabPositions()[0].type, QTextOption::LeftTab);
    EXPECT_DOUBLE_EQ(format.tabPositions()[0].position, 72.0);
    EXPECT_DOUBLE_EQ(format.tabPositions()[1].position, 360.0);
    EXPECT_EQ(format.tabPositions()[1].type, QTextOption::RightTab);
    const QTextBlock right = centred.next();
    EXPECT_EQ(right.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    const QTextBlock justified = right.next();
    EXPECT_EQ(justified.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    auto breaks = [](const QTextBlock& block) {
        return bool(block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    };
    EXPECT_FALSE(breaks(justified));
    EXPECT_TRUE(breaks(justified.next())) << "\\page inside a paragraph starts a new one";
    EXPECT_TRUE(breaks(justified.next().next())) << "\\pagebb";
    EXPECT_TRUE(breaks(document->lastBlock())) << "\\page between paragraphs adds none";
}

TEST(RtfReader, InsertsAtTheCursor) {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("Before  after");
    cursor.setPosition(7);
    controls::ReadRtf("{\\rtf1 {\\b inserted}}", cursor);
    EXPECT_EQ(Paragraphs(document), QStringList{"Before inserted after"});
    EXPECT_EQ(cursor.position(), 15);
}

QByteArray fixture(const char* name) {
    QFile file(QString(CORVANE_FIXTURES "/rtf/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Files that another word processor wrote: the golden letter after a trip through it, and a
// page with a link, a list and a table.
TEST(RtfReader, ReadsWhatAnotherWordProcessorWrote) {
    RtfReadResult read;
    const auto letter = ReadDocument(fixture("from_writer_sample.rtf"), &read);
    ASSERT_TRUE(read.page);
    EXPECT_EQ(*read.page, (controls::PageSetup{11906, 16838, 1134, 1417, 1134, 1417}));
    EXPECT_EQ(Paragraphs(*letter),
              (QStringList{"Greetings {from} C:\\letters",
                           QString("Plain italic\tunderlined\tcaf") + QChar(0xE9) + " " +
                               QChar(0x20AC) + " " + QChar(0x3A9) + QChar(0x2028) + "next line",
                           "", "On a new page"}));
    const QTextBlock title = letter->begin();
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat titleFormat = FormatAt(*letter, 0);
    EXPECT_EQ(titleFormat.fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_EQ(titleFormat.fontPointSize(), 16.0);
    EXPECT_TRUE(titleFormat.font().bold());
    const QTextBlock body = title.next();
    EXPECT_DOUBLE_EQ(body.blockFormat().leftMargin(), 48);
    EXPECT_DOUBLE_EQ(body.blockFormat().textIndent(), -24);
    const QString text = body.text();
    auto at = [&](const char* word) {
        return FormatAt(*letter, body.position() + int(text.indexOf(QLatin1String(word))));
    };
    EXPECT_TRUE(at("italic").fontItalic());
    EXPECT_TRUE(at("underlined").fontUnderline());
    EXPECT_EQ(at("underlined").fontFamilies().toStringList(), QStringList{"Courier New"});
    EXPECT_EQ(at("next").foreground().color(), QColor(200, 0, 0));
    EXPECT_EQ(at("next").background().color(), QColor(255, 255, 0));
    EXPECT_EQ(body.next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    const QTextBlock last = letter->lastBlock();
    EXPECT_EQ(last.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_TRUE(last.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_TRUE(FormatAt(*letter, last.position()).fontStrikeOut());
    EXPECT_EQ(FormatAt(*letter, last.position()).fontPointSize(), 9.0);

    const auto page = ReadDocument(fixture("from_writer_list_table_link.rtf"));
    EXPECT_EQ(
        Paragraphs(*page),
        (QStringList{"Heading", "Before link text after.", QString(QChar(0x2022)) + "\tFirst item",
                     QString(QChar(0x2022)) + "\tSecond item", "A1\tB1", "A2\tB2",
                     QString("Done with ") + QChar(0x20AC) + " and " + QChar(0x416)}));
}

} // namespace
