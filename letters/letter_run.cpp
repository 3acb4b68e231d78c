#include "letters/letter_run.h"

#include "controls/document_copy.h"
#include "controls/rich_edit.h"
#include "data/table_object.h"
#include "letters/merge.h"
#include "platform/printer_device.h"
#include "platform/short_date.h"
#include "platform/system_services.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdlib>

namespace letters {

namespace {} // namespace

QRect PrintRectangle(const controls::PageSetup& page, int dpiX, int dpiY, int offsetX,
                     int offsetY) {
    const int x = page.left * dpiX / controls::TwipsPerInch - offsetX;
    const int y = page.top * dpiY / controls::TwipsPerInch - offsetY;
    const int width = page.width * dpiX / controls::TwipsPerInch -
                      (page.right * dpiX / controls::TwipsPerInch + x);
    const int height = page.height * dpiY / controls::TwipsPerInch -
                       (page.bottom * dpiY / controls::TwipsPerInch + y);
    return QRect(x, y, width, height);
}

void ChooseLetterPaper(const controls::PageSetup& page) {
    platform::PrinterDevice& printer = platform::SharedPrinter();
    const double width = double(page.width) / controls::TwipsPerInch;
    const double height = double(page.height) / controls::TwipsPerInch;
    if (page.width == 12240 && page.height == 15840)
        printer.choosePaper(1, 0, 0);
    else if (std::abs(page.width - 11906) <= 2 && std::abs(page.height - 16838) <= 2)
        printer.choosePaper(9, 0, 0);
    else
        printer.choosePaper(0, height, width);
    printer.setOrientation(QPageLayout::Portrait);
}

bool StandsOnRecord(const data::TTable& addresses) {
    const unsigned record = addresses.recordNumber();
    return addresses.active() && !(addresses.bof() && addresses.eof()) && record >= 1 &&
           record <= addresses.recordCount();
}

QDate MergeToday() {
    return platform::Today();
}

QString MergeDatePattern() {
    return platform::SystemShortDatePattern();
}

void MergeCurrentRecord(const controls::TRichEdit& templ, controls::TRichEdit& work,
                        const data::TTable& addresses) {
    work.CopyFrom(templ);
    ReplaceTokens(*work.document(),
                  MergeValues(ValuesOf(addresses), MergeToday(), MergeDatePattern()));
    work.Reformat();
    work.moveCursor(QTextCursor::Start);
}

int PrintLetters(const controls::TRichEdit& templ, controls::TRichEdit& work,
                 data::TTable& addresses, const RunOptions& options, QPagedPaintDevice& device,
                 QPainter& painter, const std::function<bool(int pages)>& afterRecord) {
    // The device's origin is the sheet's corner: no physical offset.
    const QRect area =
        PrintRectangle(templ.Page(), device.logicalDpiX(), device.logicalDpiY(), 0, 0);
    int pages = 0;
    // The table may stand on its last record with its end flag already set (after a move to
    // the last record): the record it stands on is printed all the same.
    bool more = StandsOnRecord(addresses);
    while (more) {
        MergeCurrentRecord(templ, work, addresses);
        for (int copy = 0; copy < options.copies; ++copy) {
            int start = 0;
            do {
                if (pages > 0)
                    device.newPage();
                start = work.DrawPage(painter, area, start);
                ++pages;
            } while (start > 0);
        }
        if (options.onlyCurrent)
            break;
        addresses.next();
        more = !addresses.eof();
        if (afterRecord && !afterRecord(pages))
            break;
    }
    return pages;
}

int MergeLettersInto(const controls::TRichEdit& templ, controls::TRichEdit& work,
                     data::TTable& addresses, const RunOptions& options, QTextDocument& into,
                     const std::function<bool(int letters)>& afterRecord) {
    int count = 0;
    bool more = StandsOnRecord(addresses);
    while (more) {
        MergeCurrentRecord(templ, work, addresses);
        for (int copy = 0; copy < options.copies; ++copy) {
            controls::AppendDocument(into, *work.document(), true);
            ++count;
        }
        if (options.onlyCurrent)
            break;
        addresses.next();
        more = !addresses.eof();
        if (afterRecord && !afterRecord(count))
            break;
    }
    return count;
}

} // namespace letters
