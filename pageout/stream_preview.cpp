#include "pageout/stream_preview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

namespace pageout {

PreviewPage::PreviewPage(TStreamPreview& preview) : preview_(preview) {
    setObjectName(QStringLiteral("PreviewPage"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const int n = preview_.CurrentPreviewPage();
    if (n < 1)
        return;
    const PageView view = preview_.view();
    const double zoom = preview_.ZoomFactor();
    const double border = view.border(zoom);
    const double dpi = view.dpi * zoom / 100.0;
    const QRectF sheet(border, border, view.pageWidth * dpi, view.pageHeight * dpi);
    painter.fillRect(QRectF(0, 0, view.viewWidth(zoom), view.viewHeight(zoom)), Qt::white);
    if (preview_.ShadowDepth > 0)
        painter.fillRect(sheet.translated(preview_.ShadowDepth, preview_.ShadowDepth), Qt::gray);
    painter.fillRect(sheet, Qt::white);
    painter.setPen(QPen(Qt::gray, 0));
    painter.drawRect(sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipRect(sheet);
    painter.translate(sheet.topLeft());
    preview_.PlayStreamPage(n, painter, dpi);
}

void PreviewPage::mousePressEvent(QMouseEvent* event) {
    if (preview_.OnPageClick)
        preview_.OnPageClick(event->button());
}

TStreamPreview::~TStreamPreview() {
    EndPreview();
}

void TStreamPreview::BeginPreview() {
    if (!ScrollBox)
        throw std::logic_error(NoScrollBoxMessage);
    EndPreview();
    auto* page = new PreviewPage(*this);
    ScrollBox->setWidget(page);
    ScrollBox->setWidgetResizable(false);
    page_ = page;
    current_ = 0;
    ShowPage(1);
}

void TStreamPreview::EndPreview() {
    if (!page_)
        return;
    if (ScrollBox && ScrollBox->widget() == page_)
        delete ScrollBox->takeWidget();
    page_ = nullptr;
    current_ = 0;
}

void TStreamPreview::ShowPage(int n) {
    if (!page_ || n < 1 || n > PageCount())
        return;
    const bool changed = n != current_;
    current_ = n;
    resizePage();
    page_->update();
    if (changed && OnPageChange)
        OnPageChange();
}

void TStreamPreview::SetZoomFactor(double zoom) {
    zoom_ = ClampZoom(zoom);
    resizePage();
    if (page_)
        page_->update();
    if (OnZoomChange)
        OnZoomChange();
}

PageView TStreamPreview::view() const {
    PageView view;
    view.marginPercent = MarginPercent;
    if (page_)
        view.dpi = page_->logicalDpiX();
    if (Stream() && current_ >= 1 && current_ <= PageCount()) {
        view.pageWidth = Stream()->page(current_ - 1).sizeInches.width();
        view.pageHeight = Stream()->page(current_ - 1).sizeInches.height();
    } else if (Stream() && PageCount() > 0) {
        view.pageWidth = Stream()->page(0).sizeInches.width();
        view.pageHeight = Stream()->page(0).sizeInches.height();
    }
    return view;
}

double TStreamPreview::PageWidthZoom() const {
    if (!ScrollBox)
        return zoom_;
    // Leave room for the vertical scroll bar that a page taller than the box needs.
    const int bar = ScrollBox->verticalScrollBar()->sizeHint().width();
    return view().pageWidthZoom(ScrollBox->viewport()->width() -
                                (ScrollBox->verticalScrollBar()->isVisible() ? 0 : bar));
}

double TStreamPreview::WholePageZoom() const {
    if (!ScrollBox)
        return zoom_;
    const QSize box = ScrollBox->maximumViewportSize();
    return view().wholePageZoom(box.width(), box.height());
}

void TStreamPreview::resizePage() {
    if (!page_)
        return;
    const PageView v = view();
    page_->resize(int(std::ceil(v.viewWidth(zoom_))), int(std::ceil(v.viewHeight(zoom_))));
}

} // namespace pageout
