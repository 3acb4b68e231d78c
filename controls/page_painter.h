#pragma once

#include "controls/page_setup.h"

#include <QImage>
#include <QRectF>

#include <memory>

class QPainter;
class QTextDocument;

namespace controls {

// A document laid out on its page, independent of any screen or printer: text flows at the
// page's text width, fonts are measured by their design metrics, and pages end where the
// next line would pass the text height or at a paragraph that starts a new page. Pages are
// named by the document position they start at; the first starts at 0.
class TPagePainter {
public:
    TPagePainter(const QTextDocument& source, const PageSetup& page);
    ~TPagePainter();
    TPagePainter(const TPagePainter&) = delete;
    TPagePainter& operator=(const TPagePainter&) = delete;

    // Where the page after the one starting at `start` starts; -1 when that page is the last.
    int NextPageStart(int start) const;
    // Draws the page starting at `start` into the text area (painter coordinates, where one
    // inch is `dotsPerInch` units) and answers where the next page starts, -1 when none does.
    int DrawPage(QPainter& painter, const QRectF& textArea, double dotsPerInch, int start) const;
    // How many pages the document fills.
    int PageCount() const;

private:
    struct Span {
        double top = 0;
        double bottom = 0;
        int next = -1;
    };
    Span span(int start) const;

    QImage device_;
    std::unique_ptr<QTextDocument> layout_;
    PageSetup page_;
};

} // namespace controls
