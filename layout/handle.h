#pragma once

#include "layout/handle_geometry.h"

#include <QColor>
#include <QList>
#include <QWidget>

#include <functional>

namespace layout {

class TGBasePanel;
class TGGraphicControl;

// The selection handle of a design surface: a transparent child of the surface laid over the
// selected objects. It paints their grab squares, and dragging it moves or resizes them; the
// drag shows as an outline on the surface, and the objects move only when the mouse is
// released. Hidden and disabled while nothing is selected.
class TGHandle : public QWidget {
    Q_OBJECT
public:
    explicit TGHandle(TGBasePanel& surface);
    ~TGHandle() override;

    // Appends an object to the selection and fits the handle around it; takes the mouse (while
    // a button is held, so that a press on an object goes on as a drag of the handle) and the
    // keyboard focus. Unselectable objects are ignored.
    void SelectObject(TGGraphicControl* object);
    void DeselectObject(TGGraphicControl* object);
    void DeselectAll();
    int SelectedCount() const { return static_cast<int>(selection_.size()); }
    // The i-th selected object, or null for a bad index.
    TGGraphicControl* SelectedObject(int i) const;
    // In the order the objects were selected.
    const QList<TGGraphicControl*>& Selection() const { return selection_; }
    bool IsSelected(const TGGraphicControl* object) const;
    // Lays the handle around the selection again without moving anything.
    void FitToSelection();
    // Gives the handle new bounds and every unlocked selected object the same change.
    void SetHandleBounds(const QRect& bounds);

    QColor Color = Qt::black;                      // the squares of a single object
    QColor SecondaryColor = QColor(128, 128, 128); // the corner squares of several objects

    // While set, drags and the front and back commands are refused; an empty selection
    // clears it.
    bool Locked() const { return locked_; }
    void SetLocked(bool locked) { locked_ = locked; }

    // The snapping step, 1..32 (1 when snapping is off). Writing a step other than the one
    // kept for switching snapping on keeps it as that step too.
    int GridX() const { return gridX_; }
    int GridY() const { return gridY_; }
    void SetGridX(int step);
    void SetGridY(int step);
    bool SnapToGrid() const { return gridX_ > 1 || gridY_ > 1; }
    // On: the kept steps become the current ones; off: both steps become 1.
    void SetSnapToGrid(bool snap);

    // A double-click on the handle; the surface opens the menu of the object under it.
    std::function<void(QPoint surfacePoint, QPoint globalPoint)> OnDblClick;

    // A double-click on an object: the move that follows starts no drag.
    void MarkDoubleClicked() { doubleClicked_ = true; }

    bool Dragging() const { return dragging_; }
    DragMode Mode() const { return mode_; }
    bool Nudging() const { return nudging_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Bounds of the handle without moving any object; shows and enables it.
    void place(const QRect& bounds);
    // The handle around the selection as selecting it object by object lays it.
    void placeAroundSelection();
    void popupMenuAt(QPoint point, QPoint globalPoint);
    // Hands a press or release the handle does not use to the surface under it.
    void forward(QMouseEvent* event);
    void toggleOffAt(QPoint point);
    void releaseGrab();

    TGBasePanel& surface_;
    QList<TGGraphicControl*> selection_;
    bool locked_ = false;
    int gridX_ = 1;
    int gridY_ = 1;
    int savedGridX_ = 8;
    int savedGridY_ = 8;

    QPoint dragStart_;
    qint64 mouseDownTime_ = 0;
    bool dragging_ = false;
    DragMode mode_ = DragMode::Move;
    bool doubleClicked_ = false;
    bool nudging_ = false;
    Edges nudgeOutline_;
};

} // namespace layout
