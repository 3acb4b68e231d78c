#include "pageout/test_sheet.h"

#include "pageout/page_job.h"

#include <QImage>
#include <QPainter>

#include <cmath>

namespace pageout {

namespace {

void drawRulers(TBasePageJob& job) {
    job.SelectPen(Qt::black, PenStyle::Solid, -1);
    job.SelectFont(QStringLiteral("DejaVu Sans"), 6);
    job.SelectBrush(Qt::white, BrushStyle::Clear);
    const double width = job.PageWidth(), height = job.PageHeight();
    for (int eighth = 0; eighth <= int(width * 8); ++eighth) {
        const double x = eighth / 8.0;
        const double tick = eighth % 8 == 0 ? 0.25 : eighth % 4 == 0 ? 0.15 : 0.08;
        job.PenMoveTo(x, 0);
        job.PenLineTo(x, tick);
        if (eighth % 8 == 0 && eighth > 0) {
            job.MoveToPosition(0, 0.27);
            job.TextCenteredAt(QString::number(eighth / 8), x);
        }
    }
    for (int eighth = 0; eighth <= int(height * 8); ++eighth) {
        const double y = eighth / 8.0;
        const double tick = eighth % 8 == 0 ? 0.25 : eighth % 4 == 0 ? 0.15 : 0.08;
        job.PenMoveTo(0, y);
        job.PenLineTo(tick, y);
        if (eighth % 8 == 0 && eighth > 0) {
            job.MoveToPosition(0.27, y - 0.05);
            job.PrintText(QString::number(eighth / 8));
        }
    }
}

QImage testBitmap() {
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, ((x / 8 + y / 8) % 2) ? qRgb(x * 4, 80, 255 - y * 4) : 0xffffff);
    return image;
}

} // namespace

void DrawTestSheet(TBasePageJob& job) {
    const double width = job.PageWidth();
    drawRulers(job);

    // The reference square: 1 inch from the top and left edges of the sheet.
    job.SelectPen(Qt::black, PenStyle::Clear, -1);
    job.SelectBrush(Qt::black, BrushStyle::Solid);
    job.DrawRectangle(1, 1, 2, 2);

    // The margins of the job.
    job.SelectPen(Qt::blue, PenStyle::Dot, -1);
    job.SelectBrush(Qt::white, BrushStyle::Clear);
    job.DrawRectangle(job.SectionLeft(), job.SectionTop(), job.SectionRight(), job.SectionBottom());

    job.SelectFont(QStringLiteral("DejaVu Sans"), 11);
    job.MoveToPosition(2.3, 1.05);
    job.PrintLine(QStringLiteral("Corvane test sheet"));
    job.MoveToPosition(2.3, job.CurrentY());
    job.PrintLine(QStringLiteral("The black square is 1 inch wide, 1 inch from the top and left "));
    job.MoveToPosition(2.3, job.CurrentY());
    job.PrintText(QStringLiteral("edges. Rulers along the edges are in inches."));

    // One line of text placed left, centred and right.
    job.SelectFont(QStringLiteral("DejaVu Sans"), 12);
    job.SetFontBold(true);
    job.MoveToPosition(0.75, 2.3);
    job.TextLeftAt(QStringLiteral("Left at 0.75"), 0.75);
    job.TextCenteredAt(QStringLiteral("Centred at middle"), width / 2);
    job.TextRightAt(QStringLiteral("Right at edge - 0.75"), width - 0.75);
    job.SetFontBold(false);

    // Tab cells: left, centred and right, with borders and shade.
    job.SelectPen(Qt::black, PenStyle::Solid, -1);
    job.SelectFont(QStringLiteral("DejaVu Sans"), 10);
    const CellBorders all{true, true, true, true};
    job.AddTab(0.75, CellJustify::Left, 1.75, 5, all, 10);
    job.AddTab(-1, CellJustify::Centre, 1.75, 5, all, 0);
    job.AddTab(-1, CellJustify::Right, 1.75, 5, all, 25);
    job.AddTab(-1, CellJustify::Spread, 1.75, 10, all, 0);
    job.MoveToPosition(0.75, 2.8);
    job.PrintLine(QStringLiteral("\tCell left\tCell centred\tCell right\tSPREAD"));
    job.NextCell(CellBorders{false, false, false, true}, 50);
    job.PrintText(QStringLiteral("Bottom, 50%"));
    job.PrintText(QStringLiteral("\tno border\t\t"));
    job.ClearTabs();

    // Shapes.
    job.SelectPen(Qt::darkGreen, PenStyle::Solid, -2);
    job.SelectBrush(QColor(200, 230, 200), BrushStyle::Solid);
    job.DrawRoundRect(0.75, 3.6, 2.75, 4.6, 0.5, 0.5);
    job.SelectPen(Qt::darkRed, PenStyle::Solid, -2);
    job.SelectBrush(Qt::red, BrushStyle::DiagCross);
    job.DrawEllipse(3.25, 3.6, 5.25, 4.6);
    job.DrawBitmapInRect(5.75, 3.6, 6.75, 4.6, testBitmap());

    // Pen widths -1 to -10 (hundredths of an inch).
    job.SelectFont(QStringLiteral("DejaVu Sans"), 8);
    job.SelectBrush(Qt::white, BrushStyle::Clear);
    for (int w = 1; w <= 10; ++w) {
        const double y = 5.0 + w * 0.22;
        job.SelectPen(Qt::black, PenStyle::Solid, -w);
        job.PenMoveTo(1.5, y);
        job.PenLineTo(4.5, y);
        job.MoveToPosition(0.75, y - 0.06);
        job.PrintText(QString::number(-w));
    }

    // Turned text around one point.
    job.SelectFont(QStringLiteral("DejaVu Sans"), 10);
    const double cx = 6.0, cy = 6.2;
    for (int angle : {0, 90, 180, 270}) {
        job.SetFontAngle(angle);
        job.MoveToPosition(cx, cy);
        job.PrintText(QStringLiteral("  %1 degrees").arg(angle));
    }
    job.SetFontAngle(0);

    // Dotted red outline as the envelope previews draw it.
    job.SelectPen(Qt::red, PenStyle::Dot, -1);
    job.SelectBrush(Qt::white, BrushStyle::Clear);
    job.DrawRectangle(0.75, 7.75, 0.75 + 9.5 * 0.5, 7.75 + 4.125 * 0.5);
    job.MoveToPosition(0.85, 7.85);
    job.PrintText(QStringLiteral("Envelope #10 outline at half size"));
}

} // namespace pageout
