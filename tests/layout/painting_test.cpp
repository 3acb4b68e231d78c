// What the design surface shows: its background, grid and outline, the grab squares, and the
// inverted outline of a drag, which costs no repaint of the objects. With CORVANE_SHOT_DIR set
// the surfaces are also saved there as pictures to look at.
#include "surface_fixture.h"

#include "layout/graphic_control.h"
#include "layout/surface_background.h"

#include <QDir>
#include <QPainter>
#include <QtTest>

using layout::TLabelShapeType;
using testing_layout::SurfaceFixture;
using testing_layout::TBoxObject;

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Green = qRgb(0, 128, 0);

// What the user sees of the surface: the surface with the handle over it.
QImage shown(const layout::TGBasePanel& surface) {
    return const_cast<layout::TGBasePanel&>(surface).grab().toImage().convertToFormat(
        QImage::Format_RGB32);
}

void saveShot(const QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("CORVANE_SHOT_DIR");
    if (!folder.isEmpty())
        const_cast<QWidget&>(window).grab().save(QDir(folder).filePath(name));
}

} // namespace

class PaintingTest : public QObject {
    Q_OBJECT
private slots:
    void gridDotsEveryFourPixelsInsideTheShape() {
        layout::SurfaceLook look;
        look.showGrid = true;
        look.shape = TLabelShapeType::lsEllipse;
        const QImage image = layout::PaintBackground({200, 100}, look);
        QCOMPARE(image.pixel(100, 2), Green); // the ellipse reaches the top in the middle
        QCOMPARE(image.pixel(101, 50), White);
        QCOMPARE(image.pixel(100, 51), White);
        QCOMPARE(image.pixel(100, 54), Green);
        QCOMPARE(image.pixel(104, 50), Green);
        QCOMPARE(image.pixel(96, 58), Green);
        QCOMPARE(image.pixel(4, 2), White); // outside the ellipse
        // The dots are laid over a picture by AND.
        look.shape = TLabelShapeType::lsRectangle;
        QImage grey(4, 4, QImage::Format_RGB32);
        grey.fill(qRgb(200, 200, 200));
        look.picture.bitmap = grey;
        const QImage over = layout::PaintBackground({200, 100}, look);
        QCOMPARE(over.pixel(4, 2), qRgb(0, 128 & 200, 0));
        QCOMPARE(over.pixel(5, 2), qRgb(200, 200, 200));
        QCOMPARE(over.pixel(0, 0), qRgb(200, 200, 200));
    }

    void theOutlineFollowsTheShape() {
        layout::SurfaceLook look;
        look.drawOutline = true;
        look.shape = TLabelShapeType::lsRectangle;
        QImage image = layout::PaintBackground({200, 100}, look);
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(199, 99), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(1, 1), White);
        look.shape = TLabelShapeType::lsRoundRect;
        image = layout::PaintBackground({200, 100}, look);
        QCOMPARE(image.pixel(100, 0), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(0, 0), White); // the corner is round
    }

    void grabSquaresOfOneAndOfSeveralObjects() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        f.surface->SetShowGrid(true);
        f.add({50, 30, 100, 50}, QStringLiteral("First"));
        f.add({200, 150, 80, 40}, QStringLiteral("Second"));
        f.click({100, 50});
        QImage image = shown(*f.surface);
        QCOMPARE(image.pixel(48, 28), qRgb(0, 0, 0));  // top-left square
        QCOMPARE(image.pixel(100, 28), qRgb(0, 0, 0)); // top middle square
        QCOMPARE(image.pixel(151, 81), qRgb(0, 0, 0)); // bottom-right square
        QCOMPARE(image.pixel(120, 28), White);         // between squares
        saveShot(f.window, QStringLiteral("surface-100-one.png"));

        f.click({240, 170}, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(f.handle().SelectedCount(), 2);
        image = shown(*f.surface);
        const QRgb grey = qRgb(128, 128, 128);
        QCOMPARE(image.pixel(48, 28), grey);
        QCOMPARE(image.pixel(198, 148), grey);
        QCOMPARE(image.pixel(100, 28), White); // no middle squares
        saveShot(f.window, QStringLiteral("surface-100-two.png"));

        f.surface->SetZoom(1.5f);
        f.window.resize(f.surface->size() + QSize(40, 40));
        f.handle().FitToSelection();
        QCoreApplication::processEvents();
        QCOMPARE(f.surface->size(), QSize(600, 450));
        QCOMPARE(f.surface->Objects().first()->BoundsRect(), QRect(75, 45, 150, 75));
        image = shown(*f.surface);
        QCOMPARE(image.pixel(73, 43), grey);
        saveShot(f.window, QStringLiteral("surface-150-two.png"));
    }

    void aDragShowsAnInvertedOutlineAndRepaintsNoObject() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        std::vector<TBoxObject*> boxes;
        for (int i = 0; i < 20; ++i)
            boxes.push_back(f.add({10 + (i % 5) * 70, 10 + (i / 5) * 40, 60, 30}));
        f.click({20, 20});
        QCoreApplication::processEvents();
        const QImage before = shown(*f.surface);
        int painted = 0;
        for (const TBoxObject* box : boxes)
            painted += box->painted;

        f.press({30, 30});
        f.wait(20);
        f.move({30, 30});
        for (int step = 1; step <= 10; ++step) {
            f.wait(16);
            f.move({30 + step * 10, 30 + step * 12});
        }
        QCoreApplication::processEvents();
        int paintedDuringDrag = 0;
        for (const TBoxObject* box : boxes)
            paintedDuringDrag += box->painted;
        QCOMPARE(paintedDuringDrag, painted);
        // The outline: a dotted, inverted rectangle where the object will land.
        const layout::Edges outline = *f.surface->DragOutline();
        QCOMPARE(outline, (layout::Edges{108, 128, 168, 158}));
        const QImage during = shown(*f.surface);
        int inverted = 0;
        for (int x = outline.left; x < outline.right; ++x) {
            const QRgb was = before.pixel(x, outline.top), now = during.pixel(x, outline.top);
            inverted += now == (~was | 0xff000000u);
            QVERIFY(now == was || now == (~was | 0xff000000u));
        }
        QVERIFY(inverted >= (outline.right - outline.left) / 2 - 1);
        saveShot(f.window, QStringLiteral("surface-100-drag.png"));

        f.wait(200);
        f.release({130, 150});
        QCoreApplication::processEvents();
        QVERIFY(!f.surface->DragOutline());
        QCOMPARE(boxes.front()->BoundsRect(), QRect(108, 128, 60, 30));
        // No trace of the outline is left: the surface shows its objects and the squares only.
        const QImage after = shown(*f.surface);
        const QImage canvas = f.surface->CanvasImage();
        QRegion squares;
        for (const QRect& square : layout::GrabSquares(boxes.front()->BoundsRect(), true))
            squares += square;
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (after.pixel(x, y) != canvas.pixel(x, y))
                    QVERIFY2(squares.contains(QPoint(x, y)),
                             qPrintable(QString::number(x) + "," + QString::number(y)));
    }
};

QTEST_MAIN(PaintingTest)
#include "painting_test.moc"
