// The selection handle driven as a user drives it: presses, moves and releases through the
// window system, with the program's clock stepped between them.
#include "surface_fixture.h"

#include <QtTest>

using layout::Edges;
using testing_layout::SurfaceFixture;
using testing_layout::TBoxObject;

class HandleMouseTest : public QObject {
    Q_OBJECT
private slots:
    void aPressedObjectIsDraggedTwoPixelsShortOfTheMouse() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* box = f.add({50, 30, 100, 50});
        f.press({100, 50});
        QCOMPARE(f.handle().SelectedCount(), 1);
        f.wait(5);
        f.move({101, 51}); // held only 5 ms: no drag yet
        QVERIFY(!f.handle().Dragging());
        f.wait(15);
        f.move({100, 50}); // after 10 ms the drag starts here
        QVERIFY(f.handle().Dragging());
        f.wait(20);
        f.move({160, 90});
        // The outline shows where the object will go: 2 pixels short of the mouse's offset.
        QCOMPARE(*f.surface->DragOutline(), (Edges{108, 68, 208, 118}));
        QCOMPARE(box->BoundsRect(), QRect(50, 30, 100, 50)); // nothing moves during the drag
        f.wait(200);
        f.release({160, 90});
        QCOMPARE(box->BoundsRect(), QRect(108, 68, 100, 50));
        QVERIFY(!f.surface->DragOutline());
        QVERIFY(!f.handle().Dragging());
        QVERIFY(f.changes > 0);
    }

    void aQuickClickNeverMovesTheSelection() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* box = f.add({50, 30, 100, 50});
        f.click({100, 50});
        QCOMPARE(f.handle().SelectedCount(), 1);
        // On the handle now: the press starts the drag at once, but a release within 150 ms
        // moves nothing however far the mouse went.
        f.press({100, 50});
        f.wait(40);
        f.move({180, 120});
        f.wait(100);
        f.release({180, 120});
        QCOMPARE(box->BoundsRect(), QRect(50, 30, 100, 50));
        f.wait(500);
        f.press({100, 50});
        f.wait(40);
        f.move({180, 120});
        f.wait(110);
        f.release({180, 120});
        QCOMPARE(box->BoundsRect(), QRect(128, 98, 100, 50));
    }

    void theCornerSquareResizesButNeverBelowFivePixels() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* box = f.add({50, 30, 100, 50});
        f.click({100, 50});
        QCOMPARE(f.handle().geometry(), QRect(48, 28, 105, 55));
        f.move({152, 82}); // over the bottom-right square
        QCOMPARE(f.handle().Mode(), layout::DragMode::BottomRight);
        QCOMPARE(f.handle().cursor().shape(), Qt::SizeFDiagCursor);
        f.press({152, 82});
        f.wait(50);
        f.move({182, 102});
        f.wait(200);
        f.release({182, 102});
        QCOMPARE(box->BoundsRect(), QRect(50, 30, 127, 67));

        const QRect handle = f.handle().geometry();
        const QPoint corner = handle.topLeft() + QPoint(handle.width() - 1, handle.height() - 1);
        f.move(corner);
        QCOMPARE(f.handle().Mode(), layout::DragMode::BottomRight);
        f.press(corner);
        f.wait(50);
        f.move({0, 0});
        // The outline of a handle 5 by 5 at the handle's corner.
        QCOMPARE(*f.surface->DragOutline(),
                 layout::SelectionOutline({handle.topLeft(), QSize(5, 5)}));
        f.wait(200);
        f.release({0, 0});
        QCOMPARE(box->BoundsRect().topLeft(), QPoint(50, 30));
        QVERIFY(box->Width() >= 1 && box->Height() >= 1);
        QVERIFY(f.handle().width() >= 5 && f.handle().height() >= 5);
    }

    void severalSelectedObjectsMoveFromAnyCorner() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* a = f.add({50, 30, 100, 50});
        TBoxObject* b = f.add({200, 100, 60, 40});
        f.drag({30, 10}, {300, 200}); // a rubber band around both
        QCOMPARE(f.handle().SelectedCount(), 2);
        const QRect handle = f.handle().geometry();
        const QPoint corner = handle.topLeft() + QPoint(handle.width() - 2, handle.height() - 2);
        f.move(corner);
        QCOMPARE(f.handle().Mode(), layout::DragMode::Move);
        f.drag(corner, corner + QPoint(12, 22));
        QCOMPARE(a->BoundsRect(), QRect(60, 50, 100, 50));
        QCOMPARE(b->BoundsRect(), QRect(210, 120, 60, 40));
    }

    void aLockedObjectStaysWhileTheOthersMove() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* a = f.add({50, 30, 100, 50});
        TBoxObject* b = f.add({200, 100, 60, 40});
        f.click({220, 120}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Locked")));
        QVERIFY(b->Locked());
        QVERIFY(b->LockedMenuItem()->isChecked());
        f.click({100, 50}, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(f.handle().SelectedCount(), 2);
        const QRect before = f.handle().geometry();
        f.press({100, 50});
        f.wait(50);
        f.move({140, 90});
        f.wait(200);
        f.release({140, 90});
        QCOMPARE(a->BoundsRect(), QRect(88, 68, 100, 50));
        QCOMPARE(b->BoundsRect(), QRect(200, 100, 60, 40));
        QVERIFY(f.handle().geometry() != before);
        QCOMPARE(f.handle().SelectedCount(), 2);
    }

    void anUnselectableObjectStartsARubberBand() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* a = f.add({50, 30, 100, 50});
        TBoxObject* b = f.add({200, 100, 60, 40});
        f.click({100, 50}, Qt::RightButton);
        QCOMPARE(f.handle().SelectedCount(), 1);
        QVERIFY(f.pick(QStringLiteral("Unselectable")));
        QVERIFY(a->Unselectable());
        QCOMPARE(f.handle().SelectedCount(), 0);
        f.click({100, 50});
        QCOMPARE(f.handle().SelectedCount(), 0);
        QVERIFY(f.handle().isHidden());
        f.drag({100, 50}, {230, 130}); // from the unselectable object over the other one
        QCOMPARE(f.handle().Selection(), QList<layout::TGGraphicControl*>{b});
        QCOMPARE(a->BoundsRect(), QRect(50, 30, 100, 50));
    }

    void snappingPutsTheHandleOnMultiplesOfEightMinusTwo() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        f.surface->SetGridSize(layout::TGridSize::gs8x8);
        QVERIFY(!f.handle().SnapToGrid()); // a grid size alone does not snap
        f.surface->SetSnapToGrid(true);
        QCOMPARE(f.handle().GridX(), 8);
        TBoxObject* box = f.add({51, 33, 100, 50});
        f.drag({100, 50}, {127, 81});
        QCOMPARE((f.handle().x() + 2) % 8, 0);
        QCOMPARE(box->Left() % 8, 0);
        QCOMPARE(box->Top() % 8, 0);
        f.surface->SetSnapToGrid(false);
        QCOMPARE(f.handle().GridX(), 1);
    }

    void aDoubleClickOpensTheObjectMenuAndDragsNothing() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* box = f.add({50, 30, 100, 50});
        f.click({100, 50});
        QTest::mouseDClick(f.window.windowHandle(), Qt::LeftButton, {}, f.at({100, 50}));
        QVERIFY(f.openMenu() == box->PopupMenu());
        f.openMenu()->close();
        f.wait(300);
        f.move({150, 90});
        f.release({150, 90});
        QCOMPARE(box->BoundsRect(), QRect(50, 30, 100, 50));
    }

    void arrowKeysNudgeAndShiftResizes() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TBoxObject* box = f.add({50, 30, 100, 50});
        f.click({100, 50});
        QVERIFY(f.handle().hasFocus());
        // Held keys move the outline; the objects follow when the key comes up.
        QTest::keyPress(f.window.windowHandle(), Qt::Key_Right);
        QTest::keyPress(f.window.windowHandle(), Qt::Key_Right);
        QTest::keyPress(f.window.windowHandle(), Qt::Key_Up);
        QCOMPARE(*f.surface->DragOutline(), (Edges{52, 29, 152, 79}));
        QCOMPARE(box->Left(), 50);
        QTest::keyRelease(f.window.windowHandle(), Qt::Key_Up);
        QCOMPARE(box->BoundsRect(), QRect(52, 29, 100, 50));
        QVERIFY(!f.surface->DragOutline());
        f.key(Qt::Key_Right, Qt::ShiftModifier);
        f.key(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(box->BoundsRect(), QRect(52, 29, 101, 51));
    }

    void theObjectMenuHoldsItsEntriesInOrder() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        f.add({50, 30, 100, 50});
        f.click({100, 50}, Qt::RightButton);
        QCOMPARE(f.menuEntries(), QStringList({"Bring To Front", "Send To Back", "Cut", "Copy",
                                               "Delete", "Clone", "-", "Locked", "Unselectable",
                                               "-", "Center Vertically", "Center Horizontally"}));
        QVERIFY(f.pick(QStringLiteral("Center Horizontally")));
        QCOMPARE(f.surface->Objects().first()->Left(), 150); // 400 div 2 - 100 div 2
    }
};

QTEST_MAIN(HandleMouseTest)
#include "handle_mouse_test.moc"
