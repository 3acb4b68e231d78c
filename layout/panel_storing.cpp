// Storing a design surface's layout in a file and reading it back.
#include "layout/base_panel.h"

#include "layout/graphic_control.h"
#include "layout/object_filer.h"

#include <QFileInfo>
#include <QSet>

namespace layout {

namespace {

// Runs `restore` when the scope ends, also when an error leaves it.
template <typename F> class Finally {
public:
    explicit Finally(F restore) : restore_(std::move(restore)) {}
    ~Finally() { restore_(); }
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;

private:
    F restore_;
};

} // namespace

void TGBasePanel::SaveToFile(const QString& path) {
    const float zoom = zoom_;
    // Layouts are stored at zoom 1.0; the surface returns to its zoom and its record data even
    // when the file cannot be written.
    SetZoom(1.0f);
    Finally restore([this, zoom] {
        RefreshDataValues();
        SetZoom(zoom);
    });
    for (TGGraphicControl* object : objects_)
        object->PrepareForSave();
    TGLabelObjectFiler().SaveLayout(*this, path);
}

void TGBasePanel::LoadFromFile(const QString& path) {
    if (!QFileInfo::exists(path))
        return;
    const QSet<TGGraphicControl*> before(objects_.begin(), objects_.end());
    // The objects read, also those read before a damaged part, take the surface's zoom from
    // the zoom 1.0 they were stored at, its mouse handling and the record's values.
    Finally settle([this, &before] {
        for (TGGraphicControl* object : objects_) {
            if (before.contains(object))
                continue;
            object->SetReading(true);
            object->SetZoom(zoom_);
            object->SetReading(false);
        }
        HookObjectEvents();
        RefreshDataValues();
    });
    TGLabelObjectFiler().LoadLayout(*Owner(), *this, path);
}

} // namespace layout
