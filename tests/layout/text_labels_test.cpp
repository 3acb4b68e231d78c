// The single-line text objects on a label surface: how they lay out, turn, count, take record
// values and print.
#include "address_table.h"
#include "surface_fixture.h"

#include "layout/display_resolution.h"
#include "layout/text_labels.h"

#include "pageout/page_filer.h"
#include "platform/scripted_dialogs.h"

#include <QPainter>
#include <QtTest>

using layout::TGPLabel;
using testing_layout::AddressTable;
using testing_layout::SurfaceFixture;

namespace {

template <typename T> T* place(SurfaceFixture& f, const QRect& bounds) {
    auto* object = new T;
    object->Loaded();
    f.surface->AddObject(object, layout::Edges::Of(bounds));
    return object;
}

// The surface as the user sees it, painted now.
void paintNow(SurfaceFixture& f) {
    f.surface->repaint();
    QCoreApplication::processEvents();
}

// Dark pixels' bounding box in an area of an image.
QRect inkBounds(const QImage& image, const QRect& area) {
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

class TextLabelsTest : public QObject {
    Q_OBJECT
private slots:
    void newObjectAndItsStoredDefaults() {
        TGPLabel label;
        QCOMPARE(label.BoundsRect(), QRect(0, 0, 142, 33));
        QCOMPARE(label.Caption(), QStringLiteral("Text"));
        QCOMPARE(label.property("DirectionHighlight").toString(), QStringLiteral("hdUpLeft"));
        QCOMPARE(label.property("DirectionShadow").toString(), QStringLiteral("sdDownRight"));
        QCOMPARE(label.colorHighlight(), 16776960);
        QCOMPARE(label.colorShadow(), 8421504);
        QVERIFY(label.Transparent());
        QCOMPARE(label.Font().name, QStringLiteral("Arial"));
        QCOMPARE(label.Font().size, 10);
        layout::TGSymbolLabel symbol;
        QCOMPARE(symbol.Caption(), QStringLiteral("["));
        QCOMPARE(symbol.Font().size, 24);
        layout::TGCounterLabel counter;
        QCOMPARE(counter.Startingnumber(), 1);
        QCOMPARE(counter.RepeatEach(), 1);
        // Stored enumerations are read back from their names.
        label.setProperty("Alignment", QStringLiteral("taCenter"));
        QCOMPARE(label.Alignment(), layout::taCenter);
    }

    // A clone goes through the stored properties: every one of them comes back.
    void cloneKeepsEveryStoredProperty() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        auto* counter = place<layout::TGCounterLabel>(f, {20, 20, 120, 19});
        layout::TLayoutFont font;
        font.name = QStringLiteral("Courier New");
        font.size = 14;
        font.color = 255;
        font.bold = true;
        counter->SetFont(font);
        counter->SetDirectionShadow(layout::sdLeft);
        counter->SetDepthShadow(4);
        counter->SetAlignment(layout::taCenter);
        counter->SetTransparent(false);
        counter->SetBackColor(0x00FFFF);
        counter->SetTextBefore(QStringLiteral("No. "));
        counter->SetStartingnumber(1000);
        counter->SetRepeatEach(3);
        f.click({30, 25}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Clone")));
        QCOMPARE(f.surface->Objects().size(), 2);
        auto* copy = qobject_cast<layout::TGCounterLabel*>(f.surface->Objects().last());
        QVERIFY(copy);
        QCOMPARE(copy->Font(), font);
        QCOMPARE(copy->DirectionShadow(), layout::sdLeft);
        QCOMPARE(copy->DepthShadow(), 4);
        QCOMPARE(copy->Alignment(), layout::taCenter);
        QVERIFY(!copy->Transparent());
        QCOMPARE(copy->BackColor(), 0x00FFFF);
        QCOMPARE(copy->CounterText(), QStringLiteral("No. 1000"));
        QCOMPARE(copy->RepeatEach(), 3);
    }

    void turningAndTheLayoutThatShrinks() {
        TGPLabel unplaced;
        unplaced.SetAngle(45);
        QCOMPARE(unplaced.Angle(), 0);
        unplaced.SetAlignment(layout::taRightJustify);
        unplaced.SetAngle(90);
        QCOMPARE(unplaced.BoundsRect(), QRect(0, 0, 33, 142)); // swapped before any layout
        QCOMPARE(unplaced.Alignment(), layout::taLeftJustify);

        SurfaceFixture f;
        QVERIFY(f.ready);
        TGPLabel* label = place<TGPLabel>(f, {20, 20, 142, 33});
        label->SetAngle(90);
        paintNow(f);
        const QFont font = label->Font().ScreenFont(1.0f);
        const int lh = layout::LineHeightOf(font);
        const int tw = layout::TextWidthOf(font, QStringLiteral("Text "));
        QCOMPARE(label->Width(), int(1.2 * lh));
        QCOMPARE(label->Height(), int(1.2 * tw));

        // Made taller by hand, an upright text returns to 1.2 lines at the next paint.
        label->SetAngle(0);
        label->SetHeight(90);
        paintNow(f);
        QCOMPARE(label->Height(), int(1.2 * lh));
    }

    void sizeToTextGrowsOnly() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        TGPLabel* label = place<TGPLabel>(f, {10, 10, 20, 10});
        label->SetCaption(QStringLiteral("A longer caption"));
        label->SizeToText();
        const QFontMetrics metrics(label->Font().ScreenFont(1.0f));
        QCOMPARE(label->Width(),
                 metrics.horizontalAdvance(QStringLiteral("A longer caption     ")));
        QCOMPARE(label->Height(), metrics.height());
        label->SetCaption(QStringLiteral("A"));
        label->SizeToText();
        QCOMPARE(label->Width(),
                 metrics.horizontalAdvance(QStringLiteral("A longer caption     ")));
    }

    void counterAdvancesAfterEveryRepeatEachItems() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        auto* counter = place<layout::TGCounterLabel>(f, {10, 10, 100, 20});
        counter->SetTextBefore(QStringLiteral("No. "));
        counter->SetStartingnumber(1000);
        counter->SetRepeatEach(3);
        QStringList shown;
        for (int item = 0; item < 7; ++item) {
            shown << counter->CounterText();
            f.surface->AfterItemPrinted();
        }
        QCOMPARE(shown, QStringList({"No. 1000", "No. 1000", "No. 1000", "No. 1001", "No. 1001",
                                     "No. 1001", "No. 1002"}));
        f.surface->ResetCounter();
        QCOMPARE(counter->CounterText(), QStringLiteral("No. 1000"));
        counter->SetRepeatEach(0);
        for (int item = 0; item < 5; ++item)
            f.surface->AfterItemPrinted();
        QCOMPARE(counter->CurrentNumber(), 1000);
    }

    void dataLabelShowsTheFieldOrAPlaceholder() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        AddressTable addresses(f.home.path());
        QVERIFY(addresses.opened);
        addresses.add({{"LNAME", "Lee"}, {"FNAME", "  Ann"}, {"STREET", "   "}});
        f.surface->SetRecordSource(&addresses.table);
        auto* first = place<layout::TGPDLabel>(f, {10, 10, 100, 20});
        first->SetDataFieldDescript(QStringLiteral("First Name"));
        auto* street = place<layout::TGPDLabel>(f, {10, 40, 100, 20});
        street->SetDataFieldDescript(QStringLiteral("Address 1"));
        auto* gone = place<layout::TGPDLabel>(f, {10, 70, 100, 20});
        gone->SetDataFieldDescript(QStringLiteral("Pager"));

        f.surface->RefreshDataValues();
        QCOMPARE(first->Caption(), QStringLiteral("  Ann")); // leading blanks stay
        QCOMPARE(street->Caption(), QStringLiteral("<blank field>"));
        QCOMPARE(gone->Caption(), QStringLiteral("<undefined field>"));

        f.surface->SetDisplayDataValues(false);
        f.surface->RefreshDataValues();
        QCOMPARE(first->Caption(), QStringLiteral("[First Name]"));

        // Printing shows raw values, and a missing field keeps the caption it had.
        f.surface->SetDisplayDataValues(true);
        f.surface->SetPrinting(true);
        f.surface->RefreshDataValues();
        QCOMPARE(street->Caption(), QString());
        QCOMPARE(gone->Caption(), QStringLiteral("<undefined field>"));
        f.surface->SetPrinting(false);

        // Stored layouts carry no record data.
        first->PrepareForSave();
        QCOMPARE(first->Caption(), QString());
    }

    void backgroundColourAndTransparencyFromTheMenu() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        platform::ScriptedDialogs dialogs;
        TGPLabel* label = place<TGPLabel>(f, {50, 50, 120, 19});
        f.click({60, 55}, Qt::RightButton);
        const QStringList entries = f.menuEntries();
        QVERIFY(entries.contains(QStringLiteral("Alignment")));
        QCOMPARE(entries.mid(entries.indexOf(QStringLiteral("Center Horizontally")) + 1),
                 QStringList({"-", "Font", "3D Effects", "Alignment", "-", "Background Color",
                              "Transparent", "-", "Text", "-", "Rotation"}));
        dialogs.answerColour(QColor(255, 0, 0));
        QVERIFY(f.pick(QStringLiteral("Background Color")));
        QVERIFY(!label->Transparent());
        QCOMPARE(label->BackColor(), 255);
        paintNow(f);
        QCOMPARE(QColor(f.surface->CanvasImage().pixel(52, 52)), QColor(255, 0, 0));

        f.click({60, 55}, Qt::RightButton);
        QVERIFY(f.pick(QStringLiteral("Transparent")));
        QVERIFY(label->Transparent());
        QCOMPARE(label->BackColor(), 255); // the colour is kept for later
        paintNow(f);
        QCOMPARE(QColor(f.surface->CanvasImage().pixel(52, 52)), QColor(Qt::white));
    }

    void dateAndPageNumberCaptions() {
        const QDateTime moment(QDate(2026, 4, 28), QTime(14, 5, 9));
        const QLocale system = QLocale::system();
        QCOMPARE(layout::DateTimeCaption(moment, layout::dtfDateShort, layout::dtfTimeNone),
                 system.toString(moment.date(), QLocale::ShortFormat));
        QCOMPARE(layout::DateTimeCaption(moment, layout::dtfDateLong, layout::dtfTimeLong),
                 system.toString(moment.date(), QLocale::LongFormat) + ' ' +
                     system.toString(moment.time(), QLocale::LongFormat));
        // A time without a date starts with the blank.
        QCOMPARE(layout::DateTimeCaption(moment, layout::dtfDateNone, layout::dtfTimeShort),
                 ' ' + system.toString(moment.time(), QLocale::ShortFormat));

        SurfaceFixture f;
        QVERIFY(f.ready);
        auto* page = place<layout::TGPageNumberLabel>(f, {10, 10, 60, 20});
        paintNow(f);
        QCOMPARE(page->Caption(), QStringLiteral("##"));
        QStringList printed;
        pageout::PageStream stream;
        pageout::TPageFiler filer;
        filer.SetStream(&stream);
        filer.OnPrint = [&](pageout::TBasePageJob& job) {
            for (int sheet = 0; sheet < 3; ++sheet) {
                if (sheet > 0)
                    job.StartNewPage();
                f.surface->PrintObjects(job, 0, 0);
                printed << page->Caption();
            }
        };
        QVERIFY(filer.RunJob());
        QCOMPARE(printed, QStringList({"1", "2", "3"}));
    }

    // Printed at each angle, the text lies in the object's corner the layout names and runs
    // the way it is turned.
    void printedTextAtEachAngle() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        const double p = layout::DisplayPixelsPerInch();
        TGPLabel* label = place<TGPLabel>(f, {96, 96, 142, 33});
        label->SetCaption(QStringLiteral("WWWWWWWW"));
        label->SetFont([] {
            layout::TLayoutFont font;
            font.size = 14;
            return font;
        }());
        for (const int angle : {0, 90, 180, 270}) {
            label->SetAngle(angle);
            label->LayoutText();
            pageout::PageStream stream;
            pageout::TPageFiler filer;
            filer.SetStream(&stream);
            filer.OnPrint = [&](pageout::TBasePageJob& job) { f.surface->PrintObjects(job, 0, 0); };
            QVERIFY(filer.RunJob());
            const double dpi = 96;
            const QImage page = pageout::RenderPage(stream, 0, dpi);
            const QRect object(qRound(label->Left() * dpi / p), qRound(label->Top() * dpi / p),
                               qRound(label->Width() * dpi / p), qRound(label->Height() * dpi / p));
            const QRect ink = inkBounds(page, object.adjusted(-20, -20, 20, 20));
            QVERIFY2(!ink.isEmpty(), qPrintable(QString::number(angle)));
            QVERIFY2(object.adjusted(-1, -1, 1, 1).contains(ink),
                     qPrintable(QStringLiteral("%1: ink %2,%3 %4x%5")
                                    .arg(angle)
                                    .arg(ink.x())
                                    .arg(ink.y())
                                    .arg(ink.width())
                                    .arg(ink.height())));
            const bool upright = angle == 0 || angle == 180;
            QCOMPARE(ink.width() > ink.height(), upright);
            // The text starts at the corner its angle turns it about.
            const QPoint corner = angle == 0     ? object.topLeft()
                                  : angle == 90  ? object.bottomLeft()
                                  : angle == 180 ? object.bottomRight()
                                                 : object.topRight();
            const QPoint nearest(std::clamp(corner.x(), ink.left(), ink.right()),
                                 std::clamp(corner.y(), ink.top(), ink.bottom()));
            QVERIFY2((nearest - corner).manhattanLength() < 12, qPrintable(QString::number(angle)));
        }
    }
};

QTEST_MAIN(TextLabelsTest)
#include "text_labels_test.moc"
