#include "layout/label_panel.h"

#include "layout/barcode_objects.h"
#include "layout/cursors.h"
#include "layout/graphic_control.h"
#include "layout/image_object.h"
#include "layout/multiline_labels.h"
#include "layout/shape_objects.h"
#include "layout/text_labels.h"

#include <QHash>

namespace layout {

TGGraphicControl* PlaceToolObject(TGBasePanel& surface, const PlacingTool& tool,
                                  const Edges& rect) {
    TGGraphicControl* object = surface.CreateKnownObject(tool.className);
    if (!object)
        return nullptr;
    for (const auto& [name, value] : tool.settings)
        object->setProperty(name, value);
    object->Loaded();
    if (tool.surfaceFont)
        object->ApplyFont(surface.font());
    surface.AddObject(object, PlacingRect(rect));
    if (tool.after & PlacingTool::InitialEdit)
        object->InitialEdit();
    if (tool.after & PlacingTool::RefreshAll)
        for (TGGraphicControl* each : surface.Objects())
            each->RefreshData();
    if (tool.after & PlacingTool::SizeToContent)
        object->SizeToContent();
    return object;
}

TGLabelPanel::TGLabelPanel(QWidget* parent) : TGDataPanel(parent) {
    MakeClassKnown(QStringLiteral("TGPLabel"), [] { return new TGPLabel; });
    MakeClassKnown(QStringLiteral("TGPDLabel"), [] { return new TGPDLabel; });
    MakeClassKnown(QStringLiteral("TGCounterLabel"), [] { return new TGCounterLabel; });
    MakeClassKnown(QStringLiteral("TGSymbolLabel"), [] { return new TGSymbolLabel; });
    MakeClassKnown(QStringLiteral("TGMultiLineLabel"), [] { return new TGMultiLineLabel; });
    MakeClassKnown(QStringLiteral("TGDMultiLineLabel"), [] { return new TGDMultiLineLabel; });
    MakeClassKnown(QStringLiteral("TGDMultiLineAddressLabel"),
                   [] { return new TGDMultiLineAddressLabel; });
    MakeClassKnown(QStringLiteral("TGPostNetBarCode"), [] { return new TGPostNetBarCode; });
    MakeClassKnown(QStringLiteral("TGLineShape"), [] { return new TGLineShape; });
    MakeClassKnown(QStringLiteral("TGLabelShapes"), [] { return new TGLabelShapes; });
    MakeClassKnown(QStringLiteral("TGImage"), [] { return new TGImage; });
}

void TGLabelPanel::SetPanelState(TLPanelState state) {
    state_ = state;
    SetPointing(state == TLPanelState::psPointing);
}

TGGraphicControl* TGLabelPanel::CreateObjectAt(const Edges& rect) {
    const PlacingTool* tool = ToolFor(state_);
    return tool ? PlaceToolObject(*this, *tool, rect) : nullptr;
}

const PlacingTool* TGLabelPanel::ToolFor(TLPanelState state) {
    using S = TLPanelState;
    constexpr int edit = PlacingTool::InitialEdit, refresh = PlacingTool::RefreshAll,
                  size = PlacingTool::SizeToContent;
    static const QHash<S, PlacingTool> tools{
        {S::psLabel, {"TGPLabel", {{"Caption", "<text>"}}, true, edit | size}},
        {S::psCounterLabel,
         {"TGCounterLabel",
          {{"Startingnumber", 1000}, {"TextBefore", QString()}, {"TextAfter", QString()}},
          true,
          size}},
        {S::psSymbolLabel, {"TGSymbolLabel", {}, false, edit}},
        {S::psDataLabel,
         {"TGPDLabel", {{"DataFieldName", "<field>"}}, true, edit | refresh | size}},
        {S::psMultiLineLabel, {"TGMultiLineLabel", {}, true, edit | size}},
        {S::psMultiLineDataLabel,
         {"TGDMultiLineLabel",
          {{"DataFieldName", "Memo"}, {"DataFieldDescript", "MEMO"}},
          true,
          refresh}},
        {S::psAddressLabel, {"TGDMultiLineAddressLabel", {}, true, refresh | size}},
        {S::psRectangle, {"TGLabelShapes", {{"Shape", "stRectangle"}}, false, 0}},
        {S::psEllipse, {"TGLabelShapes", {{"Shape", "stEllipse"}}, false, 0}},
        {S::psRoundRectangle, {"TGLabelShapes", {{"Shape", "stRoundRect"}}, false, 0}},
        {S::psLine, {"TGLineShape", {{"LineStyle", "stVertical"}}, false, 0}},
        {S::psImage, {"TGImage", {}, false, 0}},
        {S::psPostNetBarCode,
         {"TGPostNetBarCode",
          {{"ZipCodeField", "ZIP"}, {"AddressField", "STREET"}},
          false,
          refresh}},
    };
    const auto tool = tools.constFind(state);
    return tool == tools.constEnd() ? nullptr : &*tool;
}

} // namespace layout
