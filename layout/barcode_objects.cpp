#include "layout/barcode_objects.h"

#include "layout/barcode_printing.h"
#include "layout/display_resolution.h"
#include "layout/fim_code.h"
#include "layout/postnet_code.h"
#include "layout/record_fields.h"
#include "layout/surface_geometry.h"

#include "data/table_object.h"

#include <QMenu>
#include <QPainter>

namespace layout {

// --- POSTNET ---------------------------------------------------------------------------------

TGPostNetBarCode::TGPostNetBarCode(QObject* parent) : TGGraphicControl(parent) {
    const double p = DisplayPixelsPerInch();
    SetBounds({0, 0, int(2.6 * p), int(kPostNetFullHeight * p)});
}

const QImage& TGPostNetBarCode::Picture() {
    static const QImage picture = [] {
        QImage image(270, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const std::vector<bool> bars = PostNetBars("123456789230");
        const int left = (image.width() - 4 * int(bars.size())) / 2;
        for (size_t i = 0; i < bars.size(); ++i) {
            const int top = bars[i] ? 0 : 9;
            painter.fillRect(left + 4 * int(i), top, 2, 16 - top, Qt::black);
        }
        return image;
    }();
    return picture;
}

QString TGPostNetBarCode::Code() const {
    return QString::fromStdString(PostNetCode(zip_.toStdString(), address_.toStdString(), type_));
}

void TGPostNetBarCode::RefreshData() {
    const data::TTable* table = OpenRecordSource(*this);
    const auto value = [table](const QString& name) {
        return table && table->fieldIndex(name) >= 0 ? table->fieldText(name) : QString();
    };
    address_ = value(addressField_);
    zip_ = value(zipCodeField_);
    if (!SurfacePrinting(*this))
        Repaint();
}

void TGPostNetBarCode::Paint(QPainter& painter) {
    const QImage& picture = Picture();
    QSize size = picture.size();
    if (Zoom() != 1.0f)
        size = {RoundHalfEven(size.width() * double(Zoom())),
                RoundHalfEven(size.height() * double(Zoom()))};
    if (size != BoundsRect().size())
        SetBounds({BoundsRect().topLeft(), size});
    painter.drawImage(QRect(0, 0, Width(), Height()), picture);
}

void TGPostNetBarCode::PrintTo(pageout::TBasePageJob& engine, double originX, double originY) {
    const std::string code = Code().toStdString();
    if (code.empty())
        return; // a ZIP code out of range prints nothing, and says nothing
    const double p = DisplayPixelsPerInch();
    PrintPostNetBars(engine, originX + Left() / p, originY + Top() / p, code);
}

// --- FIM -------------------------------------------------------------------------------------

TGFIMBarCode::TGFIMBarCode(QObject* parent) : TGGraphicControl(parent) {
    const double p = DisplayPixelsPerInch();
    SetBounds({0, 0, int(kFimObjectSize * p), int(kFimHeight * p)});
}

void TGFIMBarCode::SetFIMType(TFIMBarCodeType type) {
    if (type == type_)
        return;
    type_ = type;
    Repaint();
}

void TGFIMBarCode::Paint(QPainter& painter) {
    const double p = DisplayPixelsPerInch() * double(Zoom());
    const int side = int(kFimObjectSize * p);
    if (Width() != side || Height() != side)
        SetBounds({Left(), Top(), side, side});
    const int b = int(kFimSlotWidth * p), c = int(kFimHeight * p);
    for (const int slot : FimBarSlots(type_))
        painter.fillRect(QRect(QPoint(b * (slot - 1), 0), QPoint(b * slot - 1, c - 1)), Qt::black);
}

void TGFIMBarCode::PrintTo(pageout::TBasePageJob& engine, double originX, double originY) {
    const double p = DisplayPixelsPerInch();
    PrintFimBars(engine, originX + Left() / p, originY + Top() / p, type_);
}

void TGFIMBarCode::BuildMenu(QMenu& menu) {
    TGGraphicControl::BuildMenu(menu);
    menu.addSeparator();
    for (int type = fimTypeA; type <= fimTypeC; ++type) {
        QAction* item = menu.addAction(QStringLiteral("Set FIM to Type %1")
                                           .arg(QLatin1Char(FimLetter(TFIMBarCodeType(type)))));
        item->setCheckable(true);
        connect(
            item, &QAction::triggered, this,
            [this, type] {
                NotifyChanged();
                SetFIMType(TFIMBarCodeType(type));
            },
            Qt::QueuedConnection);
        typeItems_[type] = item;
    }
}

void TGFIMBarCode::UpdateMenuChecks() {
    for (int type = fimTypeA; type <= fimTypeC; ++type)
        if (typeItems_[type])
            typeItems_[type]->setChecked(type == type_);
}

} // namespace layout
