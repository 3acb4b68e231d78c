#pragma once

#include <QAction>
#include <QObject>
#include <QRect>
#include <QString>

#include <memory>

class QFont;
class QMenu;
class QPainter;

namespace pageout {
class TBasePageJob;
}

namespace layout {

class TGBasePanel;

// The base of every layout object. Objects are windowless: plain objects that their design
// surface (their parent) paints in z-order and hands the mouse to; they hold their bounds in
// surface pixels at the zoom `Zoom` says. The same object paints itself on screen and prints
// itself through the page output engine at a position in inches.
//
// The stored (published) properties are the Qt properties in declaration order: the object's
// name (the QObject name), then Tag, Left, Top, Width, Height, Cursor and Hint; subclasses add
// theirs after these. Locked, unselectable and the zoom are not stored.
class TGGraphicControl : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(int Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

public:
    explicit TGGraphicControl(QObject* parent = nullptr);
    // Leaves its surface's selection and object list first.
    ~TGGraphicControl() override;

    // The class name a layout stores, without the namespace ("TGPLabel").
    QString ClassName() const;
    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    int Left() const { return bounds_.x(); }
    int Top() const { return bounds_.y(); }
    int Width() const { return bounds_.width(); }
    int Height() const { return bounds_.height(); }
    void SetLeft(int left) { SetBounds({left, Top(), Width(), Height()}); }
    void SetTop(int top) { SetBounds({Left(), top, Width(), Height()}); }
    void SetWidth(int width) { SetBounds({Left(), Top(), width, Height()}); }
    void SetHeight(int height) { SetBounds({Left(), Top(), Width(), height}); }
    QRect BoundsRect() const { return bounds_; }
    // Changes the bounds; outside reading, a change runs CheckBoundsChanged.
    void SetBounds(const QRect& bounds);
    // The stored cursor number (0 the default cursor).
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor) { cursor_ = cursor; }
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint) { hint_ = hint; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // Zoom the bounds correspond to (1.0 at construction). SetZoom scales the bounds from the
    // current zoom to z, each to the nearest integer (halves to even); nothing when z is the
    // current zoom. SetZoomFactor only records a zoom the bounds already have.
    float Zoom() const { return zoom_; }
    virtual void SetZoom(float zoom);
    void SetZoomFactor(float zoom) { zoom_ = zoom; }

    // A locked object keeps its place and size when the selection is dragged or resized.
    bool Locked() const { return locked_; }
    void SetLocked(bool locked) { locked_ = locked; }
    // An unselectable object cannot be selected by clicking or by "Select All". Setting it
    // takes the object out of the selection.
    bool Unselectable() const { return unselectable_; }
    void SetUnselectable(bool unselectable);

    // Set while the object is read from a layout: bounds changes raise no notifications, and
    // the bounds it ends with are those the next change is told against.
    bool Reading() const { return reading_; }
    void SetReading(bool reading);
    // Whether the surface's mouse handlers are attached; the surface hands the mouse only to
    // objects that have them.
    bool MouseHooked() const { return mouseHooked_; }
    void SetMouseHooked(bool hooked) { mouseHooked_ = hooked; }

    // The design surface the object lies on; null when its parent is none.
    TGBasePanel* Surface() const;

    // The after-load notification: builds the popup menu. Runs after the object was read from
    // a layout, and is called by whoever makes a new object.
    void Loaded();
    // Null until Loaded ran.
    QMenu* PopupMenu() const { return menu_.get(); }
    QAction* LockedMenuItem() const { return lockedItem_; }

    // Asks the surface to paint the object's area again.
    void Repaint();
    // Paints the object on screen: the painter's origin is the object's top-left corner, in
    // surface pixels at the current zoom, clipped to the object.
    virtual void Paint(QPainter& painter);

    // --- operations the surfaces and screens call; the base does nothing but the first -----
    // Compares the bounds with those of the last notification; on a change tells the surface
    // that the layout changed and asks it to fit the handle again. The first call only
    // remembers the bounds. Only on a design surface.
    virtual void CheckBoundsChanged();
    // Sets the ticks of the popup menu's entries; runs when the menu opens.
    virtual void UpdateMenuChecks() {}
    virtual void ApplyFont(const QFont& font);
    // Data-bound objects read their values from the surface's record again.
    virtual void RefreshData() {}
    // Data-bound objects drop what they took from the record, so that it is not stored.
    virtual void PrepareForSave() {}
    virtual void AfterItemPrinted() {}
    virtual void ResetCounter() {}
    // Draws the object through the page output engine; the origin is the top-left corner of
    // the item (label, envelope, band) on the page in inches.
    virtual void PrintTo(pageout::TBasePageJob& engine, double originX, double originY);
    // The dialog that follows placing a new object of the class (its text, field or symbol).
    virtual void InitialEdit() {}
    // Fits the object to what it shows (its text or its lines) after placing.
    virtual void SizeToContent() {}

    // --- the popup menu's own commands ----------------------------------------------------
    void BringToFront();
    void SendToBack();
    void Cut();
    void Copy();
    void Delete();
    void Clone();
    void ToggleLocked();
    void MakeUnselectable();
    void CenterVertically();
    void CenterHorizontally();

protected:
    // Adds the object's entries to its popup menu; subclasses append theirs after the base's.
    virtual void BuildMenu(QMenu& menu);
    // Tells the surface that the layout changed (its LabelChangedEvent).
    void NotifyChanged();
    // Adds an entry whose command runs once the menu has finished with the click: the command
    // may free the object, and the menu with it.
    template <typename T>
    QAction* addCommand(QMenu& menu, const QString& text, void (T::*command)()) {
        QAction* item = menuEntry(menu, text);
        connect(item, &QAction::triggered, static_cast<T*>(this), command, Qt::QueuedConnection);
        return item;
    }

private:
    static QAction* menuEntry(QMenu& menu, const QString& text);

    QRect bounds_;
    QRect lastBounds_; // at the last change notification; all zero before the first
    int tag_ = 0;
    int cursor_ = 0;
    QString hint_;
    float zoom_ = 1.0f;
    bool visible_ = true;
    bool locked_ = false;
    bool unselectable_ = false;
    bool reading_ = false;
    bool mouseHooked_ = false;
    bool lockedTick_ = false; // "Lock All" and "Unlock All" leave it as it is
    std::unique_ptr<QMenu> menu_;
    QAction* lockedItem_ = nullptr;
};

} // namespace layout
