// Lines, shapes and pictures: where they draw on screen, their menu commands on a label
// surface, and the picture files they take.
#include "surface_fixture.h"

#include "layout/image_browser.h"
#include "layout/image_object.h"
#include "layout/shape_objects.h"

#include "platform/scripted_dialogs.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>

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

    // The outline of a 25-pixel figure with a 1-pixel pen reaches its last column and row.
    void figuresFillTheirObject() {
        for (const auto shape : {layout::stRectangle, layout::stEllipse}) {
            TGLabelShapes figure;
            figure.SetShape(shape);
            figure.SetTransparent(true);
            QImage image(25, 25, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            figure.Paint(painter);
            painter.end();
            const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
            QVERIFY(dark(0, 12) && dark(24, 12) && dark(12, 0) && dark(12, 24));
        }
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
    void pictureFiles_data() {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QString>("kind");
        QTest::newRow("PNG") << QByteArray("PNG") << "TBitmap";
        QTest::newRow("JPEG") << QByteArray("JPEG") << "TBitmap";
        QTest::newRow("BMP") << QByteArray("BMP") << "TBitmap";
    }
    void pictureFiles() {
        QFETCH(QByteArray, format);
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QImage image(4, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = dir.filePath(QStringLiteral("picture.") + format.toLower());
        QVERIFY(image.save(path, format.constData()));
        const auto picture = layout::TLayoutPicture::FromFile(path);
        QVERIFY(picture);
        QCOMPARE(picture->kind, kind);
        QCOMPARE(picture->Size(), QSize(4, 2));
        QVERIFY(picture->data.startsWith("BM")); // kept as a whole bitmap file
        const auto back = layout::TLayoutPicture::FromStreamData(picture->StreamData());
        QVERIFY(back && *back == *picture);
    }

    void metafilesAreKeptAndOtherFilesRefused() {
        QTemporaryDir dir;
        QByteArray placeable = QByteArray::fromHex("d7cdc69a") + QByteArray(40, '\x01');
        QFile wmf(dir.filePath(QStringLiteral("logo.wmf")));
        QVERIFY(wmf.open(QIODevice::WriteOnly));
        wmf.write(placeable);
        wmf.close();
        const auto metafile = layout::TLayoutPicture::FromFile(wmf.fileName());
        QVERIFY(metafile);
        QCOMPARE(metafile->kind, QStringLiteral("TMetafile"));
        QCOMPARE(metafile->data, placeable);
        QVERIFY(metafile->image.isNull()); // not drawn: its frame shows

        QFile text(dir.filePath(QStringLiteral("notes.bmp")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a picture");
        text.close();
        QVERIFY(!layout::TLayoutPicture::FromFile(text.fileName()));
    }

    void autoSizeAndStretchExcludeEachOther() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        auto* image = place<layout::TGImage>(f, {10, 10, 105, 105});
        QImage bitmap(30, 20, QImage::Format_RGB32);
        bitmap.fill(Qt::blue);
        QTemporaryDir dir;
        QVERIFY(bitmap.save(dir.filePath(QStringLiteral("b.bmp"))));
        image->SetPicture(*layout::TLayoutPicture::FromFile(dir.filePath(QStringLiteral("b.bmp"))));
        QVERIFY(image->Stretch());
        QVERIFY(pick(*image, QStringLiteral("AutoSize")));
        QVERIFY(image->AutoSize());
        QVERIFY(!image->Stretch());
        QCOMPARE(image->BoundsRect(), QRect(10, 10, 30, 20));
        QVERIFY(pick(*image, QStringLiteral("Stretch to Fit")));
        QVERIFY(image->Stretch());
        QVERIFY(!image->AutoSize());
    }
    void pictureDialogLoadsTheChosenFile() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        QTemporaryDir dir;
        QImage bitmap(30, 20, QImage::Format_RGB32);
        bitmap.fill(Qt::blue);
        QVERIFY(bitmap.save(dir.filePath(QStringLiteral("blue.png"))));
        QFile bad(dir.filePath(QStringLiteral("bad.bmp")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a picture");
        bad.close();
        QFile(dir.filePath(QStringLiteral("notes.txt"))).open(QIODevice::WriteOnly);

        auto* image = place<layout::TGImage>(f, {10, 10, 105, 105});
        platform::ScriptedDialogs dialogs;
        const auto choose = [&](const QString& file, bool autoSize) {
            dialogs.answerDialog([&, file, autoSize](QDialog& dialog) {
                auto& d = dynamic_cast<layout::TGImageBrowser&>(dialog);
                d.show();
                d.SetFolder(dir.path());
                QStringList files;
                for (int i = 0; i < d.FileList->count(); ++i)
                    files << d.FileList->item(i)->text();
                if (files != QStringList({"bad.bmp", "blue.png"}))
                    return platform::ResultCancel;
                if (!d.StretchBox->isChecked() || d.AutoSizeBox->isChecked())
                    return platform::ResultCancel; // the boxes start from the object
                d.FileList->setCurrentRow(int(files.indexOf(file)));
                if (autoSize)
                    QTest::mouseClick(d.AutoSizeBox, Qt::LeftButton, {},
                                      QPoint(6, d.AutoSizeBox->height() / 2));
                QTest::mouseClick(d.buttons.OKButton, Qt::LeftButton);
                return d.result();
            });
            return pick(*image, QStringLiteral("Load Image From Disk"));
        };

        QVERIFY(choose(QStringLiteral("blue.png"), true));
        QCOMPARE(dialogs.dialogTitles(), QStringList({"Load Image File (BMP/WMF)"}));
        QCOMPARE(image->Picture().kind, QStringLiteral("TBitmap"));
        QVERIFY(image->AutoSize() && !image->Stretch());
        QCOMPARE(image->BoundsRect(), QRect(10, 10, 30, 20));

        image->SetStretch(true);
        QVERIFY(choose(QStringLiteral("bad.bmp"), false));
        // Once on choosing the file, once on OK; the object keeps no picture.
        QCOMPARE(dialogs.messageTexts(),
                 QStringList({"Error loading file!", "Error loading file!"}));
        QVERIFY(image->Picture().IsEmpty());
    }
};

QTEST_MAIN(ShapeObjectsTest)
#include "shape_objects_test.moc"
