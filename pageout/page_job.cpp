#include "pageout/page_job.h"

#include "pageout/picture_play.h"
#include "pageout/status_text.h"
#include "platform/printer_device.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>

#include <algorithm>
#include <cmath>

namespace pageout {

namespace {

Qt::PenStyle qtPenStyle(PenStyle style) {
    switch (style) {
    case PenStyle::Solid:
        return Qt::SolidLine;
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::DashDot:
        return Qt::DashDotLine;
    case PenStyle::DashDotDot:
        return Qt::DashDotDotLine;
    case PenStyle::Clear:
        return Qt::NoPen;
    }
    return Qt::SolidLine;
}

QPainter::CompositionMode qtPenMode(PenMode mode) {
    switch (mode) {
    case PenMode::Copy:
        return QPainter::CompositionMode_SourceOver;
    case PenMode::Xor:
        return QPainter::RasterOp_SourceXorDestination;
    case PenMode::Not:
        return QPainter::RasterOp_NotDestination;
    case PenMode::NotCopy:
        return QPainter::RasterOp_NotSource;
    }
    return QPainter::CompositionMode_SourceOver;
}

QColor shadeColour(int percent) {
    const int level = 255 - std::clamp(percent, 0, 100) * 255 / 100;
    return QColor(level, level, level);
}

} // namespace

TBasePageJob::TBasePageJob(QObject* parent) : TPOBaseComponent(parent) {
    font_.setFamily(QStringLiteral("Arial"));
}

TBasePageJob::~TBasePageJob() {
    delete scratchPainter_;
    delete scratch_;
}

void TBasePageJob::ClearEvents() {
    OnBeforePrint = OnPrint = OnAfterPrint = OnNewPage = OnNewColumn = OnPrintHeader =
        OnPrintFooter = OnEndOfSection = nullptr;
    OnPrintPage = nullptr;
}

void TBasePageJob::SetMargins(double left, double top, double right, double bottom) {
    SetMarginLeft(left);
    SetMarginTop(top);
    SetMarginRight(right);
    SetMarginBottom(bottom);
}

void TBasePageJob::ResetMargins() {
    const QMarginsF strips = platform::SharedPrinter().unprintable();
    margins_[0] = strips.left();
    margins_[1] = strips.top();
    margins_[2] = strips.right();
    margins_[3] = strips.bottom();
    ResetSection();
}

void TBasePageJob::checkIdle() const {
    if (running_)
        throw InvalidMethodCall(AlreadyPrintingMessage);
}

void TBasePageJob::checkRunning() const {
    if (!running_)
        throw InvalidMethodCall(NotPrintingMessage);
    if (aborted_)
        throw JobAborted();
}

void TBasePageJob::SetOrientation(Orientation orientation) {
    checkIdle();
    orientation_ = orientation;
}

void TBasePageJob::SetTitle(const QString& title) {
    checkIdle();
    title_ = title;
}

void TBasePageJob::SetCopies(int copies) {
    checkIdle();
    copies_ = std::max(1, copies);
}

bool TBasePageJob::ChoosePaper(int code, double length, double width) {
    checkIdle();
    return platform::SharedPrinter().choosePaper(code, in(length), in(width));
}

double TBasePageJob::effectiveOrientationWidth(bool width) const {
    const platform::PrinterDevice& device = platform::SharedPrinter();
    const double w = device.pageWidth();
    const double h = device.pageHeight();
    const bool deviceLandscape = device.orientation() == QPageLayout::Landscape;
    bool landscape = deviceLandscape;
    if (orientation_ != Orientation::Default)
        landscape = orientation_ == Orientation::Landscape;
    const bool swap = landscape != deviceLandscape;
    return width ? (swap ? h : w) : (swap ? w : h);
}

double TBasePageJob::PageWidth() const {
    return out(effectiveOrientationWidth(true));
}

double TBasePageJob::PageHeight() const {
    return out(effectiveOrientationWidth(false));
}

double TBasePageJob::UnprintableLeft() const {
    return out(platform::SharedPrinter().unprintable().left());
}

double TBasePageJob::UnprintableRight() const {
    return out(platform::SharedPrinter().unprintable().right());
}

double TBasePageJob::UnprintableTop() const {
    return out(platform::SharedPrinter().unprintable().top());
}

double TBasePageJob::UnprintableBottom() const {
    return out(platform::SharedPrinter().unprintable().bottom());
}

// --- job control ---------------------------------------------------------------------------

bool TBasePageJob::RunJob() {
    checkIdle();
    aborted_ = false;
    currentPage_ = 1;
    if (orientation_ != Orientation::Default)
        platform::SharedPrinter().setOrientation(orientation_ == Orientation::Landscape
                                                     ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
    if (!openDocument())
        return false;
    running_ = true;
    try {
        beginPage();
        if (OnBeforePrint)
            OnBeforePrint(*this);
        ShowStatus();
        if (OnPrint) {
            OnPrint(*this);
        } else if (OnPrintPage) {
            while (OnPrintPage(*this) && !aborted_)
                StartNewPage();
        }
        if (OnAfterPrint)
            OnAfterPrint(*this);
        if (aborted_)
            throw JobAborted();
        endPage();
    } catch (const JobAborted&) {
        aborted_ = true;
    } catch (...) {
        // An error in the caller's drawing ends the job as an abort would, so that nobody
        // takes its unfinished pages for a finished job; the error goes on to the caller.
        aborted_ = true;
        running_ = false;
        pageOpen_ = false;
        closeDocument(true);
        throw;
    }
    running_ = false;
    if (aborted_)
        pageOpen_ = false;
    closeDocument(aborted_);
    return !aborted_;
}

void TBasePageJob::StartNewPage() {
    checkRunning();
    endPage();
    ++currentPage_;
    beginPage();
    ShowStatus();
    if (OnNewPage)
        OnNewPage(*this);
}

void TBasePageJob::AbortJob() {
    aborted_ = true;
}

void TBasePageJob::beginPage() {
    pageInRange_ = currentPage_ >= FirstPage && currentPage_ <= LastPage;
    if (pageInRange_) {
        beginDevicePage();
    } else {
        delete scratchPainter_;
        delete scratch_;
        scratch_ = new QPicture;
        scratchPainter_ = new QPainter(scratch_);
    }
    pageOpen_ = true;
    shiftX_ = shiftY_ = 0;
    ResetSection();
    resetPagePosition();
    if (OnPrintHeader)
        OnPrintHeader(*this);
}

void TBasePageJob::endPage() {
    if (!pageOpen_)
        return;
    if (OnPrintFooter)
        OnPrintFooter(*this);
    pageOpen_ = false;
    if (pageInRange_) {
        endDevicePage();
    } else {
        delete scratchPainter_;
        scratchPainter_ = nullptr;
    }
}

void TBasePageJob::resetPagePosition() {
    currentX_ = section_.left();
    currentY_ = section_.top();
    penX_ = currentX_;
    penY_ = currentY_;
    tabIndex_ = -1;
    cellPending_ = false;
}

QString TBasePageJob::ExpandedStatus() const {
    StatusValues values;
    values.lines = StatusText;
    values.currentPage = currentPage_;
    values.firstPage = FirstPage;
    values.lastPage = LastPage;
    values.deviceName = DeviceName();
    values.driverName = DriverName();
    values.port = PortName();
    return ExpandStatus(StatusFormat, values);
}

void TBasePageJob::ShowStatus() {
    if (!StatusLabel)
        return;
    QString text = ExpandedStatus();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    StatusLabel->setText(text);
    QCoreApplication::processEvents();
}

// --- drawing state ---------------------------------------------------------------------------

void TBasePageJob::SelectFont(const QString& name, double size) {
    if (size <= 0)
        return;
    font_ = QFont();
    font_.setFamily(name);
    fontSize_ = size;
    fontColour_ = Qt::black;
    fontAngle_ = 0;
}

void TBasePageJob::SetFontBold(bool on) {
    font_.setBold(on);
}

void TBasePageJob::SetFontItalic(bool on) {
    font_.setItalic(on);
}

void TBasePageJob::SetFontAngle(double degrees) {
    fontAngle_ = std::fmod(degrees, 360.0);
    if (fontAngle_ < 0)
        fontAngle_ += 360.0;
}

void TBasePageJob::SetFontSize(double points) {
    if (points > 0)
        fontSize_ = points;
}

void TBasePageJob::SelectPen(const QColor& colour, PenStyle style, int width, PenMode mode) {
    penColour_ = colour;
    penStyle_ = style;
    penWidth_ = width;
    penMode_ = mode;
}

void TBasePageJob::SelectBrush(const QColor& colour, BrushStyle style, const QImage& pattern) {
    brush_ = BrushFill{colour, style, pattern};
}

QFont TBasePageJob::deviceFont() const {
    QFont font = font_;
    const double pixels = fontSize_ / 72.0 * resolution() * ScaleY / 100.0;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    return font;
}

const QFontMetricsF& TBasePageJob::deviceMetrics() const {
    const QFont font = deviceFont();
    if (!metrics_ || font != metricsFont_) {
        metricsFont_ = font;
        metrics_.emplace(font);
    }
    return *metrics_;
}

void TBasePageJob::applyPen(QPainter& painter) const {
    if (penStyle_ == PenStyle::Clear) {
        painter.setPen(Qt::NoPen);
        return;
    }
    QPen pen(penColour_, PenWidthToDevice(penWidth_, resolution(), ScaleX), qtPenStyle(penStyle_),
             Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    if (penMode_ != PenMode::Copy && painter.paintEngine() &&
        painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
        painter.setCompositionMode(qtPenMode(penMode_));
    else
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

double TBasePageJob::brushResolution() const {
    return resolution() * ScaleX / 100.0;
}

void TBasePageJob::drawShape(const QPainterPath& area,
                             const std::function<void(QPainter&)>& outline) {
    QPainter& p = painter();
    applyPen(p);
    if (IsPlainBrush(brush_)) {
        p.setBrush(brush_.style == BrushStyle::Clear ? QBrush(Qt::NoBrush) : QBrush(brush_.colour));
    } else {
        FillWithBrush(p, area, brush_, brushResolution());
        p.setBrush(Qt::NoBrush);
    }
    outline(p);
}

// --- drawing ---------------------------------------------------------------------------------

double TBasePageJob::deviceX(double inches) const {
    return InchesToDevice(inches + shiftX_, resolution(), ScaleX);
}

double TBasePageJob::deviceY(double inches) const {
    return InchesToDevice(inches + shiftY_, resolution(), ScaleY);
}

QRectF TBasePageJob::deviceRect(double x1, double y1, double x2, double y2) const {
    return QRectF(QPointF(deviceX(in(x1)), deviceY(in(y1))),
                  QPointF(deviceX(in(x2)), deviceY(in(y2))))
        .normalized();
}

QPainter& TBasePageJob::painter() {
    checkRunning();
    return pageInRange_ ? devicePainter() : *scratchPainter_;
}

void TBasePageJob::DrawRectangle(double x1, double y1, double x2, double y2) {
    const QRectF box = deviceRect(x1, y1, x2, y2);
    QPainterPath area;
    area.addRect(box);
    drawShape(area, [&](QPainter& p) { p.drawRect(box); });
}

void TBasePageJob::DrawRoundRect(double x1, double y1, double x2, double y2, double cornerWidth,
                                 double cornerHeight) {
    const QRectF box = deviceRect(x1, y1, x2, y2);
    const double rx = InchesToDevice(in(cornerWidth), resolution(), ScaleX) / 2;
    const double ry = InchesToDevice(in(cornerHeight), resolution(), ScaleY) / 2;
    QPainterPath area;
    area.addRoundedRect(box, rx, ry, Qt::AbsoluteSize);
    drawShape(area, [&](QPainter& p) { p.drawRoundedRect(box, rx, ry, Qt::AbsoluteSize); });
}

void TBasePageJob::DrawEllipse(double x1, double y1, double x2, double y2) {
    const QRectF box = deviceRect(x1, y1, x2, y2);
    QPainterPath area;
    area.addEllipse(box);
    drawShape(area, [&](QPainter& p) { p.drawEllipse(box); });
}

void TBasePageJob::PenMoveTo(double x, double y) {
    checkRunning();
    penX_ = in(x);
    penY_ = in(y);
}

void TBasePageJob::PenLineTo(double x, double y) {
    QPainter& p = painter();
    applyPen(p);
    const double toX = in(x), toY = in(y);
    p.drawLine(QPointF(deviceX(penX_), deviceY(penY_)), QPointF(deviceX(toX), deviceY(toY)));
    penX_ = toX;
    penY_ = toY;
}

void TBasePageJob::DrawBitmapInRect(double x1, double y1, double x2, double y2,
                                    const QImage& bitmap) {
    QPainter& p = painter();
    if (bitmap.isNull())
        return;
    p.drawImage(deviceRect(x1, y1, x2, y2), bitmap);
}

void TBasePageJob::DrawGraphicInRect(const QRect& rect, const QPicture& picture) {
    QPainter& p = painter();
    const QRect bounds = picture.boundingRect();
    if (bounds.isEmpty() || rect.isEmpty())
        return;
    p.save();
    p.translate(rect.topLeft());
    p.scale(double(rect.width()) / bounds.width(), double(rect.height()) / bounds.height());
    p.translate(-bounds.topLeft());
    PlayPictureUnscaled(p, picture);
    p.restore();
}

void TBasePageJob::DrawGraphicInRect(const QRect& rect, const QImage& picture) {
    QPainter& p = painter();
    if (!picture.isNull())
        p.drawImage(rect, picture);
}

QRect TBasePageJob::PageRect(double x1, double y1, double x2, double y2) const {
    return deviceRect(x1, y1, x2, y2).toAlignedRect();
}

void TBasePageJob::TextInRect(const QRect& rect, double x, double y, const QString& text) {
    checkRunning();
    const QRectF clip(rect);
    drawText(in(x), in(y), text, brush_.style != BrushStyle::Clear, 0, &clip);
}

void TBasePageJob::drawText(double x, double y, const QString& text, bool opaque,
                            double letterSpacing, const QRectF* clip) {
    QPainter& p = painter();
    if (text.isEmpty())
        return;
    const QFontMetricsF& metrics = deviceMetrics();
    const double spacing = InchesToDevice(letterSpacing, resolution(), ScaleX);
    const double width = metrics.horizontalAdvance(text) + spacing * (text.size() - 1);
    QPointF origin(deviceX(x), deviceY(y));
    // Most text is upright and inside its rectangle: it is drawn without saving the painter's
    // state, which keeps the page stream small.
    const bool isolated =
        fontAngle_ != 0 ||
        (clip && !clip->contains(QRectF(origin, QSizeF(width, metrics.height()))));
    if (isolated) {
        p.save();
        if (clip)
            p.setClipRect(*clip);
        p.translate(origin);
        p.rotate(-fontAngle_);
        origin = QPointF(0, 0);
    }
    if (p.font() != metricsFont_)
        p.setFont(metricsFont_);
    if (opaque) {
        // Text lies on the brush's colour, or on its pattern; hatches are not used behind text.
        const QRectF box(origin, QSizeF(width, metrics.height()));
        if (brush_.pattern.isNull()) {
            p.fillRect(box, brush_.colour);
        } else {
            QPainterPath area;
            area.addRect(box);
            FillWithBrush(p, area, brush_, brushResolution());
        }
    }
    if (p.pen() != QPen(fontColour_))
        p.setPen(fontColour_);
    const QPointF baseline = origin + QPointF(0, metrics.ascent());
    if (spacing <= 0) {
        p.drawText(baseline, text);
    } else {
        // Spread text is set one character at a time: letter spacing is not honoured alike by
        // every paint engine.
        double at = 0;
        for (const QChar c : text) {
            p.drawText(baseline + QPointF(at, 0), QString(c));
            at += metrics.horizontalAdvance(c) + spacing;
        }
    }
    if (isolated)
        p.restore();
}

double TBasePageJob::textWidthInches(const QString& text) const {
    return deviceMetrics().horizontalAdvance(text) / (resolution() * ScaleX / 100.0);
}

double TBasePageJob::TextWidth(const QString& text) const {
    return out(textWidthInches(text));
}

// --- line-oriented text ------------------------------------------------------------------------

void TBasePageJob::MoveToPosition(double x, double y) {
    currentX_ = in(x);
    currentY_ = in(y);
    tabIndex_ = -1;
    cellPending_ = false;
}

double TBasePageJob::LineHeight() const {
    switch (lineHeightMethod) {
    case LineHeightMethod::Font:
        return out(FontLineHeight(fontSize_));
    case LineHeightMethod::LinesPerInch:
        return out(LinesPerInchLineHeight(LinesPerInch));
    case LineHeightMethod::User:
        return UserLineHeight;
    }
    return out(FontLineHeight(fontSize_));
}

int TBasePageJob::LinesRemaining() const {
    const double height = in(LineHeight());
    if (height <= 0)
        return 0;
    const double lines = std::floor((section_.bottom() - currentY_) / height + 1e-9);
    return std::max(0, static_cast<int>(lines));
}

void TBasePageJob::AdvanceLine() {
    checkRunning();
    currentY_ += in(LineHeight());
    currentX_ = section_.left();
    tabIndex_ = -1;
    cellPending_ = false;
}

void TBasePageJob::PrintText(const QString& text) {
    checkRunning();
    const QStringList segments = text.split(u'\t');
    for (qsizetype i = 0; i < segments.size(); ++i) {
        if (i > 0)
            moveToNextTab();
        printSegment(segments[i]);
    }
}

void TBasePageJob::PrintLine(const QString& text) {
    PrintText(text);
    AdvanceLine();
}

void TBasePageJob::moveToNextTab() {
    if (tabs_.empty()) {
        // Without tab stops a tab moves to the next half inch of the section.
        const double step = 0.5;
        const double offset = currentX_ - section_.left();
        currentX_ = section_.left() + (std::floor(offset / step + 1e-9) + 1) * step;
        return;
    }
    int index = -1;
    if (tabIndex_ >= 0) {
        index = tabs_.next(tabIndex_);
    } else {
        for (int i = 0; i < tabs_.count() && index < 0; ++i) {
            if (tabs_.span(i, section_.left()).left >= currentX_ - 1e-9)
                index = i;
        }
        if (index < 0)
            index = 0;
    }
    if (tabs_.at(index).isCell()) {
        tabIndex_ = index == 0 ? tabs_.count() - 1 : index - 1;
        NextCell();
    } else {
        tabIndex_ = index;
        cellPending_ = true;
        currentX_ = tabs_.span(index, section_.left()).left;
    }
}

void TBasePageJob::printSegment(const QString& text) {
    if (!cellPending_ || tabIndex_ < 0) {
        drawText(currentX_, currentY_, text, brush_.style != BrushStyle::Clear);
        currentX_ += textWidthInches(text);
        return;
    }
    cellPending_ = false;
    const TabStop& stop = tabs_.at(tabIndex_);
    const CellSpan span = tabs_.span(tabIndex_, section_.left());
    const double width = textWidthInches(text);
    const CellPlacement place = PlaceInCell(stop, span, width, static_cast<int>(text.size()));
    // Text in a cell lies on the cell's shade, so it is drawn transparent.
    drawText(place.x, currentY_, text, false, place.letterSpacing);
    currentX_ = stop.isCell() ? span.right : place.x + width;
}

void TBasePageJob::AddTab(double position, CellJustify justify, double width, int marginHundredths,
                          CellBorders borders, int shadePercent) {
    TabStop stop;
    stop.position = position < 0 ? -1 : in(position);
    stop.justify = justify;
    stop.width = width > 0 ? in(width) : 0;
    stop.marginHundredths = marginHundredths;
    stop.borders = borders;
    stop.shadePercent = shadePercent;
    tabs_.add(stop);
}

void TBasePageJob::ClearTabs() {
    tabs_.clear();
    tabIndex_ = -1;
    cellPending_ = false;
}

void TBasePageJob::PushTabs() {
    tabs_.push();
}

void TBasePageJob::PopTabs() {
    tabs_.pop();
    tabIndex_ = -1;
    cellPending_ = false;
}

void TBasePageJob::NextCell(std::optional<CellBorders> borders, std::optional<int> shadePercent) {
    checkRunning();
    if (tabs_.empty())
        return;
    tabIndex_ = tabs_.next(tabIndex_);
    cellPending_ = true;
    const TabStop& stop = tabs_.at(tabIndex_);
    const CellSpan span = tabs_.span(tabIndex_, section_.left());
    currentX_ = span.left;
    if (!stop.isCell())
        return;
    const CellBorders edges = borders.value_or(stop.borders);
    const int shade = shadePercent.value_or(stop.shadePercent);
    const double top = currentY_, bottom = currentY_ + in(LineHeight());
    const QRectF box(QPointF(deviceX(span.left), deviceY(top)),
                     QPointF(deviceX(span.right), deviceY(bottom)));
    QPainter& p = painter();
    if (shade > 0)
        p.fillRect(box, shadeColour(shade));
    if (!edges.any())
        return;
    applyPen(p);
    if (edges.left)
        p.drawLine(box.topLeft(), box.bottomLeft());
    if (edges.top)
        p.drawLine(box.topLeft(), box.topRight());
    if (edges.right)
        p.drawLine(box.topRight(), box.bottomRight());
    if (edges.bottom)
        p.drawLine(box.bottomLeft(), box.bottomRight());
}

void TBasePageJob::SetSection(double left, double top, double right, double bottom) {
    section_ = QRectF(QPointF(in(left), in(top)), QPointF(in(right), in(bottom)));
}

void TBasePageJob::ResetSection() {
    const double width = effectiveOrientationWidth(true);
    const double height = effectiveOrientationWidth(false);
    section_ = QRectF(QPointF(margins_[0], margins_[1]),
                      QPointF(width - margins_[2], height - margins_[3]));
}

} // namespace pageout

namespace pageout {

void TBasePageJob::TextLeftAt(const QString& text, double x) {
    checkRunning();
    drawText(in(x), currentY_, text, brush_.style != BrushStyle::Clear);
    currentX_ = in(x) + textWidthInches(text);
}

void TBasePageJob::TextCenteredAt(const QString& text, double x) {
    checkRunning();
    const double width = textWidthInches(text);
    drawText(in(x)-width / 2, currentY_, text, brush_.style != BrushStyle::Clear);
    currentX_ = in(x) + width / 2;
}

void TBasePageJob::TextRightAt(const QString& text, double x) {
    checkRunning();
    drawText(in(x)-textWidthInches(text), currentY_, text, brush_.style != BrushStyle::Clear);
    currentX_ = in(x);
}

} // namespace pageout
