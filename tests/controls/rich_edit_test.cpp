#include "controls/find_dialogs.h"
#include "controls/page_dialog.h"
#include "controls/paragraph_dialog.h"
#include "controls/rich_edit.h"
#include "controls/rich_edit_toolbar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using controls::TRichEdit;

// Types over what a box holds, as a user does.
void typeInto(QWidget* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

// An editor whose dialogs run a script instead of waiting for the user, and whose messages are
// kept.
struct ScriptedEditor {
    TRichEdit editor;
    QStringList told;
    std::function<void(QDialog&)> script;

    explicit ScriptedEditor(const QString& text = {}) {
        editor.setPlainText(text);
        editor.hooks.inform = [this](const QString& message) { told << message; };
        editor.hooks.exec = [this](QDialog& dialog) {
            dialog.show();
            if (script)
                script(dialog);
            return dialog.result();
        };
    }
};

TEST(RichEdit, FindAndReplaceDialogs) {
    ScriptedEditor s("One two one ONE");
    s.script = [](QDialog& dialog) {
        auto& find = static_cast<controls::TFindDialog&>(dialog);
        typeInto(find.FindText, "one");
        QTest::mouseClick(find.FindNextButton, Qt::LeftButton);
        QTest::mouseClick(find.FindNextButton, Qt::LeftButton);
        QTest::mouseClick(find.CancelButton, Qt::LeftButton);
    };
    s.editor.ShowFindDialog();
    EXPECT_EQ(s.editor.textCursor().selectionStart(), 8) << "the second one, in any case";
    EXPECT_TRUE(s.told.isEmpty());

    s.script = [](QDialog& dialog) {
        auto& replace = static_cast<controls::TFindDialog&>(dialog);
        typeInto(replace.FindText, "one");
        typeInto(replace.ReplaceText, "1");
        QTest::mouseClick(replace.MatchCase, Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseClick(replace.ReplaceAllButton, Qt::LeftButton);
        QTest::mouseClick(replace.FindNextButton, Qt::LeftButton);
    };
    s.editor.ShowReplaceDialog();
    EXPECT_EQ(s.editor.toPlainText(), "One two 1 ONE");
    EXPECT_EQ(s.told, QStringList{"Cannot find \"one\""});
}

TEST(RichEdit, PageAndParagraphDialogs) {
    ScriptedEditor s("Text");
    int pageChanges = 0;
    QObject::connect(&s.editor, &TRichEdit::pageChanged, [&] { ++pageChanges; });
    s.script = [](QDialog& dialog) {
        auto& page = static_cast<controls::TPageDialog&>(dialog);
        page.Paper->setFocus();
        QTest::keyClick(page.Paper, Qt::Key_Down);
        QTest::keyClick(page.Paper, Qt::Key_Down); // Letter, Legal, A4
        typeInto(page.LeftMargin, "0.75");
        QTest::mouseClick(dialog.findChild<QPushButton*>("OkButton"), Qt::LeftButton);
    };
    ASSERT_TRUE(s.editor.ShowPageDialog());
    EXPECT_EQ(s.editor.Page(), (controls::PageSetup{11906, 16838, 1080, 1440, 1440, 1440}));
    EXPECT_EQ(pageChanges, 1);

    s.script = [](QDialog& dialog) {
        auto& paragraph = static_cast<controls::TParagraphDialog&>(dialog);
        typeInto(paragraph.LeftIndent, "0.5");
        typeInto(paragraph.FirstIndent, "-0.25");
        paragraph.Alignment->setFocus();
        QTest::keyClick(paragraph.Alignment, Qt::Key_Down);
        QTest::keyClick(paragraph.Alignment, Qt::Key_Down); // Left, Right, Centred
        typeInto(paragraph.TabStops, "2.5, 1 x");
        QTest::mouseClick(dialog.findChild<QPushButton*>("OkButton"), Qt::LeftButton);
    };
    ASSERT_TRUE(s.editor.ShowParagraphDialog());
    const QTextBlockFormat format = s.editor.document()->begin().blockFormat();
    EXPECT_DOUBLE_EQ(format.leftMargin(), 48);
    EXPECT_DOUBLE_EQ(format.textIndent(), -24);
    EXPECT_EQ(format.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    ASSERT_EQ(format.tabPositions().size(), 2);
    // 1 and 2.5 inches from the margin, kept from where the first line starts (0.25 inch).
    EXPECT_DOUBLE_EQ(format.tabPositions()[0].position, 72);
    EXPECT_DOUBLE_EQ(format.tabPositions()[1].position, 216);

    s.script = [](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
    };
    EXPECT_FALSE(s.editor.ShowPageDialog());
    EXPECT_EQ(s.editor.Page().width, 11906);
}

TEST(RichEdit, FilesPageBreaksAndTheToolBar) {
    QTemporaryDir folder;
    ScriptedEditor s;
    controls::TRichEditToolBar bar(s.editor);
    s.editor.setFocus();
    QTest::keyClicks(&s.editor, "Hello ");
    QTest::mouseClick(bar.findChild<QToolButton*>("BoldButton"), Qt::LeftButton);
    QTest::keyClicks(&s.editor, "world");
    s.editor.InsertPageBreak();
    QTest::keyClicks(&s.editor, "Second");
    EXPECT_EQ(s.editor.PageCount(), 2);

    const QString path = folder.filePath("letter.rtf");
    s.editor.hooks.fileName = [&](bool, const QString&) { return std::optional<QString>(path); };
    ASSERT_TRUE(s.editor.SaveAsDialog());
    TRichEdit loaded;
    loaded.hooks = s.editor.hooks;
    ASSERT_TRUE(loaded.LoadDialog());
    EXPECT_EQ(loaded.toPlainText(), QString("Hello world\nSecond"));
    EXPECT_EQ(loaded.PageCount(), 2);
    QTextCursor cursor(loaded.document());
    cursor.setPosition(7);
    EXPECT_TRUE(cursor.charFormat().font().bold());
    cursor.setPosition(3);
    EXPECT_FALSE(cursor.charFormat().font().bold());

    s.editor.hooks.fileName = [&](bool, const QString&) {
        return std::optional<QString>(folder.filePath("missing.rtf"));
    };
    EXPECT_FALSE(s.editor.LoadDialog());
    EXPECT_EQ(s.told.size(), 1);
    EXPECT_EQ(s.editor.PageCount(), 2) << "the letter stays as it was";
}

TEST(RichEdit, WalksWordsForTheSpellChecker) {
    TRichEdit editor;
    editor.SetRtfText("{\\rtf1 Don't stop, {\\b it's} 2 go!\\par 'quoted' end}");
    editor.StartWordWalk();
    QStringList words;
    for (QString word = editor.NextWord(); !word.isEmpty(); word = editor.NextWord())
        words << word;
    EXPECT_EQ(words, (QStringList{"Don't", "stop", "it's", "2", "go", "quoted", "end"}));

    editor.StartWordWalk();
    editor.NextWord();
    editor.NextWord();
    editor.NextWord();
    editor.SelectLastWord();
    EXPECT_EQ(editor.textCursor().selectedText(), "it's");
    editor.ReplaceSelection("it is");
    EXPECT_EQ(editor.textCursor().selectedText(), "it is");
    EXPECT_EQ(editor.NextWord(), "2");
    QTextCursor bold(editor.document());
    bold.setPosition(13);
    EXPECT_TRUE(bold.charFormat().font().bold()) << "the replacement keeps the attributes";
    editor.SelectLastWord();
    editor.ReplaceSelection("");
    EXPECT_EQ(editor.document()->begin().text(), "Don't stop, it is  go!");
}

} // namespace
