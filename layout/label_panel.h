#pragma once

#include "layout/data_panel.h"

#include <QFlags>
#include <QList>
#include <QVariant>

namespace layout {

// The current tool of a label surface.
enum class TLPanelState {
    psPointing,
    psLabel,
    psCounterLabel,
    psSymbolLabel,
    psDataLabel,
    psMultiLineLabel,
    psMultiLineDataLabel,
    psAddressLabel,
    psRectangle,
    psEllipse,
    psRoundRectangle,
    psLine,
    psImage,
    psPostNetBarCode,
};

// How a placing tool makes its object: the class, its first settings (stored properties by
// name), whether it takes the surface's font, and what follows AddObject, in this order: the
// class's placing dialog, a data refresh of every object, a fit to the content.
struct PlacingTool {
    enum Step { InitialEdit = 1, RefreshAll = 2, SizeToContent = 4 };
    QString className;
    QList<std::pair<const char*, QVariant>> settings;
    bool surfaceFont = false;
    int after = 0;
};

// Makes the object of a placing tool in a rectangle on a surface: the rectangle is widened to
// 50 pixels when narrower than 25 and heightened to 15 when lower than 15. Null when the tool's
// class is not known to the surface.
TGGraphicControl* PlaceToolObject(TGBasePanel& surface, const PlacingTool& tool, const Edges& rect);

// The label surface with its tool set. The object classes a label layout may hold (lines,
// barcodes, pictures, shapes, the text, data, counter and symbol labels and the multi-line,
// memo and address blocks) make themselves known to it with MakeClassKnown as they come.
class TGLabelPanel : public TGDataPanel {
    Q_OBJECT
public:
    // Knows the text, data, counter and symbol labels, the multi-line, memo and address blocks
    // and the POSTNET barcode as they come.
    explicit TGLabelPanel(QWidget* parent = nullptr);

    TLPanelState PanelState() const { return state_; }
    // Pointing for psPointing; any other tool places its object.
    void SetPanelState(TLPanelState state);

    TGGraphicControl* CreateObjectAt(const Edges& rect) override;

    // The object each tool makes.
    static const PlacingTool* ToolFor(TLPanelState state);

private:
    TLPanelState state_ = TLPanelState::psPointing;
};

} // namespace layout
