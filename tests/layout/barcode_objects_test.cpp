// The barcode objects on a label surface: the POSTNET barcode reads its fields by name and
// prints its bars at the object's place; the FIM draws its slots and changes type from its
// menu.
#include "address_table.h"
#include "surface_fixture.h"

#include "layout/barcode_objects.h"
#include "layout/display_resolution.h"
#include "layout/multiline_labels.h"
#include "layout/text_labels.h"

#include "pageout/page_filer.h"

#include <QDir>
#include <QtTest>

using layout::TGFIMBarCode;
using layout::TGPostNetBarCode;
using testing_layout::AddressTable;
using testing_layout::SurfaceFixture;

namespace {

// Dark runs along one row of an image: their left edges.
QList<int> runStarts(const QImage& image, int y) {
    QList<int> starts;
    bool dark = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool now = qGray(image.pixel(x, y)) < 128;
        if (now && !dark)
            starts << x;
        dark = now;
    }
    return starts;
}

// The surface as the user sees it once pending paints have run: an object that fits itself
// to its content while painting is painted again at its new size.
void settle(layout::TGBasePanel& surface) {
    surface.repaint();
    QCoreApplication::processEvents();
    surface.repaint();
}

QImage printed(layout::TGBasePanel& surface, double dpi) {
    pageout::PageStream stream;
    pageout::TPageFiler filer;
    filer.SetStream(&stream);
    filer.OnPrint = [&](pageout::TBasePageJob& job) { surface.PrintObjects(job, 0.5, 0.25); };
    return filer.RunJob() ? pageout::RenderPage(stream, 0, dpi) : QImage();
}

} // namespace

class BarcodeObjectsTest : public QObject {
    Q_OBJECT
private slots:
    void postNetPlacedReadsZipAndStreetAndPrintsAtItsPlace() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        AddressTable addresses(f.home.path());
        QVERIFY(addresses.opened);
        addresses.add({{"ZIP", "12345-6789"}, {"STREET", "123 1/2 Main St"}});
        f.surface->SetRecordSource(&addresses.table);
        f.surface->SetPanelState(layout::TLPanelState::psPostNetBarCode);
        auto* barcode = qobject_cast<TGPostNetBarCode*>(
            f.surface->CreateObjectAt(layout::Edges::Of({96, 48, 10, 10})));
        QVERIFY(barcode);
        QCOMPARE(barcode->ZipCodeField(), QStringLiteral("ZIP"));
        QCOMPARE(barcode->AddressField(), QStringLiteral("STREET"));
        QCOMPARE(barcode->BarCodeType(), layout::pnbc11Digit);
        QCOMPARE(barcode->Code(), QStringLiteral("123456789230"));

        // On screen the object is the barcode picture.
        f.surface->repaint();
        QCOMPARE(barcode->BoundsRect().size(), QSize(270, 16));

        const double dpi = 600, p = layout::DisplayPixelsPerInch();
        const QImage page = printed(*f.surface, dpi);
        const double x0 = 0.5 + 96 / p, y0 = 0.25 + 48 / p;
        const QList<int> bars = runStarts(page, qRound((y0 + 0.1) * dpi));
        QCOMPARE(bars.size(), 62);
        QVERIFY(std::abs(bars.first() - x0 * dpi) <= 1.5);
        QVERIFY(std::abs(bars.last() - (x0 + 61 * 0.046) * dpi) <= 1.5);
        // Only the full bars reach the upper part.
        QCOMPARE(runStarts(page, qRound((y0 + 0.03) * dpi)).size(), 2 + 2 * 12);

        // A ZIP code out of range prints nothing; a missing address field gives 99.
        barcode->SetAddressField(QStringLiteral("NOSUCH"));
        f.surface->RefreshDataValues();
        QCOMPARE(barcode->Code(), QStringLiteral("123456789997"));
        addresses.add({{"ZIP", "K1A 0B1"}});
        f.surface->RefreshDataValues();
        QCOMPARE(barcode->Code(), QString());
        QVERIFY(runStarts(printed(*f.surface, dpi), qRound((y0 + 0.1) * dpi)).isEmpty());
    }

    void fimDrawsItsSlotsAndChangesTypeFromTheMenu() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        auto* fim = new TGFIMBarCode;
        fim->Loaded();
        f.surface->AddObject(fim, layout::Edges::Of({40, 40, 20, 20}));
        settle(*f.surface);
        const double p = layout::DisplayPixelsPerInch();
        QCOMPARE(fim->Width(), int(0.625 * p));
        QCOMPARE(fim->Height(), int(0.625 * p));
        const int b = int(p * 0.03125);
        const auto slotsShown = [&] {
            QList<int> shown;
            const QImage canvas = f.surface->CanvasImage();
            for (int slot = 1; slot <= 18; ++slot)
                if (qGray(canvas.pixel(40 + b * (slot - 1) + b / 2, 60)) < 128)
                    shown << slot;
            return shown;
        };
        QCOMPARE(slotsShown(), QList<int>({1, 3, 9, 15, 17}));

        f.click({45, 45}, Qt::RightButton);
        const QStringList entries = f.menuEntries();
        QCOMPARE(entries.mid(entries.indexOf(QStringLiteral("Center Horizontally")) + 1),
                 QStringList({"-", "Set FIM to Type A", "Set FIM to Type B", "Set FIM to Type C"}));
        QVERIFY(f.openMenu()->actions().at(entries.indexOf("Set FIM to Type A"))->isChecked());
        const int changes = f.changes;
        QVERIFY(f.pick(QStringLiteral("Set FIM to Type B")));
        QCOMPARE(fim->FIMType(), layout::fimTypeB);
        QVERIFY(f.changes > changes);
        settle(*f.surface);
        QCOMPARE(slotsShown(), QList<int>({1, 5, 7, 11, 13, 17}));

        // On paper: six bars, the outer ones half an inch apart.
        const double dpi = 600;
        const QImage page = printed(*f.surface, dpi);
        const QList<int> bars = runStarts(page, qRound((0.25 + 40 / p + 0.25) * dpi));
        QCOMPARE(bars.size(), 6);
        QVERIFY(std::abs((bars.last() - bars.first()) - 0.5 * dpi) <= 1.5);
    }

    // Every kind of object shows something where it lies. With CORVANE_SHOT_DIR set the
    // surface is saved there to look at.
    void everyObjectShowsOnTheSurface() {
        SurfaceFixture f(QSize(520, 360));
        QVERIFY(f.ready);
        const auto add = [&](layout::TGGraphicControl* object, const QRect& bounds) {
            object->Loaded();
            f.surface->AddObject(object, layout::Edges::Of(bounds));
            return object;
        };
        auto* shadowed = new layout::TGPLabel;
        shadowed->SetCaption(QStringLiteral("Shadowed"));
        shadowed->SetDepthShadow(3);
        shadowed->SetDepthHighlight(1);
        add(shadowed, {10, 10, 150, 33});
        for (const int angle : {90, 180, 270}) {
            auto* turned = new layout::TGPLabel;
            turned->SetCaption(QStringLiteral("Turned %1").arg(angle));
            add(turned, {10 + angle, 60, 142, 33});
            turned->SetAngle(angle);
        }
        auto* counter = new layout::TGCounterLabel;
        counter->SetTextBefore(QStringLiteral("No. "));
        add(counter, {10, 200, 100, 20});
        add(new layout::TGSymbolLabel, {120, 200, 30, 30});
        add(new layout::TGDateTimeLabel, {170, 200, 150, 20});
        auto* lines = new layout::TGMultiLineLabel;
        lines->SetItems({"A block of", "three lines", "centred"});
        lines->SetAlignment(layout::taCenter);
        add(lines, {10, 240, 150, 60})->SizeToContent();
        add(new TGPostNetBarCode, {180, 250, 10, 10});
        add(new TGFIMBarCode, {420, 200, 10, 10});
        settle(*f.surface);
        const QImage canvas = f.surface->CanvasImage();
        for (const layout::TGGraphicControl* object : f.surface->Objects()) {
            bool ink = false;
            const QRect area = object->BoundsRect() & canvas.rect();
            for (int y = area.top(); y <= area.bottom() && !ink; ++y)
                for (int x = area.left(); x <= area.right() && !ink; ++x)
                    ink = qGray(canvas.pixel(x, y)) < 160;
            QVERIFY2(ink, qPrintable(object->ClassName()));
        }
        if (const QString folder = qEnvironmentVariable("CORVANE_SHOT_DIR"); !folder.isEmpty())
            f.window.grab().save(QDir(folder).filePath(QStringLiteral("objects.png")));
    }
};

QTEST_MAIN(BarcodeObjectsTest)
#include "barcode_objects_test.moc"
