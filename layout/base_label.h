#pragma once

#include "layout/graphic_control.h"
#include "layout/layout_enums.h"
#include "layout/layout_font.h"
#include "layout/text_layout.h"

namespace layout {

// A single line of text in any font, at 0, 90, 180 or 270 degrees, left, centred or right
// aligned, on a background colour or transparent, with a shadow and a highlight copy of the
// text offset in a chosen direction. The text is laid out again (LayoutText) before it is
// painted or printed whenever its caption, font, effects or bounds changed; the layout also
// keeps the object no taller than 1.2 lines, and a turned one no larger than 1.2 times its text.
class TGBaseLabel : public TGGraphicControl {
    Q_OBJECT
    Q_PROPERTY(layout::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(int DepthHighlight READ DepthHighlight WRITE SetDepthHighlight)
    Q_PROPERTY(int DepthShadow READ DepthShadow WRITE SetDepthShadow)
    Q_PROPERTY(layout::THighlightDirection DirectionHighlight READ DirectionHighlight WRITE
                   SetDirectionHighlight)
    Q_PROPERTY(
        layout::TShadowDirection DirectionShadow READ DirectionShadow WRITE SetDirectionShadow)
    Q_PROPERTY(int colorHighlight READ colorHighlight WRITE SetColorHighlight)
    Q_PROPERTY(int colorShadow READ colorShadow WRITE SetColorShadow)
    Q_PROPERTY(int Angle READ Angle WRITE SetAngle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(layout::TLayoutFont Font READ Font WRITE SetFont)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int BackColor READ BackColor WRITE SetBackColor)

public:
    static constexpr int Aqua = 16776960;
    static constexpr int Grey = 8421504;
    static constexpr int White = 16777215;

    explicit TGBaseLabel(QObject* parent = nullptr);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    int DepthHighlight() const { return depthHighlight_; }
    void SetDepthHighlight(int depth);
    int DepthShadow() const { return depthShadow_; }
    void SetDepthShadow(int depth);
    THighlightDirection DirectionHighlight() const { return directionHighlight_; }
    void SetDirectionHighlight(THighlightDirection direction);
    TShadowDirection DirectionShadow() const { return directionShadow_; }
    void SetDirectionShadow(TShadowDirection direction);
    int colorHighlight() const { return colorHighlight_; }
    void SetColorHighlight(int color);
    int colorShadow() const { return colorShadow_; }
    void SetColorShadow(int color);
    int Angle() const { return angle_; }
    // 0, 90, 180 or 270; other values are ignored. A turned object is left aligned, and its
    // width and height are swapped when they lie the wrong way for the angle.
    void SetAngle(int angle);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    const TLayoutFont& Font() const { return font_; }
    void SetFont(const TLayoutFont& font);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    int BackColor() const { return backColor_; }
    void SetBackColor(int color);

    // Lays the text out when it is stale (see LayOutText); may shrink the object.
    void LayoutText();
    bool Stale() const { return stale_; }
    const TextLayout& CurrentLayout() const { return layout_; }
    // Widens and heightens the object to its text (never shrinks); only at angle 0.
    void SizeToText();
    // The font dialog; on OK the font is taken and the text laid out again.
    virtual void ChooseFont();
    // The 3D effects dialog; on OK the surface is notified.
    void Edit3DEffects();
    void ChooseBackColor();
    void ToggleTransparent();

    void CheckBoundsChanged() override;
    void ApplyFont(const QFont& font) override;
    void Paint(QPainter& painter) override;
    void PrintTo(pageout::TBasePageJob& engine, double originX, double originY) override;
    void SizeToContent() override { SizeToText(); }
    void UpdateMenuChecks() override;

protected:
    void BuildMenu(QMenu& menu) override;
    // The "Rotation" sub-menu of the classes that turn their text.
    void AddRotationEntries(QMenu& menu);
    void MarkStale() { stale_ = true; }
    // Sets the caption as painting and printing do, without telling the surface.
    void setCaptionQuietly(const QString& caption);
    // Lets a class set its caption from its state before it is painted or printed (a counter's
    // number, the date, the page number).
    virtual void PrepareCaption(const pageout::TBasePageJob* engine) { Q_UNUSED(engine); }
    // Draws one copy of the caption, clipped to its rectangle.
    void drawCopy(QPainter& painter, TextCopy copy, const QColor& colour) const;

private:
    void effectsChanged();

    TAlignment alignment_ = taLeftJustify;
    int depthHighlight_ = 0;
    int depthShadow_ = 0;
    THighlightDirection directionHighlight_ = hdUpLeft;
    TShadowDirection directionShadow_ = sdDownRight;
    int colorHighlight_ = Aqua;
    int colorShadow_ = Grey;
    int angle_ = 0;
    QString caption_ = QStringLiteral("Text");
    TLayoutFont font_;
    bool transparent_ = true;
    int backColor_ = White;

    bool stale_ = true;
    TextLayout layout_;
    QAction* alignmentItems_[3] = {};
    QAction* transparentItem_ = nullptr;
};

// The line height (height with leading) and the width of a text in a font, as the layout uses
// them.
int LineHeightOf(const QFont& font);
int TextWidthOf(const QFont& font, const QString& text);

} // namespace layout
