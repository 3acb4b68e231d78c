#include "layout/record_fields.h"

#include "layout/data_panel.h"
#include "layout/graphic_control.h"

namespace layout {

QString FieldDescription(const data::FieldInfo& field) {
    return field.label.isEmpty() ? field.name : field.label;
}

const data::FieldInfo* FieldByDescription(const data::TTable& table, const QString& description) {
    if (description.isEmpty())
        return nullptr;
    const data::FieldInfo* found = nullptr;
    for (const data::FieldInfo& field : table.fields())
        if (FieldDescription(field) == description)
            found = &field;
    return found;
}

QStringList FieldDescriptions(const data::TTable& table, data::FieldKind kind, bool visibleOnly) {
    QStringList descriptions;
    for (const data::FieldInfo& field : table.fields())
        if (field.kind == kind && (field.visible || !visibleOnly))
            descriptions << FieldDescription(field);
    return descriptions;
}

TGDataPanel* DataSurfaceOf(const TGGraphicControl& object) {
    return qobject_cast<TGDataPanel*>(object.parent());
}

data::TTable* OpenRecordSource(const TGGraphicControl& object) {
    const TGDataPanel* surface = DataSurfaceOf(object);
    data::TTable* table = surface ? surface->RecordSource() : nullptr;
    return table && table->active() ? table : nullptr;
}

bool SurfacePrinting(const TGGraphicControl& object) {
    const TGBasePanel* surface = object.Surface();
    return surface && surface->Printing();
}

bool ShowsRecordValues(const TGGraphicControl& object) {
    const TGDataPanel* surface = DataSurfaceOf(object);
    return surface && (surface->DisplayDataValues() || surface->Printing());
}

} // namespace layout
