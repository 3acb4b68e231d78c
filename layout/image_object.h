#pragma once

#include "layout/graphic_control.h"
#include "layout/layout_picture.h"

namespace layout {

// A picture on a layout: drawn stretched over the object or at its own size, or sized to it.
// An object without a picture, or with a metafile (kept but not drawn), shows its frame.
class TGImage : public TGGraphicControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(layout::TLayoutPicture Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)

public:
    explicit TGImage(QObject* parent = nullptr);

    // True clears Stretch and takes the picture's size when it has one.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    const TLayoutPicture& Picture() const { return picture_; }
    void SetPicture(const TLayoutPicture& picture);
    // True clears AutoSize.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

    // The picture dialog: on OK with a file chosen the object takes the file (or, when it
    // cannot be read, says "Error loading file!" and holds no picture) and the dialog's
    // settings.
    void LoadImageFromDisk();
    void ToggleStretch();
    void ToggleAutoSize();

    void Paint(QPainter& painter) override;
    void PrintTo(pageout::TBasePageJob& engine, double originX, double originY) override;
    void UpdateMenuChecks() override;

protected:
    void BuildMenu(QMenu& menu) override;

private:
    void fitToPicture();

    bool autoSize_ = false;
    TLayoutPicture picture_;
    bool stretch_ = true;
    QAction* stretchItem_ = nullptr;
    QAction* autoSizeItem_ = nullptr;
};

} // namespace layout
