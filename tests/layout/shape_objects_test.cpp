// Lines and shapes: where they draw on screen, and their menu commands on a label surface.
#include "surface_fixture.h"

#include "layout/shape_objects.h"

#include <QtTest>

using layout::TGLabelShapes;
using layout::TGLineShape;
using testing_layout::SurfaceFixture;

namespace {

template <typename T> T* place(SurfaceFixture& f, const QRect& bounds) {
    auto* object = new T;
    object->Loaded();
    f.surface->AddObject(object, layout::Edges::Of(bounds));
    object->SetBounds(bounds);
    return object;
}

// Runs an entry of the object's popup menu (or of one of its sub-menus) as a click would.
bool pick(layout::TGGraphicControl& object, const QString& text) {
    object.UpdateMenuChecks();
    const QList<QMenu*> menus = object.PopupMenu()->findChildren<QMenu*>() << object.PopupMenu();
    for (QMenu* menu : menus)
        for (QAction* item : menu->actions())
            if (item->text() == text && item->isVisible()) {
                item->trigger();
                QCoreApplication::processEvents();
                return true;
            }
    return false;
}

} // namespace

class ShapeObjectsTest : public QObject {
    Q_OBJECT
private slots:
    void screenGeometry() {
        // A 3-pixel horizontal line 100 pixels wide runs from (1, 1) to (99, 1).
        QCOMPARE(layout::LineEnds(layout::stHorizontal, {100, 3}, 3), QLine(1, 1, 99, 1));
        QCOMPARE(layout::LineEnds(layout::stVertical, {3, 50}, 3), QLine(1, 1, 1, 49));
        QCOMPARE(layout::LineEnds(layout::stAngleSlopingUp, {40, 20}, 5), QLine(40, 0, 0, 20));
        // A rounded rectangle 200 by 100 at 25 % has corner ellipses 50 by 50.
        QCOMPARE(layout::CornerSize(25, {200, 100}), 50);
        QCOMPARE(layout::ShapeBox({25, 25}, 3), QRect(QPoint(1, 1), QPoint(24, 24)));
    }

    void newObjectsTakeTheirSizes() {
        QCOMPARE(TGLineShape().BoundsRect().size(), QSize(10, 10));
        QCOMPARE(TGLabelShapes().BoundsRect().size(), QSize(25, 25));
    }

    void strethToEdgesFollowsTheLine() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        auto* across = place<TGLineShape>(f, {30, 40, 50, 10});
        QVERIFY(pick(*across, QStringLiteral("Streth To Edges")));
        QCOMPARE(across->BoundsRect(), QRect(0, 40, 400, 10));

        auto* down = place<TGLineShape>(f, {30, 40, 10, 50});
        QVERIFY(pick(*down, QStringLiteral("Vertical")));
        QVERIFY(pick(*down, QStringLiteral("Streth To Edges")));
        QCOMPARE(down->BoundsRect(), QRect(30, 0, 10, 300));

        auto* sloping = place<TGLineShape>(f, {30, 40, 50, 50});
        QVERIFY(pick(*sloping, QStringLiteral("Angled Sloping Up")));
        QVERIFY(pick(*sloping, QStringLiteral("Streth To Edges")));
        QCOMPARE(sloping->BoundsRect(), QRect(30, 40, 50, 50));

        QVERIFY(pick(*sloping, QStringLiteral("4 Point")));
        QCOMPARE(sloping->Pen().width, 4);
    }

    void shapeMenus() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        auto* box = place<TGLabelShapes>(f, {10, 10, 60, 40});
        QVERIFY(pick(*box, QStringLiteral("Transparent")));
        QVERIFY(box->Transparent());
        QCOMPARE(box->Brush().style, layout::bsClear);
        QVERIFY(!pick(*box, QStringLiteral("40 %"))); // square corners: no rounding entries

        auto* round = new TGLabelShapes;
        round->SetShape(layout::stRoundRect);
        round->Loaded();
        f.surface->AddObject(round, layout::Edges::Of({80, 10, 60, 40}));
        QVERIFY(pick(*round, QStringLiteral("40 %")));
        QCOMPARE(round->RoundPerc(), 40);
    }
};

QTEST_MAIN(ShapeObjectsTest)
#include "shape_objects_test.moc"
