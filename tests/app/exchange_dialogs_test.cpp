// The import and export dialogs driven from the main window's File menu as a user drives them.
#include "exchange/ascii_import_dialog.h"
#include "exchange/copy_out_dialog.h"
#include "exchange/match_dialog.h"
#include "exchange/table_import_dialogs.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/user_actions.h"
#include "xbase/table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

// Checks inside a dialog's handler, which answers the dialog's result and so cannot return
// early as QCOMPARE does; the test fails at its end when one did not hold.
QStringList failedChecks;
#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition))                                                                          \
            failedChecks << QString("line %1: %2").arg(__LINE__).arg(#condition);                  \
    } while (false)
#define CHECK_EQ(actual, expected) CHECK((actual) == (expected))

namespace {

// Picks an item of the popup menu that the next click opens, as the user would.
void pickFromPopup(const QString& text) {
    QTimer::singleShot(0, [text] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions())
            if (action->text() == text) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                return;
            }
        menu->close();
        QFAIL(qPrintable("no menu item " + text));
    });
}

// Selects a row of the match grid by clicking it and chooses its column from the popup.
void matchRow(TFieldMatchBase& match, const QString& label, const QString& column) {
    QTableWidget* grid = match.ImportGrid;
    for (int r = 0; r < grid->rowCount(); ++r) {
        if (grid->item(r, 0)->text() != label)
            continue;
        const QRect cell = grid->visualRect(grid->model()->index(r, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        pickFromPopup(column);
        QTest::mouseClick(match.SelectFieldButton, Qt::LeftButton);
        return;
    }
    QFAIL(qPrintable("no row " + label));
}

QString matchedColumn(TFieldMatchBase& match, const QString& label) {
    QTableWidget* grid = match.ImportGrid;
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0)->text() == label)
            return grid->item(r, 1) ? grid->item(r, 1)->text() : QString();
    return "(no row)";
}

} // namespace

class ExchangeDialogsTest : public QObject, MainWindowFixture {
    Q_OBJECT
private slots:
    void init() {
        setUp();
        start();
        addRecord("Existing", "Eve");
    }
    void cleanup() {
        tearDown();
        const QStringList failed = std::exchange(failedChecks, {});
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join("; ")));
    }

    void asciiImportSamplesMatchesAndImports() {
        // Windows-1252 text as a spreadsheet saves it; the user sorts by city first.
        const QString csv = write("people.csv", "K\xF6ln,M\xFCller,J\xFCrgen\r\n"
                                                "Boston,Smith,John\r\n"
                                                "\"Paris, TX\",Jones,Fred\r\n");
        form->SetMenuOrder(form->findChild<QAction*>("SortCITY"));
        QString encodingShown, importEnabledBefore;
        QStringList firstSample;
        // A file of one line is refused: the sample needs a second one.
        dialogs->answerFile(write("one.csv", "Smith,John\r\n"));
        dialogs->answerFile(csv);
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& import = static_cast<TAsciiImport&>(dialog);
            dialog.show();
            QTest::mouseClick(import.SelectButton, Qt::LeftButton);
            CHECK(dialogs->messageTexts().endsWith("Unable to import from this file"));
            CHECK(!import.MatchButton->isEnabled());
            QTest::mouseClick(import.SelectButton, Qt::LeftButton);
            encodingShown = import.EncodingCombo->currentText();
            importEnabledBefore = import.ImportButton->isEnabled() ? "enabled" : "disabled";
            QTest::mouseClick(import.MatchButton, Qt::LeftButton);
            QTest::mouseClick(import.ImportButton, Qt::LeftButton);
            return dialog.result();
        });
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& match = static_cast<TFieldMatchBase&>(dialog);
            dialog.show();
            CHECK_EQ(dialog.windowTitle(), QString("ASCII File Import Match Fields"));
            auto* sample = match.findChild<QTableWidget*>("SG");
            CHECK_EQ(sample->rowCount(), 2); // the lines sampled but the last one read
            for (int c = 0; c < sample->columnCount(); ++c)
                firstSample << sample->horizontalHeaderItem(c)->text() + "=" +
                                   sample->item(0, c)->text();
            CHECK_EQ(match.ImportGrid->horizontalHeaderItem(1)->text(),
                     QString("Import from Field (in people.csv)"));
            matchRow(match, "Last Name", "Field 2");
            // A column another row has moves to the row chosen now.
            matchRow(match, "First Name", "Field 2");
            CHECK_EQ(matchedColumn(match, "Last Name"), QString());
            matchRow(match, "Last Name", "Field 2");
            matchRow(match, "First Name", "Field 3");
            matchRow(match, "City", "Field 1");
            CHECK_EQ(matchedColumn(match, "Last Name"), QString("Field 2"));
            QTest::mouseClick(match.OkButton, Qt::LeftButton);
            return dialog.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "mnuImportASCIIClick"));
        QCOMPARE(encodingShown, QString("Windows-1252"));
        QCOMPARE(importEnabledBefore, QString("disabled"));
        QCOMPARE(firstSample, (QStringList{"Field 1=Köln", "Field 2=Müller", "Field 3=Jürgen"}));
        QCOMPARE(dialogs->messageTexts().last(), QString("Import complete. Imported 3 records."));
        // The window has its file back, in the order the user chose.
        QCOMPARE(form->FilterStatus->text(), QString("4 records (no filter)"));
        QCOMPARE(form->CurrentOrder, QString("CITY"));
        QVERIFY(form->findChild<QAction*>("SortCITY")->isChecked());
        QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Existing")); // no city sorts first
        user::click(*form, "NextButton");
        QCOMPARE(findEdit("CITYEdit")->text(), QString("Boston"));
        user::click(*form, "NextButton");
        QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Müller"));
        QVERIFY(form->IndexValid);
    }

    void cancellingAnImportKeepsWhatCameInAndRebuildsTheIndex() {
        QByteArray lines;
        for (int i = 0; i < 50; ++i)
            lines += "Name " + QByteArray::number(i) + "\r\n";
        const QString csv = write("many.txt", lines);
        dialogs->answerFile(csv);
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& import = static_cast<TAsciiImport&>(dialog);
            dialog.show();
            QTest::mouseClick(import.SelectButton, Qt::LeftButton);
            QTest::mouseClick(import.MatchButton, Qt::LeftButton);
            connect(&import, &TImportBase::recordImported, &import, [&import](unsigned count) {
                if (count == 2)
                    QTest::mouseClick(import.CancelButton, Qt::LeftButton);
            });
            QTest::mouseClick(import.ImportButton, Qt::LeftButton);
            return dialog.result();
        });
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& match = static_cast<TFieldMatchBase&>(dialog);
            matchRow(match, "Last Name", "Field 1");
            QTest::mouseClick(match.OkButton, Qt::LeftButton);
            return dialog.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "mnuImportASCIIClick"));
        QCOMPARE(dialogs->messageTexts().last(),
                 QString("Import cancelled after importing 2 records."));
        QCOMPARE(form->FilterStatus->text(), QString("3 records (no filter)"));
        QVERIFY(form->IndexValid);
    }

    void textTheFileCannotHoldIsRefusedAndTheDialogStaysOpen() {
        const QString csv = write("pl.csv", "Nowak\r\nPawe\xC5\x82\r\n");
        bool stillOpen = false;
        dialogs->answerFile(csv);
        dialogs->answerFile(csv);
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& import = static_cast<TAsciiImport&>(dialog);
            dialog.show();
            QTest::mouseClick(import.SelectButton, Qt::LeftButton);
            CHECK_EQ(import.EncodingCombo->currentText(), QString("UTF-8"));
            QTest::mouseClick(import.MatchButton, Qt::LeftButton);
            QTest::mouseClick(import.ImportButton, Qt::LeftButton);
            stillOpen = dialog.isVisible();
            // Another file forgets the matching.
            CHECK(import.ImportButton->isEnabled());
            QTest::mouseClick(import.SelectButton, Qt::LeftButton);
            CHECK(!import.ImportButton->isEnabled());
            CHECK(import.MatchButton->isEnabled());
            QTest::mouseClick(import.CancelButton, Qt::LeftButton);
            return dialog.result();
        });
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& match = static_cast<TFieldMatchBase&>(dialog);
            matchRow(match, "Last Name", "Field 1");
            QTest::mouseClick(match.OkButton, Qt::LeftButton);
            return dialog.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "mnuImportASCIIClick"));
        QVERIFY(stillOpen);
        QCOMPARE(dialogs->messageTexts().last(),
                 QString("pl.csv holds characters that the address file cannot hold, so nothing "
                         "was imported:\r\nline 2, Last Name: code page 1252 cannot hold \"ł\" "
                         "(U+0142)"));
        QCOMPARE(form->FilterStatus->text(), QString("1 records (no filter)"));
    }

    void dbfImportMatchesByNameFirst() {
        const std::string source = (home->path() + "/OTHER.DBF").toStdString();
        {
            xbase::Table t = xbase::Table::create(
                source, {{"city", 'C', 20}, {"LNAME", 'C', 20}, {"REMARKS", 'M', 10}});
            t.appendBlank();
            t.setText("city", "Oslo");
            t.setText("LNAME", "Berg");
            t.setMemo("REMARKS", "met in 1997");
            t.post();
        }
        QString cityShown, memoShown;
        dialogs->answerFile(QString::fromStdString(source));
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& import = static_cast<TDBFImport&>(dialog);
            dialog.show();
            CHECK_EQ(dialog.windowTitle(), QString("DBF File Import"));
            QTest::mouseClick(import.SelectButton, Qt::LeftButton);
            QTest::mouseClick(import.MatchButton, Qt::LeftButton);
            QTest::mouseClick(import.ImportButton, Qt::LeftButton);
            return dialog.result();
        });
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& match = static_cast<TFieldMatchBase&>(dialog);
            CHECK_EQ(dialog.windowTitle(), QString("DBF File Import Match Fields"));
            cityShown = matchedColumn(match, "City");
            memoShown = matchedColumn(match, "Memo");
            // The memo row offers only memo fields.
            matchRow(match, "Memo", "(none)");
            matchRow(match, "Memo", "REMARKS");
            QTest::mouseClick(match.OkButton, Qt::LeftButton);
            return dialog.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "mnuImportDBFClick"));
        QCOMPARE(cityShown, QString("CITY")); // the table stores its field names in capitals
        QCOMPARE(memoShown, QString("REMARKS"));
        QCOMPARE(dialogs->messageTexts().last(), QString("Import complete. Imported 1 records."));
        QCOMPARE(form->FilterStatus->text(), QString("2 records (no filter)"));
        QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Berg"));
        QCOMPARE(findEdit("CITYEdit")->text(), QString("Oslo"));
    }

    void olderVersionImportRefusesOtherTablesAndCopiesItsOwn() {
        std::vector<xbase::Field> layout;
        for (const char* name :
             {"LNAME", "FNAME", "MIDDLE", "TITLE", "ORG", "STREET", "CITY", "STATE", "ZIP",
              "COUNTRY", "PHONE", "EMAIL", "FAX", "NOTES", "PREFIX", "CARRIER", "DATE"})
            layout.push_back({name, 'C', 20});
        layout.push_back({"MEMO", 'M', 10});
        const QString old = home->path() + "/OLD.DBF";
        {
            xbase::Table t = xbase::Table::create(old.toStdString(), layout);
            t.appendBlank();
            t.setText("LNAME", "Avery");
            t.setText("DATE", "19970428");
            t.post();
        }
        const QString other = home->path() + "/OTHER.DBF";
        xbase::Table::create(other.toStdString(), {{"LNAME", 'C', 20}}).close();
        dialogs->answerFile(other);
        dialogs->answerFile(old);
        QString refusedLabel;
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& import = static_cast<TImportCorvane1x&>(dialog);
            dialog.show();
            CHECK_EQ(dialog.windowTitle(), QString("Import Corvane 1.x DBF"));
            QTest::mouseClick(import.SelectButton, Qt::LeftButton);
            refusedLabel = import.FileLabel->text();
            CHECK(!import.ImportButton->isEnabled());
            QTest::mouseClick(import.SelectButton, Qt::LeftButton);
            QTest::mouseClick(import.ImportButton, Qt::LeftButton);
            return dialog.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "ImportfromCorvaneClick"));
        QVERIFY(
            dialogs->messageTexts().contains(other + " does not appear to be a Corvane 1.x DBF") ||
            dialogs->messageTexts().contains("There are no records in " + other));
        QCOMPARE(refusedLabel, QString());
        QCOMPARE(dialogs->messageTexts().last(), QString("Import complete. Imported 1 records."));
        QCOMPARE(form->FilterStatus->text(), QString("2 records (no filter)"));
        QVERIFY(form->IndexValid);
    }

    void vCardImportTakesTheCardsItems() {
        const QString cards = write("c.vcf", "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ito;Ken;;;\r\n"
                                             "FN:Ken Ito\r\nORG:Acme\r\nEND:VCARD\r\n");
        QString orgShown;
        dialogs->answerFile(cards);
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& import = static_cast<TVCardImport&>(dialog);
            dialog.show();
            QTest::mouseClick(import.SelectButton, Qt::LeftButton);
            QTest::mouseClick(import.MatchButton, Qt::LeftButton);
            QTest::mouseClick(import.ImportButton, Qt::LeftButton);
            return dialog.result();
        });
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& match = static_cast<TFieldMatchBase&>(dialog);
            orgShown = matchedColumn(match, "Organization");
            QTest::mouseClick(match.OkButton, Qt::LeftButton);
            return dialog.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "mnuImportVCardClick"));
        QCOMPARE(orgShown, QString("Organization"));
        QCOMPARE(dialogs->messageTexts().last(), QString("Import complete. Imported 1 records."));
        QCOMPARE(form->FilterStatus->text(), QString("2 records (no filter)"));
    }

    void exportAsksBeforeOverwritingAndRefusesItsOwnFile() {
        addRecord("Brown", "Amy");
        user::click(*form, "LastButton");
        const QString shownBefore = findEdit("LNAMEEdit")->text();
        const QString existing = write("old.txt", "keep me");
        const QString fresh = home->path() + "/new.txt";
        dialogs->answerFile(existing);
        dialogs->answerMessage(platform::MessageAnswer::No);
        dialogs->answerFile(form->CurrentFile);
        dialogs->answerFile(fresh);
        QStringList labels;
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& copy = static_cast<TCopyOut&>(dialog);
            dialog.show();
            CHECK_EQ(dialog.windowTitle(), QString("Copy Records Out"));
            CHECK(copy.DbfRadio->isChecked());
            QTest::mouseClick(copy.AsciiRadio, Qt::LeftButton);
            QTest::mouseClick(copy.Utf8Check, Qt::LeftButton);
            QTest::mouseClick(copy.SaveAsButton, Qt::LeftButton);
            labels << copy.FileLabel->text();
            QTest::mouseClick(copy.DbfRadio, Qt::LeftButton);
            QTest::mouseClick(copy.SaveAsButton, Qt::LeftButton);
            labels << copy.FileLabel->text();
            QTest::mouseClick(copy.AsciiRadio, Qt::LeftButton);
            QTest::mouseClick(copy.SaveAsButton, Qt::LeftButton);
            return dialog.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "CopyRecordsOutMnuClick"));
        QCOMPARE(labels, (QStringList{"(none)", "(none)"}));
        QCOMPARE(dialogs->messages()[0].caption, QString("Warning!"));
        QCOMPARE(dialogs->messages()[0].text,
                 existing + " already exists.\r\nDo you want to overwrite it?");
        QCOMPARE(dialogs->messageTexts()[1], QString("Cannot copy a file to itself!"));
        QCOMPARE(read("old.txt"), QByteArray("keep me"));
        QCOMPARE(read("new.txt"), QByteArray("\xEF\xBB\xBF\"\",\"Amy\",\"\",\"Brown\"") +
                                      QByteArray(",\"\"").repeated(16) +
                                      "\r\n\"\",\"Eve\",\"\",\"Existing\"" +
                                      QByteArray(",\"\"").repeated(16) + "\r\n");
        // The window is back on the record it showed.
        QCOMPARE(findEdit("LNAMEEdit")->text(), shownBefore);
    }

    void exportWithNothingToCopyDoesNotOpen() {
        form->Criteria[selection::Criterion::LastName] = "Existing";
        form->ApplyQuery();
        form->TableCVW.first();
        user::click(*form, "DeleteButton");
        QVERIFY(user::chooseMenuItem(*form, "CopyRecordsOutMnuClick"));
        QVERIFY(dialogs->dialogTitles().isEmpty());
        QCOMPARE(dialogs->messageTexts().last(),
                 QString("No active records for current filter. Nothing to copy"));
    }

private:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(home->path() + "/" + name);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(bytes);
        return file.fileName();
    }
    QByteArray read(const QString& name) {
        QFile file(home->path() + "/" + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

QTEST_MAIN(ExchangeDialogsTest)
#include "exchange_dialogs_test.moc"
