#include "layout/data_panel.h"

#include "layout/graphic_control.h"

namespace layout {

void TGDataPanel::RefreshDataValues() {
    if (!recordSource_ || !recordSource_->active())
        return;
    for (TGGraphicControl* object : Objects())
        object->RefreshData();
    ProcessPendingMessages();
}

} // namespace layout
