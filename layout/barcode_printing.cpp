#include "layout/barcode_printing.h"

#include "layout/fim_code.h"
#include "layout/postnet_code.h"

#include "pageout/page_job.h"

namespace layout {

void PrintPostNetBars(pageout::TBasePageJob& engine, double x0, double y0, std::string_view code) {
    engine.SelectBrush(Qt::black, pageout::BrushStyle::Solid);
    engine.SelectPen(Qt::black, pageout::PenStyle::Solid, 1);
    const std::vector<bool> bars = PostNetBars(code);
    const double bottom = y0 + kPostNetFullHeight;
    for (size_t i = 0; i < bars.size(); ++i) {
        const double left = x0 + kPostNetPitch * double(i);
        const double top = bars[i] ? y0 : bottom - kPostNetHalfHeight;
        engine.DrawRectangle(left, top, left + kPostNetBarWidth, bottom);
    }
}

void PrintFimBars(pageout::TBasePageJob& engine, double x0, double y0, TFIMBarCodeType type) {
    engine.SelectBrush(Qt::black, pageout::BrushStyle::Solid);
    // The slots are filled without an outline: a pen around them would widen every bar beyond
    // its 1/32 inch by the pen's width.
    engine.SelectPen(Qt::black, pageout::PenStyle::Clear, 0);
    for (const int slot : FimBarSlots(type))
        engine.DrawRectangle(x0 + (slot - 1) * kFimSlotWidth, y0, x0 + slot * kFimSlotWidth,
                             y0 + kFimHeight);
}

} // namespace layout
