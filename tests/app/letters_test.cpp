#include "app/address_main.h"
#include "controls/rich_edit.h"
#include "letters/letter_design.h"
#include "letters/letter_print.h"
#include "letters/letters_dialog.h"
#include "letters/preview_zoom.h"
#include "letters/rtf_preview_form.h"
#include "platform/printer_device.h"
#include "platform/printers.h"
#include "platform/settings_file.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/user_actions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

using letters::TcVLetters;
using letters::TLetterDesign;
using letters::TLetterPrint;
using letters::TRTFPreviewForm;

namespace {

const QString SampleLetter = "Thank you for staying in touch";

int pdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

template <typename T> T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(name);
    if (!found)
        qWarning("no %s", name);
    return found;
}

// Clicks a button; radio buttons and check boxes on their box, as only it and the text answer.
void click(QWidget& parent, const char* name) {
    auto* button = child<QAbstractButton>(parent, name);
    if (!button)
        return;
    if (qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button))
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    else
        QTest::mouseClick(button, Qt::LeftButton);
}

// Shows a dialog the seam handed over, as the real seam would, and waits for its work.
template <typename T> T& shown(QDialog& dialog) {
    dialog.show();
    QCoreApplication::processEvents();
    return static_cast<T&>(dialog);
}

} // namespace

// The letters from the main window: the dialog, the designer, printing and the preview, driven
// as a user drives them, with the dialogs answered through the seam.
class LettersTest : public QObject, MainWindowFixture {
    Q_OBJECT
private slots:
    void init() {
        setUp();
        pdf = home->filePath("letters.pdf");
        platform::SharedPrinter().selectPrinterByName(platform::PdfPrinterName);
        platform::SharedPrinter().pdfFileName = pdf;
        start();
        addRecord({{"PREFIX", "Dr"}, {"FNAME", "Ann"}, {"LNAME", "Baker"}, {"CITY", "Vienna"}});
        addRecord({{"FNAME", "Bob"}, {"LNAME", "Cole"}, {"CITY", "Boston"}});
        addRecord({{"FNAME", "Cy"}, {"LNAME", "Dunn"}, {"CITY", "Victoria"}});
        form->TableCVW.first();
    }
    void cleanup() {
        platform::SharedPrinter().pdfFileName.clear();
        tearDown();
    }

    void noPrinterKeepsTheDialogClosed() {
        platform::FakePrinters none;
        user::click(*form, "LettersButton");
        QCOMPARE(dialogs->messageTexts(),
                 QStringList{"There are no installed printers.\r\nUnable to perform printer "
                             "related operations"});
        QVERIFY(dialogs->dialogTitles().isEmpty());
    }

    void aNewHomeListsTheShippedLetterAndTheFilterChoiceFollowsTheFilter() {
        QStringList listed;
        bool matchingEnabled = true;
        bool currentChosen = false;
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& letters = shown<TcVLetters>(dialog);
            for (int i = 0; i < letters.LetterList->count(); ++i)
                listed << letters.LetterList->item(i)->text();
            matchingEnabled = letters.MatchingFilter->isEnabled();
            currentChosen = letters.CurrentRecord->isChecked();
            click(letters, "OkButton");
            return dialog.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "LettersMenuClick"));
        QCOMPARE(dialogs->dialogTitles(), QStringList{"Print Letters"});
        QCOMPARE(listed, QStringList{SampleLetter});
        QVERIFY(!matchingEnabled);
        QVERIFY(currentChosen);

        form->Criteria[selection::Criterion::City] = "V";
        form->ApplyQuery();
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            matchingEnabled = static_cast<TcVLetters&>(dialog).MatchingFilter->isEnabled();
            return int(platform::ResultOk);
        });
        user::click(*form, "LettersButton");
        QVERIFY(matchingEnabled);
    }

    void aNewLetterIsWrittenInTheDesignerAndStored() {
        QString description, caption, editorText;
        QStringList listed;
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& letters = shown<TcVLetters>(dialog);
            click(letters, "NewButton");
            for (int i = 0; i < letters.LetterList->count(); ++i)
                listed << letters.LetterList->item(i)->text();
            click(letters, "OkButton");
            return dialog.result();
        });
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& designer = shown<TLetterDesign>(dialog);
            description = designer.DescriptionEdit->text();
            caption = designer.windowTitle();
            user::typeInto(designer.DescriptionEdit, "Welcome");
            QTest::mouseClick(designer.Editor->viewport(), Qt::LeftButton);
            QTest::keyClicks(designer.Editor, "Dear ");
            // Down in the field list chooses "Name and Address", then "First".
            designer.InsertFieldList->setFocus();
            QTest::keyClick(designer.InsertFieldList, Qt::Key_Down);
            QTest::keyClick(designer.InsertFieldList, Qt::Key_Down);
            QTest::keyClicks(designer.Editor, ",");
            editorText = designer.Editor->toPlainText();
            click(designer, "OkButton");
            return dialog.result();
        });
        user::click(*form, "LettersButton");
        QCOMPARE(description, QString("{untitled}"));
        QCOMPARE(caption, QString("Letter Designer"));
        QCOMPARE(editorText, QString("Dear [Name and Address][First],"));
        QCOMPARE(listed, (QStringList{SampleLetter, "Welcome"}));
    }

    void printsEveryRecordInCopiesAndRestoresTheRecordAndQuery() {
        form->TableCVW.next();
        const unsigned record = form->TableCVW.recordNumber();
        const QString query = form->Engine1.queryText();
        QString status;
        int pages = 0;
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& letters = shown<TcVLetters>(dialog);
            click(letters, "AllRecords");
            user::typeInto(letters.CopiesEdit, "2");
            click(letters, "PrintButton");
            click(letters, "OkButton");
            return dialog.result();
        });
        dialogs->answerDialog([](QDialog&) { return int(QDialog::Accepted); }); // print dialog
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& print = shown<TLetterPrint>(dialog);
            (void)QTest::qWaitFor([&] { return print.CancelButton->text() == "OK"; }, 20000);
            status = print.StatusLabel->text();
            pages = print.PageCount();
            click(print, "CancelButton");
            return dialog.result();
        });
        user::click(*form, "LettersButton");
        QCOMPARE(status, QString("Letter Print Completed!"));
        QCOMPARE(pages, 6);
        QCOMPARE(pdfPages(pdf), 6);
        QCOMPARE(form->TableCVW.recordNumber(), record);
        QCOMPARE(form->Engine1.queryText(), query);
        QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Cole"));
    }

    void onlyTheCurrentRecordEvenWhenStartingFromIt() {
        form->TableCVW.last();
        int pages = 0;
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& letters = shown<TcVLetters>(dialog);
            click(letters, "StartFromCurrent");
            click(letters, "PrintButton");
            return int(platform::ResultOk);
        });
        dialogs->answerDialog([](QDialog&) { return int(QDialog::Accepted); });
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& print = shown<TLetterPrint>(dialog);
            (void)QTest::qWaitFor([&] { return print.CancelButton->text() == "OK"; }, 20000);
            pages = print.PageCount();
            return int(platform::ResultOk);
        });
        user::click(*form, "LettersButton");
        QCOMPARE(pages, 1);
        QVERIFY(dialogs->messages().isEmpty());
    }

    void cancelAsksAndEndsTheRun() {
        QString status;
        int pages = 0;
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& letters = shown<TcVLetters>(dialog);
            click(letters, "AllRecords");
            click(letters, "PrintButton");
            return int(platform::ResultOk);
        });
        dialogs->answerDialog([](QDialog&) { return int(QDialog::Accepted); });
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& print = static_cast<TLetterPrint&>(dialog);
            print.show();
            click(print, "CancelButton"); // pressed before the first letter is done
            (void)QTest::qWaitFor([&] { return print.CancelButton->text() == "OK"; }, 20000);
            status = print.StatusLabel->text();
            pages = print.PageCount();
            return int(platform::ResultOk);
        });
        dialogs->answerMessage(platform::MessageAnswer::Yes);
        user::click(*form, "LettersButton");
        QCOMPARE(status, QString("Letter Print Canceled!"));
        QCOMPARE(pages, 1);
        QCOMPARE(dialogs->messageTexts(), QStringList{"Cancel print job?"});
        QVERIFY(dialogs->messages().first().toolkitDialog);
        QVERIFY2(!QFile::exists(pdf), "an aborted PDF is not left behind");
    }

    void cloneAndDeleteAskFirst() {
        QStringList afterClone, afterDelete;
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& letters = shown<TcVLetters>(dialog);
            click(letters, "CloneButton");
            for (int i = 0; i < letters.LetterList->count(); ++i)
                afterClone << letters.LetterList->item(i)->text();
            letters.LetterList->setCurrentRow(0);
            click(letters, "DeleteButton");
            for (int i = 0; i < letters.LetterList->count(); ++i)
                afterDelete << letters.LetterList->item(i)->text();
            return int(platform::ResultOk);
        });
        dialogs->answerMessage(platform::MessageAnswer::Yes);
        dialogs->answerMessage(platform::MessageAnswer::Yes);
        user::click(*form, "LettersButton");
        QCOMPARE(dialogs->messages().size(), 2);
        QCOMPARE(dialogs->messages()[0].caption, QString("CLONE"));
        QCOMPARE(dialogs->messages()[0].text, "Clone \"" + SampleLetter + "\"?");
        QCOMPARE(dialogs->messages()[1].caption, QString("DELETE"));
        QCOMPARE(dialogs->messages()[1].text, "Delete \"" + SampleLetter + "\"?");
        QCOMPARE(afterClone, (QStringList{SampleLetter, "Clone of " + SampleLetter}));
        QCOMPARE(afterDelete, QStringList{"Clone of " + SampleLetter});
    }

    void theDesignerBreaksPagesWrapsAndKeepsTheDefaultFont() {
        QStringList captions;
        int pagesAfterBreak = 0;
        QString previewCaption;
        int zoomBefore = 0, zoomAfter = 0;
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& letters = shown<TcVLetters>(dialog);
            click(letters, "ModifyButton");
            return int(platform::ResultOk);
        });
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& designer = shown<TLetterDesign>(dialog);
            QAction* wrap = designer.menuAction("mnuWordWrap");
            captions << wrap->text();
            wrap->trigger();
            captions << wrap->text();
            designer.Editor->moveCursor(QTextCursor::End);
            designer.menuAction("mnuPageBreak")->trigger();
            pagesAfterBreak = designer.Editor->PageCount();
            designer.menuAction("mnuDefaultFont")->trigger();
            captions << designer.menuAction("mnuDefaultFont")->text();
            click(designer, "PreviewButton");
            click(designer, "CancelButton");
            return dialog.result();
        });
        dialogs->answerMessage(platform::MessageAnswer::Yes); // "Insert a page break?"
        QFont chosen("Times New Roman", 14);
        chosen.setBold(true);
        dialogs->answerFont(chosen);
        dialogs->answerDialog([&](QDialog& dialog) -> int {
            auto& preview = shown<TRTFPreviewForm>(dialog);
            (void)QTest::qWaitFor([&] { return preview.sbNextPage->isEnabled(); }, 20000);
            click(preview, "sbNextPage");
            previewCaption = preview.windowTitle();
            zoomBefore = preview.Zoom();
            click(preview, "sbZoomIn");
            zoomAfter = preview.Zoom();
            click(preview, "NextButton"); // another record starts at its first page
            previewCaption += " / " + preview.windowTitle();
            return int(platform::ResultOk);
        });
        user::click(*form, "LettersButton");
        QCOMPARE(captions, (QStringList{"&Word Wrap is OFF", "&Word Wrap is ON",
                                        "&Default Font: Times New Roman, 14 pt , bold"}));
        QCOMPARE(dialogs->messages().first().caption, QString("PAGE BREAK"));
        QCOMPARE(dialogs->messages().first().text, QString("Insert a page break?"));
        QCOMPARE(pagesAfterBreak, 2);
        QCOMPARE(previewCaption, QString("Preview Letters Page 2 / Preview Letters Page 1"));
        QCOMPARE(zoomAfter, letters::ZoomStepIn(zoomBefore));
        const platform::SettingsFile settings = platform::SettingsFile::program();
        QCOMPARE(settings.readString("Letter", "DefaultFontName"), QString("Times New Roman"));
        QCOMPARE(settings.readInteger("Letter", "DefaultFontSize"), 14);
        QVERIFY(settings.readBool("Letter", "DefaultFontBold"));
    }

private:
    QString pdf;
};

QTEST_MAIN(LettersTest)
#include "letters_test.moc"
