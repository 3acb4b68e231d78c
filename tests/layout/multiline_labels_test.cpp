// The multi-line objects on a label surface: the address block and the memo follow the record,
// the lines paint with their placeholders and print only inside the object.
#include "address_table.h"
#include "surface_fixture.h"

#include "layout/display_resolution.h"
#include "layout/multiline_labels.h"

#include "pageout/page_filer.h"

#include <QtTest>

using layout::TGDMultiLineAddressLabel;
using layout::TGDMultiLineLabel;
using layout::TGMultiLineLabel;
using testing_layout::AddressTable;
using testing_layout::SurfaceFixture;

namespace {

template <typename T> T* place(SurfaceFixture& f, const QRect& bounds) {
    auto* object = new T;
    object->Loaded();
    f.surface->AddObject(object, layout::Edges::Of(bounds));
    return object;
}

// Rows of a page area that hold ink.
QList<int> inkRows(const QImage& image, const QRect& area) {
    QList<int> rows;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                rows << y;
                break;
            }
    return rows;
}

QImage printed(layout::TGBasePanel& surface, double dpi) {
    pageout::PageStream stream;
    pageout::TPageFiler filer;
    filer.SetStream(&stream);
    filer.OnPrint = [&](pageout::TBasePageJob& job) { surface.PrintObjects(job, 0, 0); };
    return filer.RunJob() ? pageout::RenderPage(stream, 0, dpi) : QImage();
}

} // namespace

class MultiLineLabelsTest : public QObject {
    Q_OBJECT
private slots:
    void addressBlockFollowsTheRecord() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        AddressTable addresses(f.home.path());
        QVERIFY(addresses.opened);
        addresses.add({{"FNAME", "Ann"},
                       {"LNAME", "Lee"},
                       {"STREET", "12 Elm St"},
                       {"CITY", "Springfield"},
                       {"STATE", "IL"},
                       {"ZIP", "62701"}});
        f.surface->SetRecordSource(&addresses.table);
        auto* block = place<TGDMultiLineAddressLabel>(f, {10, 10, 190, 33});
        f.surface->RefreshDataValues();
        QCOMPARE(block->Items(), QStringList({"Ann Lee ", "12 Elm St", "Springfield  IL 62701"}));
        block->SetZipOptions(layout::zoBeforeCity);
        block->SetUpperCase(true);
        f.surface->RefreshDataValues();
        QCOMPARE(block->Items(), QStringList({"ANN LEE ", "12 ELM ST", "62701 SPRINGFIELD IL "}));

        block->SizeToLines();
        QCOMPARE(block->Height(), 3 * block->LinePitch());

        f.surface->SetDisplayDataValues(false);
        f.surface->RefreshDataValues();
        QCOMPARE(block->Items(), QStringList({"[Address Label]"}));

        // An empty record gives no lines; the surface shows the placeholder.
        f.surface->SetDisplayDataValues(true);
        addresses.add({});
        f.surface->RefreshDataValues();
        QCOMPARE(block->Items(), QStringList());
        QCOMPARE(block->PaintedLines(), QStringList({"<blank>"}));

        // Stored layouts carry no record data.
        addresses.table.first();
        f.surface->RefreshDataValues();
        block->PrepareForSave();
        QCOMPARE(block->Items(), QStringList());
        // Stored options are read back from their names.
        block->setProperty("ZipOptions", QStringLiteral("zoAfterCountry"));
        QCOMPARE(block->ZipOptions(), layout::zoAfterCountry);
    }

    void memoLinesAndTheirPlaceholders() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        AddressTable addresses(f.home.path());
        QVERIFY(addresses.opened);
        addresses.add({{"LNAME", "Lee"}, {"MEMO", "Call after six\r\nNo mail on Mondays"}});
        f.surface->SetRecordSource(&addresses.table);
        auto* memo = place<TGDMultiLineLabel>(f, {10, 10, 400, 33});
        memo->SetDataFieldName(QStringLiteral("Memo"));
        memo->SetDataFieldDescript(QStringLiteral("MEMO"));
        f.surface->RefreshDataValues();
        QCOMPARE(memo->Items(), QStringList({"Call after six", "No mail on Mondays"}));

        // Word wrapping breaks the memo to the object's width.
        memo->SetWidth(QFontMetrics(memo->Font().ScreenFont(1.0f))
                           .horizontalAdvance(QStringLiteral("Call after")) +
                       2);
        memo->SetWordWrap(true);
        QCOMPARE(memo->Lines().first(), QStringLiteral("Call after"));
        QVERIFY(memo->Lines().size() > 2);

        addresses.add({{"LNAME", "Roe"}});
        f.surface->RefreshDataValues();
        QCOMPARE(memo->PaintedLines(), QStringList({"<blank memo>"}));
        f.surface->SetDisplayDataValues(false);
        f.surface->RefreshDataValues();
        QCOMPARE(memo->Items(), QStringList({"[MEMO]"}));
        f.surface->SetDisplayDataValues(true);
        memo->SetDataFieldDescript(QStringLiteral("Notes"));
        f.surface->RefreshDataValues();
        QCOMPARE(memo->Items(), QStringList({"<undefined memo>"}));
        // While printing, a missing memo prints nothing.
        f.surface->SetPrinting(true);
        f.surface->RefreshDataValues();
        QCOMPARE(memo->Items(), QStringList());
        f.surface->SetPrinting(false);
    }

    void menuOfEachBlock() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        auto* text = place<TGMultiLineLabel>(f, {10, 10, 150, 40});
        text->SetItems({"One", "Two"});
        f.click({20, 20}, Qt::RightButton);
        QStringList entries = f.menuEntries();
        QCOMPARE(entries.mid(entries.indexOf(QStringLiteral("Center Horizontally")) + 1),
                 QStringList({"-", "Font", "Alignment", "-", "Text", "Word Wrap"}));
        QVERIFY(f.pick(QStringLiteral("Word Wrap")));
        QVERIFY(text->WordWrap());
        QVERIFY(f.changes > 0);
    }

    // A fixed text longer than its object prints only the lines that start inside it, each
    // in its place, the last one cut at the object's bottom.
    void printsOnlyTheLinesThatStartInside() {
        SurfaceFixture f;
        QVERIFY(f.ready);
        auto* text = place<TGMultiLineLabel>(f, {96, 96, 200, 40});
        text->SetItems({"XXXX", "XXXX", "XXXX", "XXXX", "XXXX", "XXXX"});
        const double dpi = 300, p = layout::DisplayPixelsPerInch();
        const QImage page = printed(*f.surface, dpi);
        QVERIFY(!page.isNull());
        const int top = qRound(96 * dpi / p), bottom = qRound((96 + 40) * dpi / p);
        const QList<int> rows = inkRows(
            page, QRect(qRound(96 * dpi / p), top - 40, qRound(200 * dpi / p), bottom - top + 200));
        QVERIFY(!rows.isEmpty());
        QVERIFY(rows.first() >= top);
        QVERIFY(rows.last() < bottom);
        // 10-point lines are 12 points apart: 40 pixels of 96 (30 points) hold two lines and
        // the start of a third, cut at the bottom; the other three do not print.
        int bands = 1;
        for (int i = 1; i < rows.size(); ++i)
            if (rows[i] != rows[i - 1] + 1)
                ++bands;
        QCOMPARE(bands, 3);

        // Right aligned, the lines end at the object's right edge.
        text->SetItems({"XXXX"});
        text->SetAlignment(layout::taRightJustify);
        const QImage right = printed(*f.surface, dpi);
        int rightmost = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < right.width(); ++x)
                if (qGray(right.pixel(x, y)) < 128)
                    rightmost = std::max(rightmost, x);
        QVERIFY(std::abs(rightmost - qRound((96 + 200) * dpi / p)) < 8);
    }
};

QTEST_MAIN(MultiLineLabelsTest)
#include "multiline_labels_test.moc"
