#pragma once

#include "pageout/page_job.h"
#include "pageout/page_stream.h"

#include <QPainter>
#include <QPicture>

namespace pageout {

// A job that records its pages into a page stream for the preview. With StreamMode::User the
// caller hands in the stream (SetStream) and keeps it; otherwise the filer keeps its own.
class TPageFiler : public TBasePageJob {
    Q_OBJECT
public:
    using TBasePageJob::TBasePageJob;
    ~TPageFiler() override;

    StreamMode streamMode = StreamMode::User;
    AccuracyMethod accuracyMethod = AccuracyMethod::Positioning;
    void SetStream(PageStream* stream) { stream_ = stream; }
    // The stream pages go to: the caller's, or the filer's own.
    PageStream& Stream() { return stream_ && streamMode == StreamMode::User ? *stream_ : own_; }

    QString DeviceName() const override { return QStringLiteral("Preview"); }
    QString DriverName() const override { return QStringLiteral("Preview"); }
    QString PortName() const override { return QStringLiteral("Screen"); }

protected:
    bool openDocument() override;
    void beginDevicePage() override;
    void endDevicePage() override;
    void closeDocument(bool aborted) override;
    QPainter& devicePainter() override { return painter_; }
    double resolution() const override { return PageStream::Resolution; }

private:
    PageStream* stream_ = nullptr;
    PageStream own_;
    QPicture picture_;
    QPainter painter_;
};

} // namespace pageout
