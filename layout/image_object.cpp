#include "layout/image_object.h"

#include "layout/display_resolution.h"
#include "layout/image_browser.h"

#include "pageout/page_job.h"
#include "platform/dialogs.h"

#include <QCheckBox>
#include <QDir>

#include <QMenu>
#include <QPainter>

namespace layout {

TGImage::TGImage(QObject* parent) : TGGraphicControl(parent) {
    SetBounds({0, 0, 105, 105});
}

void TGImage::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize) {
        stretch_ = false;
        fitToPicture();
    }
    Repaint();
}

void TGImage::SetPicture(const TLayoutPicture& picture) {
    picture_ = picture;
    if (autoSize_)
        fitToPicture();
    Repaint();
}

void TGImage::SetStretch(bool stretch) {
    stretch_ = stretch;
    if (stretch)
        autoSize_ = false;
    Repaint();
}

void TGImage::LoadImageFromDisk() {
    // The folder the last picture came from.
    static QString folder = QDir::homePath();
    TGImageBrowser dialog(stretch_, autoSize_, folder);
    if (!RunDialog(dialog))
        return;
    folder = dialog.Folder();
    const QString file = dialog.ChosenFile();
    if (file.isEmpty())
        return;
    const auto picture = TLayoutPicture::FromFile(file);
    if (!picture)
        platform::ShowError(QStringLiteral("Error loading file!"));
    SetPicture(picture.value_or(TLayoutPicture{}));
    SetStretch(dialog.StretchBox->isChecked());
    SetAutoSize(dialog.AutoSizeBox->isChecked());
    NotifyChanged();
}

void TGImage::ToggleStretch() {
    SetStretch(!stretch_);
    NotifyChanged();
}

void TGImage::ToggleAutoSize() {
    SetAutoSize(!autoSize_);
    NotifyChanged();
}

void TGImage::fitToPicture() {
    if (!picture_.Size().isEmpty())
        SetBounds({BoundsRect().topLeft(), picture_.Size()});
}

void TGImage::Paint(QPainter& painter) {
    if (Zoom() == 1.0f && autoSize_ && !picture_.Size().isEmpty() &&
        BoundsRect().size() != picture_.Size())
        SetBounds({BoundsRect().topLeft(), picture_.Size()});
    if (picture_.image.isNull()) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(0, 0, Width() - 1, Height() - 1));
        return;
    }
    if (stretch_ || Zoom() != 1.0f)
        painter.drawImage(QRect(0, 0, Width(), Height()), picture_.image);
    else
        painter.drawImage(QPoint(0, 0), picture_.image);
}

void TGImage::PrintTo(pageout::TBasePageJob& engine, double originX, double originY) {
    // Bitmaps print stretched over the object whatever Stretch says; icons are for the screen,
    // and metafiles are kept but cannot be drawn here.
    if (picture_.kind != QLatin1String("TBitmap"))
        return;
    const double p = DisplayPixelsPerInch();
    engine.DrawBitmapInRect(originX + Left() / p, originY + Top() / p,
                            originX + (Left() + Width()) / p, originY + (Top() + Height()) / p,
                            picture_.image);
}

void TGImage::BuildMenu(QMenu& menu) {
    TGGraphicControl::BuildMenu(menu);
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Load Image From Disk"), &TGImage::LoadImageFromDisk);
    menu.addSeparator();
    stretchItem_ = addCommand(menu, QStringLiteral("Stretch to Fit"), &TGImage::ToggleStretch);
    stretchItem_->setCheckable(true);
    autoSizeItem_ = addCommand(menu, QStringLiteral("AutoSize"), &TGImage::ToggleAutoSize);
    autoSizeItem_->setCheckable(true);
}

void TGImage::UpdateMenuChecks() {
    if (stretchItem_)
        stretchItem_->setChecked(stretch_);
    if (autoSizeItem_)
        autoSizeItem_->setChecked(autoSize_);
}

} // namespace layout
