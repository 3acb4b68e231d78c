// The design surface driven as a user drives it: placing tools, the rubber band, the surface
// menu and keys, the clipboard file, and the calls the screens and the printing make.
#include "surface_fixture.h"

#include "layout/object_filer.h"

#include "data/address_file.h"
#include "pageout/page_filer.h"
#include "platform/scripted_dialogs.h"
#include "tests/platform/whats_this_probe.h"

#include <QFile>
#include <QtTest>

using layout::Edges;
using layout::TGGraphicControl;
using testing_layout::ReadStoredObjects;
using testing_layout::SurfaceFixture;
using testing_layout::TBoxObject;

namespace {

QStringList names(const QList<TGGraphicControl*>& objects) {
    QStringList list;
    for (const TGGraphicControl* object : objects)
        list << object->Name();
    return list;
}

} // namespace

class SurfaceTest : public QObject {
    Q_OBJECT
private slots:
    void aClickWithAToolPlacesA50By15Object() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        // A box stands in for the shape here.
        f.surface->MakeClassKnown(QStringLiteral("TGLabelShapes"), [] { return new TBoxObject; });
        QList<QRect> dropped;
        f.surface->DroppedObjectEvent = [&dropped](const QRect& r) { dropped << r; };
        f.surface->SetPanelState(layout::TLPanelState::psRectangle);
        QVERIFY(!f.surface->Pointing());
        f.click({60, 70});
        QCOMPARE(f.surface->Objects().size(), 1);
        TGGraphicControl* placed = f.surface->Objects().first();
        QCOMPARE(placed->BoundsRect(), QRect(60, 70, 50, 15));
        QCOMPARE(placed->Name(), QStringLiteral("Special1"));
        QCOMPARE(placed->property("Shape").toString(), QStringLiteral("stRectangle"));
        QVERIFY(placed->PopupMenu());
        QCOMPARE(dropped, QList<QRect>{QRect(60, 70, 0, 0)});
        // A band drawn up and to the left places the object in the band.
        f.drag({300, 200}, {200, 120});
        QCOMPARE(f.surface->Objects().last()->BoundsRect(), QRect(200, 120, 100, 80));
        QCOMPARE(f.surface->Objects().last()->Name(), QStringLiteral("Special2"));
        QCOMPARE(f.handle().SelectedCount(), 0);
        // A tool whose class the surface does not know places nothing.
        const layout::PlacingTool unknown{QStringLiteral("TGNothing"), {}, false, 0};
        QVERIFY(!layout::PlaceToolObject(*f.surface, unknown, layout::Edges::Of({20, 250, 5, 5})));
        QCOMPARE(f.surface->Objects().size(), 2);
    }

    void theRubberBandSelectsAndShiftToggles() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* a = f.add({20, 20, 40, 20});
        TBoxObject* b = f.add({100, 20, 40, 20});
        TBoxObject* c = f.add({200, 200, 40, 20});
        f.drag({10, 10}, {110, 30});
        QCOMPARE(f.handle().Selection(), (QList<TGGraphicControl*>{b, a})); // topmost first
        f.press({250, 250}, Qt::LeftButton, Qt::ShiftModifier);
        f.wait(50);
        f.move({90, 10});
        f.wait(200);
        f.release({90, 10}, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(f.handle().Selection(), (QList<TGGraphicControl*>{a, c}));
        f.click({300, 100}); // a click on the empty surface clears the selection
        QCOMPARE(f.handle().SelectedCount(), 0);
    }

    void theSurfaceMenuEnablesWhatTheSelectionAllows() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        f.click({300, 250}, Qt::RightButton);
        QCOMPARE(f.menuEntries(), QStringList({"Bring To Front",
                                               "Send To Back",
                                               "-",
                                               "Cut",
                                               "Copy",
                                               "Paste",
                                               "-",
                                               "Delete",
                                               "-",
                                               "Align Left",
                                               "Align Right",
                                               "Align Tops",
                                               "Align Bottoms",
                                               "-",
                                               "Center Vertically",
                                               "Center Horizontally",
                                               "-",
                                               "Lock All",
                                               "Unlock All",
                                               "-",
                                               "Mark All Selectable",
                                               "Mark All Unselectable",
                                               "Select All",
                                               "-",
                                               "Font"}));
        QStringList enabled;
        for (const QAction* item : f.openMenu()->actions())
            if (!item->isSeparator() && item->isEnabled())
                enabled << item->text();
        QCOMPARE(enabled,
                 QStringList({"Mark All Selectable", "Mark All Unselectable", "Select All"}));
        f.openMenu()->close();
        f.add({20, 20, 40, 20});
        f.click({300, 250}, Qt::RightButton);
        QVERIFY(!f.pick(QStringLiteral("Cut")));
        f.click({300, 250}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Lock All")));
        QVERIFY(f.surface->Objects().first()->Locked());
        QVERIFY(!f.surface->Objects().first()->LockedMenuItem()->isChecked());
    }

    void alignRightLinesUpTheRightEdges() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* a = f.add({20, 20, 40, 20});
        TBoxObject* b = f.add({30, 60, 120, 20});
        TBoxObject* c = f.add({10, 100, 70, 20});
        f.drag({5, 5}, {200, 150});
        QCOMPARE(f.handle().SelectedCount(), 3);
        f.click({300, 250}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Align Right")));
        for (const TBoxObject* box : {a, b, c})
            QCOMPARE(box->Left() + box->Width(), 150);
        QCOMPARE(b->Left(), 30);
        f.click({300, 250}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Align Tops")));
        QCOMPARE(c->Top(), 20);
    }

    void twoPastesWithinASecondPasteOnceAndEachPasteLandsAlike() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* box = f.add({40, 50, 60, 20}, QStringLiteral("copied"));
        f.click({60, 60});
        f.key(Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QFile::exists(f.surface->ClipboardFile()));
        f.click({300, 250}); // nothing selected
        f.key(Qt::Key_V, Qt::ControlModifier);
        f.wait(999);
        f.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.surface->Objects().size(), 2);
        f.wait(1);
        f.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.surface->Objects().size(), 3);
        TGGraphicControl* first = f.surface->Objects()[1];
        TGGraphicControl* second = f.surface->Objects()[2];
        QCOMPARE(first->BoundsRect(), QRect(55, 65, 60, 20));
        QCOMPARE(second->BoundsRect(), first->BoundsRect());
        QCOMPARE(first->property("Caption").toString(), QStringLiteral("copied"));
        QCOMPARE(names(f.surface->Objects()),
                 QStringList({"Special1", "Component0", "Component1"}));
        QVERIFY(second->MouseHooked());
        QCOMPARE(box->BoundsRect(), QRect(40, 50, 60, 20));
    }

    void cutAndDeleteTakeTheSelection() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        f.add({20, 20, 40, 20});
        f.add({100, 20, 40, 20});
        f.add({200, 20, 40, 20});
        f.drag({5, 5}, {150, 50});
        const int changes = f.changes;
        f.key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(names(f.surface->Objects()), QStringList{"Special3"});
        QCOMPARE(testing_layout::ReadStoredObjects(f.surface->ClipboardFile()).size(), 2);
        QVERIFY(f.changes >= changes + 2);
        QVERIFY(f.handle().isHidden());
        f.click({220, 30});
        f.key(Qt::Key_Delete, Qt::ShiftModifier);
        QVERIFY(f.surface->Objects().isEmpty());
        // An object's own "Copy" writes only it when it is not selected.
        f.add({20, 100, 40, 20});
        f.add({100, 100, 40, 20});
        f.click({30, 110});
        f.surface->Objects()[1]->Copy();
        QCOMPARE(testing_layout::ReadStoredObjects(f.surface->ClipboardFile()).size(), 1);
    }

    void markAllUnselectableEmptiesTheSelectionForGood() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        f.add({20, 20, 40, 20});
        f.add({100, 20, 40, 20});
        f.click({300, 250}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Select All")));
        QCOMPARE(f.handle().SelectedCount(), 2);
        f.click({300, 250}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Mark All Unselectable")));
        QCOMPARE(f.handle().SelectedCount(), 0);
        f.click({300, 250}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Select All")));
        QCOMPARE(f.handle().SelectedCount(), 0);
        f.click({300, 250}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Mark All Selectable")));
        f.click({300, 250}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Select All")));
        QCOMPARE(f.handle().SelectedCount(), 2);
    }

    void cloneLandsTwentyFiveLowerAndTakesTheSelection() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* box = f.add({40, 50, 60, 20}, QStringLiteral("twin"));
        f.click({60, 60}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Clone")));
        QCOMPARE(f.surface->Objects().size(), 2);
        TGGraphicControl* copy = f.surface->Objects().last();
        QCOMPARE(copy->BoundsRect(), QRect(40, 75, 60, 20));
        QCOMPARE(copy->Name(), QStringLiteral("Component0"));
        QCOMPARE(copy->property("Caption").toString(), QStringLiteral("twin"));
        QCOMPARE(f.handle().Selection(), QList<TGGraphicControl*>{copy});
        QCOMPARE(box->BoundsRect(), QRect(40, 50, 60, 20));
    }

    void savingAtZoom130StoresZoom100Coordinates() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* box = f.add({10, 20, 142, 33});
        f.surface->SetZoom(1.3f);
        QCOMPARE(f.surface->size(), QSize(520, 390));
        QCOMPARE(box->BoundsRect(), QRect(13, 26, 185, 43));
        const QString path = f.home.filePath(QStringLiteral("BIN00001.L"));
        f.surface->SaveToFile(path);
        const auto stored = ReadStoredObjects(path);
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0].property("Left").toInt(), 10);
        QCOMPARE(stored[0].property("Top").toInt(), 20);
        QCOMPARE(stored[0].property("Width").toInt(), 142);
        QCOMPARE(stored[0].property("Height").toInt(), 33);
        QCOMPARE(box->prepared, 1);
        QCOMPARE(f.surface->Zoom(), 1.3f);
        QCOMPARE(box->BoundsRect(), QRect(13, 26, 185, 43));
        const int changesBefore = f.changes;
        f.surface->SetZoom(1.3f); // the current zoom: nothing changes
        QCOMPARE(box->BoundsRect(), QRect(13, 26, 185, 43));
        QCOMPARE(f.changes, changesBefore);
        // Loaded again at zoom 1.5, the layout takes the surface's zoom.
        f.surface->ClearObjects();
        f.surface->SetZoom(1.5f);
        f.surface->LoadFromFile(path);
        QCOMPARE(f.surface->Objects().size(), 1);
        TGGraphicControl* loaded = f.surface->Objects().first();
        QCOMPARE(loaded->BoundsRect(), QRect(15, 30, 213, 50));
        QCOMPARE(loaded->Zoom(), 1.5f);
        QVERIFY(loaded->MouseHooked());
        QVERIFY(loaded->PopupMenu());
        // The first drag after loading is a change of the layout.
        const int changes = f.changes;
        f.drag({50, 50}, {80, 70});
        QCOMPARE(loaded->BoundsRect(), QRect(42, 47, 213, 50));
        QVERIFY(f.changes > changes);
    }

    void aSaveThatFailsLeavesTheZoomAsItWas() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* box = f.add({10, 20, 142, 33});
        f.surface->SetZoom(1.3f);
        bool failed = false;
        try {
            f.surface->SaveToFile(f.home.filePath(QStringLiteral("no/such/folder/BIN00001.L")));
        } catch (const layout::LayoutError&) {
            failed = true;
        }
        QVERIFY(failed);
        QCOMPARE(f.surface->Zoom(), 1.3f);
        QCOMPARE(box->BoundsRect(), QRect(13, 26, 185, 43));
    }

    void aDamagedLayoutKeepsTheObjectsReadBeforeTheDamage() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        f.add({10, 20, 40, 20});
        f.add({100, 20, 40, 20});
        const QString path = f.home.filePath(QStringLiteral("BIN00001.L"));
        f.surface->SaveToFile(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.resize(file.size() - 8);
        file.close();
        f.surface->ClearObjects();
        QString error;
        try {
            f.surface->LoadFromFile(path);
        } catch (const layout::LayoutError& e) {
            error = e.message();
        }
        QCOMPARE(error, QStringLiteral("Stream read error"));
        QCOMPARE(f.surface->Objects().size(), 1);
        QVERIFY(f.surface->Objects().first()->MouseHooked());
        // A class the surface does not know stops the read with its name.
        layout::TGLabelPanel other;
        try {
            other.LoadFromFile(path);
        } catch (const layout::LayoutError& e) {
            error = e.message();
        }
        QCOMPARE(error, QStringLiteral("Class TBoxObject not found"));
        QVERIFY(other.Objects().isEmpty());
        // A missing file loads nothing.
        f.surface->LoadFromFile(f.home.filePath(QStringLiteral("missing.L")));
        QCOMPARE(f.surface->Objects().size(), 1);
    }

    void newNamesStopAtTheThousandth() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        QList<QObject*> taken;
        for (int i = 1; i <= 999; ++i) {
            taken << new QObject(&f.window);
            taken.last()->setObjectName(QStringLiteral("special%1").arg(i)); // any letter case
        }
        QCOMPARE(f.add({10, 10, 20, 20})->Name(), QStringLiteral("Special1000"));
        QCOMPARE(f.add({40, 10, 20, 20})->Name(), QString());
    }

    void objectsKeepAtLeastTheSmallestSize() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        QCOMPARE(f.add({10, 10, 3, 4})->BoundsRect(), QRect(10, 10, 10, 15));
    }

    void theFontMenuAppliesTheChosenFontToTheSelection() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        platform::ScriptedDialogs dialogs;
        const QFont chosen(QStringLiteral("DejaVu Serif"), 14);
        dialogs.answerFont(chosen);
        TBoxObject* a = f.add({20, 20, 40, 20});
        TBoxObject* b = f.add({100, 20, 40, 20});
        f.click({30, 30});
        f.click({300, 250}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Font")));
        QCOMPARE(a->font(), chosen);
        QVERIFY(b->font() != chosen);
    }

    void printingDrawsEveryObjectAtTheItemsOrigin() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* a = f.add({96, 48, 96, 24});
        TBoxObject* b = f.add({0, 0, 48, 48});
        pageout::PageStream stream;
        pageout::TPageFiler job;
        job.SetStream(&stream);
        job.OnPrint = [&](pageout::TBasePageJob& engine) {
            f.surface->SetPrinting(true);
            f.surface->ResetCounter();
            for (int item = 0; item < 3; ++item) {
                f.surface->RefreshDataValues();
                f.surface->PrintObjects(engine, 0.5 + item, 1.0);
                f.surface->AfterItemPrinted();
            }
            f.surface->SetPrinting(false);
        };
        QVERIFY(job.RunJob());
        QCOMPARE(stream.count(), 1);
        const QList<QPointF> origins{{0.5, 1.0}, {1.5, 1.0}, {2.5, 1.0}};
        QCOMPARE(a->printOrigins, origins);
        QCOMPARE(b->printOrigins, origins);
        QCOMPARE(a->printedItems, 3);
        // No record source: the data values are not read.
        QCOMPARE(a->refreshed, 0);
    }

    void dataValuesFollowAnOpenRecordSource() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* box = f.add({10, 10, 40, 20});
        platform::ScriptedDialogs dialogs; // creating the file reports its indexes
        data::TTable table;
        data::TDataSource source;
        data::TXbEngine engine;
        source.setDataSet(&table);
        engine.DataSource = &source;
        f.surface->SetRecordSource(&table);
        f.surface->RefreshDataValues();
        QCOMPARE(box->refreshed, 0); // set but not open
        const QString path = f.home.filePath(QStringLiteral("ADD0001.DBF"));
        QVERIFY(data::CreateAddressFile(path, table, engine));
        QVERIFY(data::OpenAddressTable(path, table));
        f.surface->RefreshDataValues();
        QCOMPARE(box->refreshed, 1);
    }

    void clampAndRemoveKeepObjectsReachable() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* far = f.add({390, 295, 40, 20});
        TBoxObject* near = f.add({100, 100, 40, 20});
        f.click({110, 110});
        f.surface->ClampObjects();
        QCOMPARE(f.handle().SelectedCount(), 0);
        QCOMPARE(far->BoundsRect().topLeft(), QPoint(380, 290));
        f.surface->resize(200, 150);
        f.surface->RemoveOutsideObjects();
        QCOMPARE(f.surface->Objects(), QList<TGGraphicControl*>{near});
    }

    void theSurfaceAndTheHandleExplainThemselvesToTheQuestionMark() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        f.add({50, 30, 100, 50});
        platform::NewWhatsThisButton(&f.window);
        const QString surfaceText = testing_whats_this::QuestionMark(f.window, *f.surface);
        QVERIFY(surfaceText.startsWith(QStringLiteral("The design surface.")));
        QCOMPARE(f.handle().SelectedCount(), 0); // the question-mark click selects nothing
        f.click({100, 50});
        QVERIFY(testing_whats_this::QuestionMark(f.window, f.handle())
                    .startsWith(QStringLiteral("The selected objects.")));
        // The right-click stays the surface's own menu.
        f.click({300, 250}, Qt::RightButton);
        QVERIFY(f.menuEntries().contains(QStringLiteral("Select All")));
        f.openMenu()->close();
    }

    void destroyingTheSurfaceDeletesItsFiles() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        auto* surface = new layout::TGLabelPanel(&f.window);
        for (const QString& name : {surface->ClipboardFile(), surface->ScratchFile()}) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        delete surface;
        QVERIFY(!QFile::exists(f.home.filePath(QStringLiteral("Clipbrd.tmp"))));
        QVERIFY(!QFile::exists(f.home.filePath(QStringLiteral("TempFile.tmp"))));
    }
};

QTEST_MAIN(SurfaceTest)
#include "surface_test.moc"
