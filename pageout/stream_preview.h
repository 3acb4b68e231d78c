#pragma once

#include "pageout/canvas_job.h"
#include "pageout/zoom.h"

#include <QPointer>
#include <QScrollArea>
#include <QWidget>

#include <functional>
#include <stdexcept>

namespace pageout {

inline const char* const NoScrollBoxMessage =
    "ScrollBox must be assigned for StreamPreview component";

class TStreamPreview;

// The page image inside the scroll box.
class PreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPage(TStreamPreview& preview);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TStreamPreview& preview_;
};

// Shows a page stream one page at a time inside a scroll box, at a zoom in percent of the
// page's size on screen.
class TStreamPreview : public TStreamPrinter {
    Q_OBJECT
public:
    using TStreamPrinter::TStreamPrinter;
    ~TStreamPreview() override;

    QPointer<QScrollArea> ScrollBox;
    double ZoomInc = 10;
    double MarginPercent = 2.5;
    int ShadowDepth = 0;
    int PageInc = 1;
    std::function<void()> OnZoomChange;
    std::function<void()> OnPageChange;
    // A mouse button pressed on the page image.
    std::function<void(Qt::MouseButton)> OnPageClick;

    // Opens the stream and shows its first page; throws std::logic_error without a scroll box.
    void BeginPreview();
    void EndPreview();
    bool Previewing() const { return page_ != nullptr; }

    // n counts from 1; out-of-range pages are ignored.
    void ShowPage(int n);
    int CurrentPreviewPage() const { return current_; }
    void NextPage() { ShowPage(current_ + PageInc); }
    void PriorPage() { ShowPage(current_ - PageInc); }

    double ZoomFactor() const { return zoom_; }
    void SetZoomFactor(double zoom);
    void ZoomStepIn() { SetZoomFactor(pageout::ZoomStepIn(zoom_, ZoomInc)); }
    void ZoomStepOut() { SetZoomFactor(pageout::ZoomStepOut(zoom_, ZoomInc)); }
    double PageWidthZoom() const;
    double WholePageZoom() const;

    PageView view() const;
    PreviewPage* pageWidget() const { return page_; }

private:
    void resizePage();

    QPointer<PreviewPage> page_;
    int current_ = 0;
    double zoom_ = 100;
};

} // namespace pageout
