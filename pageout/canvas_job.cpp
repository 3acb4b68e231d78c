#include "pageout/canvas_job.h"

#include "platform/dialogs.h"
#include "platform/printer_device.h"

#include <QPagedPaintDevice>

namespace pageout {

TCanvasPageJob::~TCanvasPageJob() = default;

bool TCanvasPageJob::beginCanvas(QPaintDevice* canvas) {
    if (!canvas || !painter_.begin(canvas))
        return false;
    resolution_ = canvas->logicalDpiX();
    devicePages_ = 0;
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    return true;
}

bool TCanvasPageJob::openDocument() {
    return beginCanvas(canvas_);
}

void TCanvasPageJob::beginDevicePage() {
    if (devicePages_++ == 0)
        return;
    if (auto* paged = dynamic_cast<QPagedPaintDevice*>(painter_.device()))
        paged->newPage();
}

void TCanvasPageJob::closeDocument(bool) {
    if (painter_.isActive())
        painter_.end();
}

TPagePrinter::~TPagePrinter() = default;

QString TPagePrinter::DeviceName() const {
    return platform::SharedPrinter().deviceName();
}

QString TPagePrinter::DriverName() const {
    return platform::SharedPrinter().driverName();
}

QString TPagePrinter::PortName() const {
    return platform::SharedPrinter().port();
}

bool TPagePrinter::openDocument() {
    platform::PrinterDevice& printer = platform::SharedPrinter();
    if (printer.printerIndex() < 0) {
        platform::ShowInfo(QString::fromLatin1(NoPrintersMessage));
        return false;
    }
    device_ = printer.open(Title(), Copies());
    if (!device_) {
        setAborted(); // the user cancelled the choice of the PDF file
        return false;
    }
    if (!beginCanvas(device_.get())) {
        platform::ShowInfo(QStringLiteral("The printer \"%1\" could not start the document.")
                               .arg(printer.deviceName()));
        device_.reset();
        return false;
    }
    return true;
}

void TPagePrinter::closeDocument(bool aborted) {
    TCanvasPageJob::closeDocument(aborted);
    if (device_ && aborted)
        platform::SharedPrinter().abandon(*device_);
    device_.reset();
}

void TStreamPrinter::PlayStreamPage(int n, QPainter& painter, double dpi) const {
    if (stream_)
        PlayPage(*stream_, n - 1, painter, dpi);
}

void TStreamPrinter::CopyStream() {
    for (int n = 1; n <= PageCount(); ++n) {
        if (n > 1)
            StartNewPage();
        PlayStreamPage(n, devicePainter(), resolution());
    }
}

} // namespace pageout
