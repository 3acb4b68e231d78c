#include "controls/page_painter.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace controls {

TPagePainter::TPagePainter(const QTextDocument& source, const PageSetup& page)
    : device_(1, 1, QImage::Format_ARGB32), page_(page) {
    const int dotsPerMeter = int(std::lround(DocumentDpi / 0.0254));
    device_.setDotsPerMeterX(dotsPerMeter);
    device_.setDotsPerMeterY(dotsPerMeter);
    layout_.reset(source.clone());
    layout_->documentLayout()->setPaintDevice(&device_);
    layout_->setUseDesignMetrics(true);
    // On paper lines always wrap at the text width, whatever the editor shows on screen.
    QTextOption option = layout_->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout_->setDefaultTextOption(option);
    layout_->setDocumentMargin(0);
    layout_->setTextWidth(TwipsToDocument(page.textWidth()));
    layout_->documentLayout()->documentSize(); // lays the document out now
}

TPagePainter::~TPagePainter() = default;

TPagePainter::Span TPagePainter::span(int start) const {
    const double height = TwipsToDocument(page_.textHeight());
    QTextBlock block = layout_->findBlock(std::max(0, start));
    if (!block.isValid())
        return {0, 0, -1};
    const QTextLayout* first = block.layout();
    int lineIndex = 0;
    if (first && first->lineCount() > 0) {
        const QTextLine line = first->lineForTextPosition(start - block.position());
        lineIndex = line.isValid() ? line.lineNumber() : 0;
    }
    Span result;
    bool haveTop = false;
    bool breakAfterPrevious = false;
    for (QTextBlock b = block; b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        const bool breaksBefore = breakAfterPrevious || (b.blockFormat().pageBreakPolicy() &
                                                         QTextFormat::PageBreak_AlwaysBefore);
        breakAfterPrevious = b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter;
        if (!layout || layout->lineCount() == 0)
            continue;
        const double blockTop = layout->position().y();
        for (int i = (b == block ? lineIndex : 0); i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const double top = blockTop + line.y();
            const double bottom = top + line.height();
            if (!haveTop) {
                result.top = top;
                result.bottom = bottom;
                haveTop = true;
                continue;
            }
            if ((i == 0 && breaksBefore) || bottom - result.top > height) {
                result.next = b.position() + line.textStart();
                return result;
            }
            result.bottom = bottom;
        }
    }
    return result;
}

int TPagePainter::NextPageStart(int start) const {
    return span(start).next;
}

int TPagePainter::DrawPage(QPainter& painter, const QRectF& textArea, double dotsPerInch,
                           int start) const {
    const Span page = span(start);
    const double scale = dotsPerInch / DocumentDpi;
    const double width = TwipsToDocument(page_.textWidth());
    const double height = std::min(page.bottom - page.top, TwipsToDocument(page_.textHeight()));
    painter.save();
    painter.translate(textArea.topLeft());
    painter.scale(scale, scale);
    // Only the lines of this page show; letters may reach past the sides a little.
    painter.setClipRect(QRectF(-width, 0, 3 * width, height), Qt::IntersectClip);
    painter.translate(0, -page.top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, page.top, width, height);
    context.palette.setColor(QPalette::Text, Qt::black);
    layout_->documentLayout()->draw(&painter, context);
    painter.restore();
    return page.next;
}

int TPagePainter::PageCount() const {
    int pages = 1;
    for (int start = NextPageStart(0); start > 0; start = NextPageStart(start))
        ++pages;
    return pages;
}

} // namespace controls
