#include "pageout/page_stream.h"

#include "pageout/picture_play.h"

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace pageout {

void PlayPage(const PageStream& stream, int index, QPainter& painter, double dpi) {
    if (index < 0 || index >= stream.count())
        return;
    painter.save();
    painter.scale(dpi / PageStream::Resolution, dpi / PageStream::Resolution);
    PlayPictureUnscaled(painter, stream.page(index).picture);
    painter.restore();
}

QImage RenderPage(const PageStream& stream, int index, double dpi) {
    if (index < 0 || index >= stream.count())
        return {};
    const QSizeF size = stream.page(index).sizeInches;
    QImage image(std::max(1, int(std::lround(size.width() * dpi))),
                 std::max(1, int(std::lround(size.height() * dpi))), QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    PlayPage(stream, index, painter, dpi);
    return image;
}

bool SaveStreamAsPdf(const PageStream& stream, const QString& fileName, const QString& title) {
    if (stream.isEmpty())
        return false;
    QPdfWriter writer(fileName);
    writer.setResolution(int(PageStream::Resolution));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Corvane"));
    auto layoutFor = [&](int index) {
        const QSizeF size = stream.page(index).sizeInches;
        // Page sizes are kept upright; a wide sheet is an upright one turned.
        const bool wide = size.width() > size.height();
        const QSizeF upright = wide ? size.transposed() : size;
        return QPageLayout(QPageSize(upright, QPageSize::Inch, QString(), QPageSize::ExactMatch),
                           wide ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(0, 0, 0, 0));
    };
    writer.setPageLayout(layoutFor(0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int i = 0; i < stream.count(); ++i) {
        if (i > 0) {
            writer.setPageLayout(layoutFor(i));
            writer.newPage();
        }
        PlayPage(stream, i, painter, writer.resolution());
    }
    return painter.end();
}

} // namespace pageout
