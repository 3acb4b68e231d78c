#pragma once

// The postal marks as layout objects: the POSTNET barcode of the record's ZIP code and the
// facing identification mark. On paper both are drawn with their sizes fixed in inches,
// whatever their size on the surface.
#include "layout/graphic_control.h"
#include "layout/layout_enums.h"

#include <QImage>

namespace layout {

class TGPostNetBarCode : public TGGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QString ZipCodeField READ ZipCodeField WRITE SetZipCodeField)
    Q_PROPERTY(QString AddressField READ AddressField WRITE SetAddressField)
    Q_PROPERTY(layout::TPostNetBarCodeType BarCodeType READ BarCodeType WRITE SetBarCodeType)

public:
    explicit TGPostNetBarCode(QObject* parent = nullptr);

    // The names (not descriptions) of the record fields holding the ZIP code and the delivery
    // address line.
    QString ZipCodeField() const { return zipCodeField_; }
    void SetZipCodeField(const QString& name) { zipCodeField_ = name; }
    QString AddressField() const { return addressField_; }
    void SetAddressField(const QString& name) { addressField_ = name; }
    TPostNetBarCodeType BarCodeType() const { return type_; }
    void SetBarCodeType(TPostNetBarCodeType type) { type_ = type; }

    // The ZIP and address texts of the last RefreshData.
    QString ZipText() const { return zip_; }
    QString AddressText() const { return address_; }
    // The digits the barcode prints, check digit last; empty when it prints nothing.
    QString Code() const;

    void RefreshData() override;
    // Shows the barcode picture, the object kept at the picture's size.
    void Paint(QPainter& painter) override;
    void PrintTo(pageout::TBasePageJob& engine, double originX, double originY) override;

    // The screen symbol of the object: a drawing of a barcode, 270 by 16 pixels.
    static const QImage& Picture();

private:
    QString zipCodeField_;
    QString addressField_;
    TPostNetBarCodeType type_ = pnbc11Digit;
    QString zip_;
    QString address_;
};

class TGFIMBarCode : public TGGraphicControl {
    Q_OBJECT
    Q_PROPERTY(layout::TFIMBarCodeType FIMType READ FIMType WRITE SetFIMType)

public:
    explicit TGFIMBarCode(QObject* parent = nullptr);

    TFIMBarCodeType FIMType() const { return type_; }
    void SetFIMType(TFIMBarCodeType type);

    // Draws the actual bars, the object kept square at the mark's size.
    void Paint(QPainter& painter) override;
    void PrintTo(pageout::TBasePageJob& engine, double originX, double originY) override;
    void UpdateMenuChecks() override;

protected:
    void BuildMenu(QMenu& menu) override;

private:
    TFIMBarCodeType type_ = fimTypeA;
    QAction* typeItems_[3] = {};
};

} // namespace layout
