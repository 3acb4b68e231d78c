#include "layout/base_label.h"

#include "layout/base_panel.h"
#include "layout/display_resolution.h"
#include "layout/effects_dialog.h"

#include "pageout/page_job.h"
#include "platform/dialogs.h"

#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

#include <algorithm>

namespace layout {

int LineHeightOf(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.height() + std::max(0, metrics.leading());
}

int TextWidthOf(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text);
}

TGBaseLabel::TGBaseLabel(QObject* parent) : TGGraphicControl(parent) {
    SetBounds({0, 0, 142, 33});
}

// --- properties ------------------------------------------------------------------------------

void TGBaseLabel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    MarkStale();
    Repaint();
    if (!Reading())
        NotifyChanged();
}

void TGBaseLabel::effectsChanged() {
    MarkStale();
    Repaint();
}

void TGBaseLabel::SetDepthHighlight(int depth) {
    depthHighlight_ = depth;
    effectsChanged();
}

void TGBaseLabel::SetDepthShadow(int depth) {
    depthShadow_ = depth;
    effectsChanged();
}

void TGBaseLabel::SetDirectionHighlight(THighlightDirection direction) {
    directionHighlight_ = direction;
    effectsChanged();
}

void TGBaseLabel::SetDirectionShadow(TShadowDirection direction) {
    directionShadow_ = direction;
    effectsChanged();
}

void TGBaseLabel::SetColorHighlight(int color) {
    colorHighlight_ = color;
    Repaint();
}

void TGBaseLabel::SetColorShadow(int color) {
    colorShadow_ = color;
    Repaint();
}

void TGBaseLabel::SetAngle(int angle) {
    if (angle != 0 && angle != 90 && angle != 180 && angle != 270)
        return;
    if (angle == angle_)
        return;
    angle_ = angle;
    MarkStale();
    if (angle != 0)
        alignment_ = taLeftJustify;
    const bool upright = angle == 0 || angle == 180;
    if ((upright && Width() < Height()) || (!upright && Height() < Width()))
        SetBounds({Left(), Top(), Height(), Width()});
    Repaint();
}

void TGBaseLabel::SetCaption(const QString& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    MarkStale();
    Repaint();
    if (!Reading())
        NotifyChanged();
}

void TGBaseLabel::setCaptionQuietly(const QString& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    MarkStale();
}

void TGBaseLabel::SetFont(const TLayoutFont& font) {
    font_ = font;
    MarkStale();
    Repaint();
    if (!Reading())
        NotifyChanged();
}

void TGBaseLabel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    if (!Reading())
        NotifyChanged();
    Repaint();
}

void TGBaseLabel::SetBackColor(int color) {
    backColor_ = color;
    if (!Reading())
        NotifyChanged();
    Repaint();
}

void TGBaseLabel::CheckBoundsChanged() {
    MarkStale();
    TGGraphicControl::CheckBoundsChanged();
}

void TGBaseLabel::ApplyFont(const QFont& font) {
    SetFont(TLayoutFont::From(font, font_.color));
}

// --- layout ----------------------------------------------------------------------------------

void TGBaseLabel::LayoutText() {
    if (!stale_)
        return;
    const QFont font = font_.ScreenFont(Zoom());
    TextLayoutInput in;
    in.angle = angle_;
    in.alignment = alignment_;
    in.size = BoundsRect().size();
    in.lineHeight = LineHeightOf(font);
    in.textWidth = TextWidthOf(font, caption_ + QLatin1Char(' '));
    in.shadow = ShadowOffset(directionShadow_, depthShadow_);
    in.highlight = HighlightOffset(directionHighlight_, depthHighlight_);
    layout_ = LayOutText(in);
    if (layout_.size != in.size)
        SetBounds({BoundsRect().topLeft(), layout_.size});
    stale_ = false;
}

void TGBaseLabel::SizeToText() {
    if (angle_ != 0)
        return;
    LayoutText();
    const QFont font = font_.ScreenFont(Zoom());
    const QFontMetrics metrics(font);
    int left = 0, top = 0;
    for (const Edges& rect : layout_.rects) {
        left = std::max(left, rect.left);
        top = std::max(top, rect.top);
    }
    const int width = std::max(Width(), left + metrics.horizontalAdvance(caption_ + "     "));
    const int height = std::max(Height(), top + metrics.height());
    SetBounds({Left(), Top(), width, height});
    MarkStale();
    Repaint();
}

// --- painting and printing -------------------------------------------------------------------

void TGBaseLabel::drawCopy(QPainter& painter, TextCopy copy, const QColor& colour) const {
    const Edges& rect = layout_.rects[copy];
    const QPoint origin = layout_.origins[copy];
    painter.save();
    painter.setClipRect(rect.ToRect(), Qt::IntersectClip);
    painter.translate(origin);
    painter.rotate(-angle_);
    painter.setPen(colour);
    painter.drawText(QPointF(0, QFontMetricsF(painter.font()).ascent()), caption_);
    painter.restore();
}

void TGBaseLabel::Paint(QPainter& painter) {
    PrepareCaption(nullptr);
    LayoutText();
    if (!transparent_)
        painter.fillRect(QRect(0, 0, Width(), Height()), ColorOf(backColor_));
    painter.setFont(font_.ScreenFont(Zoom()));
    painter.setBrush(Qt::NoBrush);
    drawCopy(painter, ShadowText, ColorOf(colorShadow_));
    drawCopy(painter, HighlightText, ColorOf(colorHighlight_));
    drawCopy(painter, MainText, ColorOf(font_.color));
}

void TGBaseLabel::PrintTo(pageout::TBasePageJob& engine, double originX, double originY) {
    PrepareCaption(&engine);
    MarkStale();
    LayoutText();
    const double p = DisplayPixelsPerInch();
    const auto x = [&](int at) { return originX + (Left() + at) / p; };
    const auto y = [&](int at) { return originY + (Top() + at) / p; };
    if (!transparent_) {
        engine.SelectPen(ColorOf(backColor_), pageout::PenStyle::Clear, 0, pageout::PenMode::Copy);
        engine.SelectBrush(ColorOf(backColor_), pageout::BrushStyle::Solid);
        engine.DrawRectangle(x(0), y(0), x(Width() - 1), y(Height() - 1));
    }
    engine.SelectFont(font_.name, font_.size);
    engine.SetFontBold(font_.bold);
    engine.SetFontItalic(font_.italic);
    engine.SetFontAngle(angle_);
    engine.SelectBrush(Qt::white, pageout::BrushStyle::Clear);
    const auto print = [&](TextCopy copy, int color) {
        engine.SetFontColor(ColorOf(color));
        const Edges& r = layout_.rects[copy];
        // The box reaches a little further left and up so that no ascent or overhang of the
        // first letter is cut.
        const QRect box =
            engine.PageRect(x(r.left) - 0.03, y(r.top) - 0.03, x(r.right), y(r.bottom));
        engine.TextInRect(box, x(layout_.origins[copy].x()), y(layout_.origins[copy].y()),
                          caption_);
    };
    if (depthShadow_ > 0 && directionShadow_ != sdNone)
        print(ShadowText, colorShadow_);
    if (depthHighlight_ > 0 && directionHighlight_ != hdNone)
        print(HighlightText, colorHighlight_);
    print(MainText, font_.color);
    engine.SetFontAngle(0);
}

// --- menu ------------------------------------------------------------------------------------

void TGBaseLabel::BuildMenu(QMenu& menu) {
    TGGraphicControl::BuildMenu(menu);
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Font"), &TGBaseLabel::ChooseFont);
    addCommand(menu, QStringLiteral("3D Effects"), &TGBaseLabel::Edit3DEffects);
    QMenu* alignment = menu.addMenu(QStringLiteral("Alignment"));
    const std::pair<const char*, TAlignment> entries[] = {
        {"Left", taLeftJustify}, {"Center", taCenter}, {"Right", taRightJustify}};
    for (const auto& [text, value] : entries) {
        QAction* item = alignment->addAction(QString::fromLatin1(text));
        item->setCheckable(true);
        connect(
            item, &QAction::triggered, this, [this, value = value] { SetAlignment(value); },
            Qt::QueuedConnection);
        alignmentItems_[value] = item;
    }
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Background Color"), &TGBaseLabel::ChooseBackColor);
    transparentItem_ =
        addCommand(menu, QStringLiteral("Transparent"), &TGBaseLabel::ToggleTransparent);
    transparentItem_->setCheckable(true);
}

void TGBaseLabel::AddRotationEntries(QMenu& menu) {
    menu.addSeparator();
    QMenu* rotation = menu.addMenu(QStringLiteral("Rotation"));
    const std::pair<const char*, int> entries[] = {
        {"No Rotation", 0}, {"90 Degrees", 90}, {"180 Degrees", 180}, {"270 Degrees", 270}};
    for (const auto& [text, angle] : entries)
        connect(
            rotation->addAction(QString::fromLatin1(text)), &QAction::triggered, this,
            [this, angle = angle] { SetAngle(angle); }, Qt::QueuedConnection);
}

void TGBaseLabel::UpdateMenuChecks() {
    for (int i = 0; i < 3; ++i)
        if (alignmentItems_[i])
            alignmentItems_[i]->setChecked(i == alignment_);
    if (transparentItem_)
        transparentItem_->setChecked(transparent_);
}

void TGBaseLabel::ChooseFont() {
    if (const auto font = platform::CurrentDialogs().font(font_.ToQFont()))
        SetFont(TLayoutFont::From(*font, font_.color));
}

void TGBaseLabel::Edit3DEffects() {
    TGFont3DEffects dialog(*this);
    if (!RunDialog(dialog))
        return;
    dialog.ApplyTo(*this);
    NotifyChanged();
}

void TGBaseLabel::ChooseBackColor() {
    if (const auto colour = platform::CurrentDialogs().colour(ColorOf(backColor_))) {
        SetBackColor(StoredColor(*colour));
        SetTransparent(false);
        if (transparentItem_)
            transparentItem_->setChecked(false);
        Repaint();
    }
}

void TGBaseLabel::ToggleTransparent() {
    SetTransparent(!transparent_);
    if (transparentItem_)
        transparentItem_->setChecked(transparent_);
}

} // namespace layout
