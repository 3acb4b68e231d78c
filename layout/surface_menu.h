#pragma once

class QMenu;

namespace layout {

class TGBasePanel;

// The surface's popup menu (also the handle's), its entries enabled as the selection, the
// objects and the clipboard file allow when it opens. Owned by the surface.
QMenu* BuildSurfaceMenu(TGBasePanel& surface);

} // namespace layout
