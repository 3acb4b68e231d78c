#pragma once

#include "layout/handle_geometry.h"
#include "layout/surface_background.h"
#include "layout/surface_canvas.h"
#include "layout/surface_geometry.h"

#include <QHash>
#include <QList>
#include <QWidget>

#include <functional>
#include <optional>

class QMenu;

namespace pageout {
class TBasePageJob;
}

namespace layout {

class TGGraphicControl;
class TGHandle;

enum class TGridSize { gs4x4, gs8x8 };
enum class ClipboardAction { Copy, Cut, Delete, Paste };

// Makes a new object of one layout class.
using ObjectFactory = std::function<TGGraphicControl*()>;

// The design surface: the white area, the size of a label, an envelope or a report band, on
// which layout objects are placed and arranged. It owns the objects (its children, painted in
// z-order through one off-screen image), the selection handle, the editing commands, the
// placing of new objects and their printing through the page output engine.
//
// Sizes are surface pixels at the current zoom; at zoom 1.0 a pixel is 1/P inch, P being the
// display's logical pixels per inch (DisplayPixelsPerInch).
class TGBasePanel : public QWidget {
    Q_OBJECT
public:
    explicit TGBasePanel(QWidget* parent = nullptr);
    // Frees the objects, and deletes the clipboard and scratch files (errors ignored).
    ~TGBasePanel() override;

    TGHandle& Handle() const { return *handle_; }
    // The surface's menu, also the handle's.
    QMenu& PopupMenu() const { return *menu_; }

    // --- properties ------------------------------------------------------------------------
    // True: clicks select and drag; false: a drag on the surface places a new object.
    bool Pointing() const { return pointing_; }
    void SetPointing(bool pointing);
    bool DrawOutline() const { return look_.drawOutline; }
    void SetDrawOutline(bool draw);
    const Graphic& Picture() const { return look_.picture; }
    void SetPicture(const Graphic& picture);
    const Graphic& ColorPicture() const { return look_.colorPicture; }
    void SetColorPicture(const Graphic& picture);
    // Set by whoever prints through the surface: data objects show raw values, no repaints.
    bool Printing() const { return printing_; }
    void SetPrinting(bool printing) { printing_ = printing; }
    TLabelShapeType Shape() const { return look_.shape; }
    void SetShape(TLabelShapeType shape);
    TGridSize GridSize() const { return gridSize_; }
    void SetGridSize(TGridSize size);
    bool ShowGrid() const { return look_.showGrid; }
    void SetShowGrid(bool show);
    bool SnapToGrid() const { return snapToGrid_; }
    void SetSnapToGrid(bool snap);
    float Zoom() const { return zoom_; }
    // Scales the surface and every object by z / Zoom, each to the nearest integer (halves to
    // even). Nothing for the current zoom or a zoom that is not positive.
    void SetZoom(float zoom);

    // Fired after a new object was placed in the rectangle.
    std::function<void(const QRect&)> DroppedObjectEvent;
    // Fired after every change of the layout.
    std::function<void(TGBasePanel&)> LabelChangedEvent;
    void NotifyLabelChanged();

    // "Clipbrd.tmp" and "TempFile.tmp" in the program's folder.
    QString ClipboardFile() const;
    QString ScratchFile() const;

    // --- objects -------------------------------------------------------------------------------
    // The objects in z-order, bottom first (the handle is not among them).
    const QList<TGGraphicControl*>& Objects() const { return objects_; }
    // The topmost visible object under a point, or null.
    TGGraphicControl* ObjectAt(QPoint point) const;
    // Whose components' names new objects must not repeat: the given owner, else the window.
    QObject* Owner() const;
    void SetOwner(QObject* owner) { owner_ = owner; }
    // "base" followed by the first number from `first` to 1000 that no object of the owner's
    // tree is named; empty when all are taken.
    QString UniqueName(const QString& base, int first = 1) const;

    // The classes a layout read into this surface may hold.
    void MakeClassKnown(const QString& className, ObjectFactory make);
    bool KnowsClass(const QString& className) const { return classes_.contains(className); }
    // A new object of a known class (not yet on the surface), or null.
    TGGraphicControl* CreateKnownObject(const QString& className) const;

    // Takes an object onto the surface (as the surface's child, on top of the z-order): used by
    // AddObject and by the layout reader.
    void Adopt(TGGraphicControl* object);
    // Places a new object: named "Special" + number, in the rectangle (at least 10 by 15),
    // hooked, at the surface's zoom; notifies.
    void AddObject(TGGraphicControl* object, const Edges& rect);
    // Places an object of the current tool in the rectangle; returns it, or null when the
    // surface places nothing.
    virtual TGGraphicControl* CreateObjectAt(const Edges& rect);
    // Deselects all and frees every object, the last first.
    void ClearObjects();
    // Attaches the surface's mouse handling and zoom to every object.
    void HookObjectEvents();

    // --- storing -------------------------------------------------------------------------------
    // Writes the layout at zoom 1.0 (returning to the current zoom afterwards) with no record
    // data in it. A failure to write throws LayoutError after the zoom is restored.
    void SaveToFile(const QString& path);
    // Reads a layout into the surface (the caller empties it first); nothing when the file is
    // missing. Objects read before a damaged part stay, hooked, and the error is thrown.
    void LoadFromFile(const QString& path);

    // --- printing ------------------------------------------------------------------------------
    virtual void RefreshDataValues() {}
    // Every object prints itself, in z-order, with the item's top-left corner at (x, y) inches.
    void PrintObjects(pageout::TBasePageJob& engine, double originX, double originY);
    void AfterItemPrinted();
    void ResetCounter();
    // Keeps objects reachable after the surface shrank; drops those lying outside before a
    // save. Both empty the selection first.
    virtual void ClampObjects();
    virtual void RemoveOutsideObjects();

    // --- commands of the menus ---------------------------------------------------------------
    void ClipboardCommand(ClipboardAction action);
    // An object's own "Cut", "Copy" or "Delete": the whole selection when it is selected.
    void ObjectClipboardCommand(TGGraphicControl& object, ClipboardAction action);
    // Duplicates an object 25 pixels lower, named "Component" + number; returns the copy.
    TGGraphicControl* CloneObject(TGGraphicControl& object);
    void RaiseObject(TGGraphicControl& object);
    void LowerObject(TGGraphicControl& object);
    void BringSelectionToFront();
    void SendSelectionToBack();
    void AlignSelection(Alignment alignment);
    void CenterSelectionVertically();
    void CenterSelectionHorizontally();
    void LockAll(bool locked);
    void MarkAllUnselectable(bool unselectable);
    void SelectAll();
    void ChooseFont();

    // --- for the objects and the handle ----------------------------------------------------
    // Paints the area again from the objects.
    void InvalidateArea(const QRect& area);
    // The objects' bounds changed: fits the handle again once the current event is handled.
    void PostRefit();
    // An object is being freed: it leaves the list and the selection.
    void ForgetObject(TGGraphicControl* object);
    // The outline of a handle drag or nudge, drawn inverted over the surface; none takes it
    // away.
    void SetDragOutline(const std::optional<Edges>& outline);
    std::optional<Edges> DragOutline() const { return dragOutline_; }
    // A press or release at a point of the surface, as the window system would hand it to the
    // surface: to the object there, else to the empty surface.
    void PressAt(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                 QPoint globalPoint);
    void ReleaseAt(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // The surface's keys: Ctrl+C, Ctrl+V, Ctrl+X and Delete.
    void HandleKey(QKeyEvent* event);
    // The handle's double-click: the menu of the selected object under the point.
    void HandleDoubleClicked(QPoint point, QPoint globalPoint);
    // Lets posted refits and repaints run, as the creation and paste paths need; input waits.
    static void ProcessPendingMessages();
    // The surface as last painted, without outlines or the handle's squares.
    const QImage& CanvasImage() const { return canvas_.Image(); }

protected:
    // A press on an object that has the surface's handlers.
    virtual void ObjectMouseDown(TGGraphicControl& object, Qt::MouseButton button,
                                 Qt::KeyboardModifiers modifiers, QPoint point, QPoint globalPoint);
    // A press on the empty surface (or handed on to it): starts the rubber band.
    void SurfaceMouseDown(Qt::MouseButton button, QPoint point, QPoint globalPoint);
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void lookChanged();
    void restingCursor();
    void paste();
    void deleteSelection();
    // False when the clipboard file could not be written (the failure was shown).
    bool copySelection();
    QList<TGGraphicControl*> readInto(const QString& path, QPoint offset);

    TGHandle* handle_ = nullptr;
    QMenu* menu_ = nullptr;
    QList<TGGraphicControl*> objects_;
    QHash<QString, ObjectFactory> classes_;
    QObject* owner_ = nullptr;
    SurfaceLook look_;
    SurfaceCanvas canvas_;
    bool pointing_ = true;
    bool printing_ = false;
    TGridSize gridSize_ = TGridSize::gs4x4;
    bool snapToGrid_ = false;
    float zoom_ = 1.0f;
    bool refitPosted_ = false;
    std::optional<Edges> dragOutline_;
    // The rubber band on the empty surface while the left button draws it.
    Edges band_;
    bool drawing_ = false;
    qint64 lastPasteTime_ = 0;
};

} // namespace layout
