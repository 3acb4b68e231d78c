#pragma once

// The fields of a surface's record source as the layout objects know them: by their
// descriptions, the labels the address view gives them.
#include "data/table_object.h"

#include <QStringList>

namespace layout {

class TGGraphicControl;
class TGDataPanel;

// A field's description: its label, else its name.
QString FieldDescription(const data::FieldInfo& field);
// The last field whose description is `description`; null when none is, or it is empty.
const data::FieldInfo* FieldByDescription(const data::TTable& table, const QString& description);
// The descriptions of the fields of one kind (the visible ones only unless told), in field
// order.
QStringList FieldDescriptions(const data::TTable& table, data::FieldKind kind,
                              bool visibleOnly = true);

// The data surface an object lies on and its open record source; null when there is none.
TGDataPanel* DataSurfaceOf(const TGGraphicControl& object);
data::TTable* OpenRecordSource(const TGGraphicControl& object);
// Whether data objects are to show record values: the surface shows them, or prints.
bool ShowsRecordValues(const TGGraphicControl& object);
bool SurfacePrinting(const TGGraphicControl& object);

} // namespace layout
