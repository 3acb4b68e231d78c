// The letter designer's spell check, driven as a user drives it: F7, then the dialog's buttons,
// with the dialogs answered through the seam.
#include "controls/rich_edit.h"
#include "data/table_object.h"
#include "letters/letter_design.h"
#include "letters/spell/word_file.h"
#include "letters/spell_check_dialog.h"
#include "platform/program_dir.h"
#include "platform/scripted_dialogs.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using letters::TSpellCheckDialog;

namespace {

// What the dialog shows at one stop, and the text selected in the letter.
struct Stop {
    QString word, replaceWith, selected;
    QStringList proposals;
    bool addEnabled = false;
};

} // namespace

class SpellCheckDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        home.reset(new QTemporaryDir);
        QVERIFY(home->isValid());
        platform::SetProgramDir(home->path());
        QVERIFY(spell::WriteWordFile((home->path() + "/corvan.dct").toStdString(),
                                     {"AND", "CUSTOMER", "CUSTOMS", "DEAR", "LETTER", "OUR",
                                      "RECEIVE", "RECEIVED", "THANK", "WE", "YOU", "YOUR"}));
        dialogs.reset(new platform::ScriptedDialogs);
        designer.reset(new letters::TLetterDesign(letterTable, addressTable, true));
        designer->show();
        designer->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(designer.get()));
    }
    void cleanup() {
        designer.reset();
        dialogs.reset();
    }

    // Three misspellings: one replaced by the first proposal, one skipped, one added to the
    // user's dictionary; a second check stops only at the skipped one.
    void walksTheLetterAndReplacesSkipsAndAdds() {
        type("Dear custmer, we recieve yuor letter's. Thank YOU x 12.");
        QVERIFY(!QFile::exists(home->filePath("corvanu.dct")));

        QList<Stop> stops;
        bool visibleAtEnd = true;
        check([&](TSpellCheckDialog& dialog) {
            stops << seen(dialog);
            QTest::mouseClick(dialog.Replace, Qt::LeftButton);
            stops << seen(dialog);
            QTest::mouseClick(dialog.GetNextWordButton, Qt::LeftButton);
            stops << seen(dialog);
            QTest::mouseClick(dialog.Addbutton, Qt::LeftButton);
            visibleAtEnd = dialog.isVisible();
        });
        QCOMPARE(stops.size(), 3);
        QCOMPARE(stops[0].word, QString("custmer"));
        QCOMPARE(stops[0].selected, QString("custmer"));
        QCOMPARE(stops[0].proposals.first(), QString("customer"));
        QCOMPARE(stops[0].replaceWith, QString("customer"));
        QVERIFY(stops[0].addEnabled); // the user dictionary was created
        QCOMPARE(stops[1].word, QString("recieve"));
        QCOMPARE(stops[1].proposals.first(), QString("receive"));
        QCOMPARE(stops[2].word, QString("yuor"));
        QCOMPARE(stops[2].selected, QString("yuor"));
        QVERIFY(!visibleAtEnd);
        QCOMPARE(dialogs->messageTexts(), QStringList{"Spell check complete"});
        QCOMPARE(text(), QString("Dear customer, we recieve yuor letter's. Thank YOU x 12."));
        QVERIFY(QFile::exists(home->filePath("corvanu.dct")));
        // Closing puts the cursor at the start with nothing selected.
        QCOMPARE(designer->Editor->textCursor().position(), 0);
        QVERIFY(!designer->Editor->textCursor().hasSelection());

        // The added word is known in any case; an emptied "Replace with" deletes the word.
        dialogs->clear();
        designer->Editor->setPlainText(designer->Editor->toPlainText() + " YUOR");
        stops.clear();
        check([&](TSpellCheckDialog& dialog) {
            stops << seen(dialog);
            dialog.ReplaceAs->clear();
            QTest::mouseClick(dialog.Replace, Qt::LeftButton);
        });
        QCOMPARE(stops.size(), 1);
        QCOMPARE(stops[0].word, QString("recieve"));
        QCOMPARE(text(), QString("Dear customer, we  yuor letter's. Thank YOU x 12. YUOR"));
        QCOMPARE(dialogs->messageTexts(), QStringList{"Spell check complete"});
    }

    // A click on a proposal only puts it under "Replace with"; Cancel keeps the changes made.
    void aClickedProposalReplacesAndCancelEndsTheCheck() {
        type("Dear custmer and custmer");
        QString afterClick;
        check([&](TSpellCheckDialog& dialog) {
            auto* customs = dialog.WordList->findItems("customs", Qt::MatchExactly).value(0);
            QVERIFY(customs);
            QTest::mouseClick(dialog.WordList->viewport(), Qt::LeftButton, {},
                              dialog.WordList->visualItemRect(customs).center());
            afterClick = dialog.ReplaceAs->text();
            QCOMPARE(text(), QString("Dear custmer and custmer"));
            QTest::mouseClick(dialog.Replace, Qt::LeftButton);
            QTest::mouseClick(dialog.Cancelbutton, Qt::LeftButton);
        });
        QCOMPARE(afterClick, QString("customs"));
        QCOMPARE(text(), QString("Dear customs and custmer"));
        QVERIFY(dialogs->messageTexts().isEmpty());
    }

    // A letter of known words, and an empty one, end at once.
    void aLetterWithoutMistakesEndsAtOnce() {
        for (const QString& letter : {QString("Dear customer, thank you."), QString()}) {
            dialogs->clear();
            designer->Editor->setPlainText(letter);
            int stopsSeen = 0;
            check([&](TSpellCheckDialog& dialog) { stopsSeen += !dialog.Word->text().isEmpty(); });
            QCOMPARE(stopsSeen, 0);
            QCOMPARE(dialogs->messageTexts(), QStringList{"Spell check complete"});
        }
    }

private:
    void type(const QString& letter) {
        designer->Editor->setFocus();
        QTest::keyClicks(designer->Editor, letter);
    }
    QString text() const { return designer->Editor->toPlainText(); }

    // Presses F7 in the designer and lets `drive` work the dialog once its walk has begun.
    void check(const std::function<void(TSpellCheckDialog&)>& drive) {
        bool handled = false;
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            handled = true;
            auto& spell = static_cast<TSpellCheckDialog&>(dialog);
            dialog.show();
            QCoreApplication::processEvents();
            if (dialog.isVisible())
                drive(spell);
            QCoreApplication::processEvents(); // the close posted at the end
            return dialog.result();
        });
        QVERIFY(designer->menuAction("mnuSpell")->isEnabled());
        // The designer is the active window again once a check before has closed.
        designer->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(designer.get()));
        QTest::keyClick(designer.get(), Qt::Key_F7);
        QVERIFY(handled);
    }
    Stop seen(TSpellCheckDialog& dialog) const {
        Stop stop{dialog.Word->text(),
                  dialog.ReplaceAs->text(),
                  designer->Editor->textCursor().selectedText(),
                  {},
                  dialog.Addbutton->isEnabled()};
        for (int i = 0; i < dialog.WordList->count(); ++i)
            stop.proposals << dialog.WordList->item(i)->text();
        return stop;
    }

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<platform::ScriptedDialogs> dialogs;
    data::TTable letterTable, addressTable;
    std::unique_ptr<letters::TLetterDesign> designer;
};

QTEST_MAIN(SpellCheckDialogTest)
#include "spell_check_dialog_test.moc"
