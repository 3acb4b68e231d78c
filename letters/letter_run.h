#pragma once

#include "controls/page_setup.h"

#include <QDate>
#include <QRect>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;

namespace controls {
class TRichEdit;
}
namespace data {
class TTable;
}

namespace letters {

// The rectangle letters are drawn into on a printer page, in printer pixels: the page's
// margins at the printer's resolution, less the physical offset of the printable area.
// Integer arithmetic throughout.
QRect PrintRectangle(const controls::PageSetup& page, int dpiX, int dpiY, int offsetX, int offsetY);

// Selects the letter's paper on the shared printer: Letter or A4 by their codes, any other
// size as a custom one; the paper stays as it was when the printer takes no such size.
void ChooseLetterPaper(const controls::PageSetup& page);

// What a print run does with the records.
struct RunOptions {
    int copies = 1;           // copies of each letter, 1 to 999
    bool onlyCurrent = false; // the current record alone
};

// Merges the current record of the address table into `work`, a copy of the template.
void MergeCurrentRecord(const controls::TRichEdit& templ, controls::TRichEdit& work,
                        const data::TTable& addresses);

// Whether the table shows a record (it may have its end flag set on the last record).
bool StandsOnRecord(const data::TTable& addresses);

// The day and date pattern merges use; tests fix them.
QDate MergeToday();
QString MergeDatePattern();

// Walks the address table from its current record to its end (or only the current record),
// merging each into `work` and drawing its pages, `copies` times, onto the painter of a paged
// device; each page but the first starts a new device page. After each record
// `afterRecord(pages so far)` runs; answering false stops the run. Answers the pages drawn.
int PrintLetters(const controls::TRichEdit& templ, controls::TRichEdit& work,
                 data::TTable& addresses, const RunOptions& options, QPagedPaintDevice& device,
                 QPainter& painter, const std::function<bool(int pages)>& afterRecord);

// The same run into one document: the merged letters one after another, each starting on a
// new page. Answers the number of letters.
int MergeLettersInto(const controls::TRichEdit& templ, controls::TRichEdit& work,
                     data::TTable& addresses, const RunOptions& options, QTextDocument& into,
                     const std::function<bool(int letters)>& afterRecord);

} // namespace letters
