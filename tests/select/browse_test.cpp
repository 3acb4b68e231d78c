#include "select/address_browse_form.h"
#include "select/address_grid_model.h"
#include "select/field_list_file.h"

#include "browse_fixture.h"
#include "platform/help.h"
#include "platform/system_services.h"
#include "tests/platform/whats_this_probe.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using selection::AddressGridModel;
using selection::TAddressBrowseForm;

// The browse grid over a real address file, and the browse flow through the dialog seam.
class BrowseTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture.reset(new AddressFixture);
        QVERIFY(fixture->created);
        beeps = 0;
        platform::SetBeepHandler([this] { ++beeps; });
    }
    void cleanup() {
        fixture.reset();
        platform::SetBeepHandler({});
        platform::SetHelpHandler({});
    }

    void columnsAreTheVisibleFieldsAndRowsFollowOrderAndQuery() {
        AddressFixture& f = *fixture;
        f.add("Young", "Ann", "Boston", "19970428", f.tagId);
        f.add("Adams", "Bob", "Austin", "1997");
        f.add("Miller", "Cy", "Chicago", "ABCDEFGH", f.tagId + "X");
        f.add("Zed", "Gone");
        f.table.deleteRecord();
        f.engine.setQuery("!ISDEL");
        f.table.last();
        const unsigned shown = f.table.recordNumber();

        QSignalSpy followed(&f.source, &data::TDataSource::dataChanged);
        AddressGridModel model(f.table);
        QAbstractItemModelTester tester(&model);
        QStringList titles;
        for (int c = 0; c < model.columnCount(); ++c)
            titles << model.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles.join("|"), QString("Tagged|Last Name|First Name|Middle|Prefix|Title|"
                                           "Organization|Address 1|Address 2|City|State|"
                                           "Zip/Postal Code|Country|Phone 1|Phone 2|Fax|Email|"
                                           "Codes|Comment 1|Comment 2|Date"));
        QCOMPARE(model.columnDisplayWidth(model.columnOfField("LNAME")), 20);
        QCOMPARE(model.columnDisplayWidth(model.columnOfField("CITY")), 15);
        QCOMPARE(model.columnOfField("TAG"), -1);

        QCOMPARE(model.rowCount(), 3);
        const int last = model.columnOfField("LNAME");
        const int tagged = model.columnOfField("Tagged");
        const int date = model.columnOfField("DisplayDate");
        const QStringList expected{"Adams No ", "Miller No ", "Young Yes 04/28/1997"};
        for (int row = 0; row < 3; ++row)
            QCOMPARE(model.text(row, last) + " " + model.text(row, tagged) + " " +
                         model.text(row, date),
                     expected[row]);
        QCOMPARE(model.rowOfRecord(shown), 2);
        // Reading rows leaves the table on its record and its controls undisturbed.
        QCOMPARE(f.table.recordNumber(), shown);
        QCOMPARE(f.table.fieldText("LNAME"), QString("Young"));
        QCOMPARE(followed.count(), 0);
        f.table.next();
        QVERIFY(f.table.eof()); // still the last record of the order

        f.engine.setQuery("!ISDEL .AND. UPPER(CITY)=\"C\"");
        model.reload();
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.text(0, last), QString("Miller"));
    }

    void rowsAreReadOnceWhenScrollingAndFromTheNearerEnd() {
        AddressFixture& f = *fixture;
        QList<unsigned> recnos;
        for (int i = 299; i >= 0; --i) // appended in reverse of the order
            recnos.prepend(f.add(QString("N%1").arg(i, 3, 10, QChar('0'))));
        f.table.first();
        const unsigned shown = f.table.recordNumber();
        const int page = 20;

        AddressGridModel model(f.table);
        QCOMPARE(model.rowCount(), 300);
        const int last = model.columnOfField("LNAME");
        for (int top = 0; top < 300; top += page) {
            for (int row = top; row < top + page; ++row)
                QCOMPARE(model.text(row, last), QString("N%1").arg(row, 3, 10, QChar('0')));
        }
        QVERIFY2(model.counters().recordsRead <= 300 + AddressGridModel::BlockRows,
                 qPrintable(QString::number(model.counters().recordsRead)));
        QVERIFY(model.counters().engineMoves <= 300 + 3 * (300 / AddressGridModel::BlockRows + 2));
        QCOMPARE(f.table.recordNumber(), shown);

        // A fresh grid reads the last page from the bottom, a middle row from the nearer known
        // row, and finds where a record stands from the nearer end.
        AddressGridModel fresh(f.table);
        QCOMPARE(fresh.text(299, last), QString("N299"));
        QVERIFY(fresh.counters().recordsRead <= AddressGridModel::BlockRows);
        fresh.resetCounters();
        QCOMPARE(fresh.text(150, last), QString("N150"));
        QVERIFY(fresh.counters().recordsRead <= AddressGridModel::BlockRows);
        // from the first row of the bottom block down to row 150 and a block beyond
        QVERIFY(fresh.counters().engineMoves <=
                (300 - AddressGridModel::BlockRows - 150) + AddressGridModel::BlockRows + 2);
        AddressGridModel located(f.table);
        QCOMPARE(located.rowOfRecord(recnos[40]), 40);
        QCOMPARE(located.rowOfRecord(recnos[260]), 260);
        QVERIFY(located.counters().engineMoves < 300);
        QCOMPARE(located.recordOfRow(41), recnos[41]);
        QCOMPARE(located.counters().recordsRead, std::uint64_t(0)); // positions only
        QCOMPARE(f.table.recordNumber(), shown);
    }

    void rowsThatChangedUnderTheGridAreCountedAgain() {
        AddressFixture& f = *fixture;
        for (const char* last : {"A", "B", "C", "D"})
            f.add(last);
        AddressGridModel model(f.table);
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.text(0, model.columnOfField("LNAME")), QString("A"));
        f.table.first();
        f.table.deleteRecord(); // A leaves the query behind the grid's back
        model.refreshRow(0);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.text(0, model.columnOfField("LNAME")), QString("B"));
    }

    void movingCityBeforeLastNameIsSavedAndShownNextTime() {
        AddressFixture& f = *fixture;
        f.add("Adams", "Bob", "Austin");
        QVERIFY(!QFile::exists(selection::FieldListPath()));
        f.dialogs.answerDialog([](QDialog& dialog) {
            auto& form = dynamic_cast<TAddressBrowseForm&>(dialog);
            QHeaderView* titles = form.DBGrid->horizontalHeader();
            const int city = form.model().columnOfField("CITY");
            const int last = form.model().columnOfField("LNAME");
            titles->moveSection(titles->visualIndex(city), titles->visualIndex(last));
            form.OKButton->click();
            return form.result();
        });
        QVERIFY(selection::RunBrowse(f.table, f.engine, f.source, false, {}));
        QCOMPARE(f.dialogs.dialogTitles(), QStringList{"Address Browse"});
        QFile file(selection::FieldListPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = selection::ParseFieldList(file.readAll());
        QCOMPARE(lines.size(), 28);
        QCOMPARE(lines.indexOf("CITY") + 1, lines.indexOf("LNAME"));
        QCOMPARE(lines.indexOf("CITY"), 4); // in the place of LNAME, after the hidden fields

        f.reopen(); // the view in its design order again
        QStringList titlesShown;
        f.dialogs.answerDialog([&titlesShown](QDialog& dialog) {
            auto& form = dynamic_cast<TAddressBrowseForm&>(dialog);
            for (int c = 0; c < 3; ++c)
                titlesShown << form.model().headerData(c, Qt::Horizontal).toString();
            return platform::ResultOk;
        });
        QVERIFY(selection::RunBrowse(f.table, f.engine, f.source, false, {}));
        QCOMPARE(titlesShown.join("|"), QString("Tagged|City|Last Name"));
    }

    void browseWhileEditingOnlyBeepsButAppliesTheOrder() {
        AddressFixture& f = *fixture;
        f.add("Adams");
        QDir(f.home.path()).mkpath("sysdata");
        QFile file(selection::FieldListPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("CITY\r\n");
        file.close();
        f.table.edit();
        QVERIFY(!selection::RunBrowse(f.table, f.engine, f.source, true, {}));
        QCOMPARE(beeps, 1);
        QVERIFY(f.dialogs.dialogTitles().isEmpty());
        QCOMPARE(f.table.fields().first().name, QString("CITY"));
        QCOMPARE(f.table.state(), data::TableState::Edit);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("CITY\r\n")); // not written
    }

    void doubleClickOnATaggedRowUntagsIt() {
        AddressFixture& f = *fixture;
        f.add("Young");
        const unsigned adams = f.add("Adams", {}, {}, {}, f.tagId);
        f.table.first();
        int toggles = 0;
        QString taggedAfter;
        f.dialogs.answerDialog([&](QDialog& dialog) {
            auto& form = dynamic_cast<TAddressBrowseForm&>(dialog);
            form.show();
            const int tagged = form.model().columnOfField("Tagged");
            if (form.model().text(0, tagged) != "Yes")
                return 0;
            QTableView* grid = form.DBGrid;
            const QRect cell = grid->visualRect(form.model().index(0, 1));
            doubleClick(grid->viewport(), cell.center());
            taggedAfter = form.model().data(form.model().index(0, tagged)).toString();
            form.close();
            return form.result();
        });
        QVERIFY(selection::RunBrowse(f.table, f.engine, f.source, false, [&] {
            ++toggles;
            f.toggleTag();
        }));
        QCOMPARE(toggles, 1);
        QCOMPARE(taggedAfter, QString("No"));
        QCOMPARE(f.table.recordNumber(), adams);
        QCOMPARE(f.table.fieldText("TAG"), QString());
    }

    void untaggingARowThatLeavesTheQueryLoadsTheRowsAgain() {
        AddressFixture& f = *fixture;
        f.add("Adams", {}, {}, {}, f.tagId);
        const unsigned young = f.add("Young", {}, {}, {}, f.tagId);
        f.add("Miller");
        f.engine.setQuery("!ISDEL .AND. (UPPER(TAG)=\"" + f.tagId + "\")");
        f.table.first();
        QString after;
        f.dialogs.answerDialog([&](QDialog& dialog) {
            auto& form = dynamic_cast<TAddressBrowseForm&>(dialog);
            QHeaderView* titles = form.DBGrid->horizontalHeader();
            const int last = form.model().columnOfField("LNAME");
            titles->resizeSection(last, 77);
            form.TagButton->click();
            after = QString::number(form.model().rowCount()) + " " +
                    QString::number(form.currentRow()) + " " +
                    form.model().text(0, form.model().columnOfField("LNAME")) + " " +
                    QString::number(titles->sectionSize(last));
            return platform::ResultOk;
        });
        QVERIFY(selection::RunBrowse(f.table, f.engine, f.source, false, [&] { f.toggleTag(); }));
        QCOMPARE(after, QString("1 0 Young 77"));
        QCOMPARE(f.table.recordNumber(), young);
    }

    void selectedRowIsTheCurrentRecordAndButtonsBeepAtTheEnds() {
        AddressFixture& f = *fixture;
        for (const char* last : {"Young", "Adams", "Miller"})
            f.add(last);
        f.table.first();
        f.table.next(); // Miller
        int helpTopic = 0;
        platform::SetHelpHandler([&](platform::HelpRequest, int topic) { helpTopic = topic; });
        QStringList trail;
        f.dialogs.answerDialog([&](QDialog& dialog) {
            auto& form = dynamic_cast<TAddressBrowseForm&>(dialog);
            auto step = [&](QPushButton* button) {
                button->click();
                trail << QString::number(form.currentRow()) + f.table.fieldText("LNAME");
            };
            trail << QString::number(form.currentRow()) + f.table.fieldText("LNAME");
            step(form.PriorButton);
            step(form.PriorButton);
            step(form.LastButton);
            step(form.NextButton);
            step(form.FirstButton);
            step(form.NextButton);
            form.HelpButton->click();
            form.show();
            QTest::keyClick(form.DBGrid, Qt::Key_Escape);
            return form.isVisible() ? 0 : form.result();
        });
        QVERIFY(selection::RunBrowse(f.table, f.engine, f.source, false, {}));
        QCOMPARE(trail.join(" "), QString("1Miller 0Adams 0Adams 2Young 2Young 0Adams 1Miller"));
        QCOMPARE(beeps, 2);
        QCOMPARE(helpTopic, 1034);
        QCOMPARE(f.table.fieldText("LNAME"), QString("Miller"));

        // Enter closes as well.
        int result = 0;
        f.dialogs.answerDialog([&](QDialog& dialog) {
            auto& form = dynamic_cast<TAddressBrowseForm&>(dialog);
            form.show();
            QTest::keyClick(form.DBGrid, Qt::Key_Return);
            result = form.isVisible() ? 0 : form.result();
            return result;
        });
        QVERIFY(selection::RunBrowse(f.table, f.engine, f.source, false, {}));
        QCOMPARE(result, platform::ResultOk);
    }

    void everyControlExplainsItself() {
        namespace probe = testing_whats_this;
        AddressFixture& f = *fixture;
        f.add("Adams");
        QStringList unexplained{"no dialog"};
        QString grid;
        f.dialogs.answerDialog([&](QDialog& dialog) {
            auto& form = dynamic_cast<TAddressBrowseForm&>(dialog);
            form.show();
            unexplained = probe::Unexplained(probe::Controls(form) << form.DBGrid);
            grid = probe::RightClick(*form.DBGrid);
            return platform::ResultOk;
        });
        QVERIFY(selection::RunBrowse(f.table, f.engine, f.source, false, {}));
        QCOMPARE(unexplained, QStringList());
        QVERIFY(grid.startsWith("The records in the current order and filter."));
    }

private:
    // A click followed by the double-click event, as the mouse delivers them.
    static void doubleClick(QWidget* widget, const QPoint& at) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, {});
        QApplication::sendEvent(widget, &press);
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, {});
        QApplication::sendEvent(widget, &twice);
        QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, {});
        QApplication::sendEvent(widget, &release);
    }

    std::unique_ptr<AddressFixture> fixture;
    int beeps = 0;
};

QTEST_MAIN(BrowseTest)
#include "browse_test.moc"
