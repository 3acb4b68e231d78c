#pragma once

#include "pageout/page_job.h"
#include "pageout/page_stream.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <memory>

class QPagedPaintDevice;
class QPaintDevice;

namespace pageout {

// A job that draws onto a device canvas: any paint device given with SetCanvas (an image, a
// widget); a paged device gets a new page for each page of the job.
class TCanvasPageJob : public TBasePageJob {
    Q_OBJECT
public:
    using TBasePageJob::TBasePageJob;
    ~TCanvasPageJob() override;

    void SetCanvas(QPaintDevice* canvas) { canvas_ = canvas; }
    QPaintDevice* Canvas() const { return canvas_; }

    QString DeviceName() const override { return QStringLiteral("Canvas"); }
    QString DriverName() const override { return QStringLiteral("Canvas"); }
    QString PortName() const override { return QStringLiteral("Canvas"); }

protected:
    bool openDocument() override;
    void beginDevicePage() override;
    void endDevicePage() override {}
    void closeDocument(bool aborted) override;
    QPainter& devicePainter() override { return painter_; }
    double resolution() const override { return resolution_; }

    // Starts painting on `canvas`; false when the device refuses.
    bool beginCanvas(QPaintDevice* canvas);

private:
    QPaintDevice* canvas_ = nullptr;
    QPainter painter_;
    double resolution_ = 96;
    int devicePages_ = 0;
};

// A job whose canvas is the printer selected on the shared printer device.
class TPagePrinter : public TCanvasPageJob {
    Q_OBJECT
public:
    using TCanvasPageJob::TCanvasPageJob;
    ~TPagePrinter() override;

    QString DeviceName() const override;
    QString DriverName() const override;
    QString PortName() const override;

protected:
    bool openDocument() override;
    void closeDocument(bool aborted) override;

private:
    std::unique_ptr<QPagedPaintDevice> device_;
};

// Reads a page stream back onto its canvas. The preview control is built on it.
class TStreamPrinter : public TCanvasPageJob {
    Q_OBJECT
public:
    using TCanvasPageJob::TCanvasPageJob;

    StreamMode streamMode = StreamMode::User;
    void SetStream(const PageStream* stream) { stream_ = stream; }
    const PageStream* Stream() const { return stream_; }
    int PageCount() const { return stream_ ? stream_->count() : 0; }
    // Replays page n (1-based) of the stream on a painter of `dpi` dots per inch.
    void PlayStreamPage(int n, QPainter& painter, double dpi) const;
    // Copies the stream page by page onto the canvas (for use as OnPrint).
    void CopyStream();

private:
    const PageStream* stream_ = nullptr;
};

} // namespace pageout
