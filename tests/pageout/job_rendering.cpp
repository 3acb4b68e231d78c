#include "job_rendering.h"

#include "pageout/canvas_job.h"
#include "pageout/page_filer.h"
#include "platform/printer_device.h"
#include "platform/printers.h"

#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <climits>
#include <cmath>

namespace pageout::testkit {

QRect InkBounds(const QImage& image, const QRect& area) {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    const QRect box = area.intersected(image.rect());
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QImage RenderPdfPage(const QString& pdf, int dpi, int page) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                       QString::number(page), QStringLiteral("-l"), QString::number(page),
                       QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

namespace {

QImage renderOnCanvas(double dpi, const TBasePageJob::JobEvent& draw) {
    TCanvasPageJob job;
    QImage sheet(int(std::lround(job.PageWidth() * dpi)), int(std::lround(job.PageHeight() * dpi)),
                 QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    sheet.setDotsPerMeterX(dotsPerMeter);
    sheet.setDotsPerMeterY(dotsPerMeter);
    sheet.fill(Qt::white);
    job.SetCanvas(&sheet);
    job.OnPrint = draw;
    if (!job.RunJob())
        return {};
    return sheet;
}

} // namespace

QImage RenderJob(Output output, double dpi, const TBasePageJob::JobEvent& draw) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
    switch (output) {
    case Output::Canvas:
        return renderOnCanvas(dpi, draw);
    case Output::Stream:
    case Output::StreamAsPdf: {
        PageStream stream;
        TPageFiler filer;
        filer.SetStream(&stream);
        filer.OnPrint = draw;
        if (!filer.RunJob())
            return {};
        if (output == Output::Stream)
            return RenderPage(stream, 0, dpi);
        if (!SaveStreamAsPdf(stream, pdf, QStringLiteral("Test")))
            return {};
        return RenderPdfPage(pdf, int(dpi));
    }
    case Output::PrinterPdf: {
        platform::SharedPrinter().selectPrinterByName(platform::PdfPrinterName);
        platform::SharedPrinter().pdfFileName = pdf;
        TPagePrinter printer;
        printer.OnPrint = draw;
        if (!printer.RunJob())
            return {};
        return RenderPdfPage(pdf, int(dpi));
    }
    }
    return {};
}

} // namespace pageout::testkit
