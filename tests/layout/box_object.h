#pragma once

// A plain layout object for the tests and the benchmark: a framed box with a caption. It
// counts the operations the surface runs on it and prints a rectangle where it lies.
#include "layout/graphic_control.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>

namespace testing_layout {

class TBoxObject : public layout::TGGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    using TGGraphicControl::TGGraphicControl;

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    void Paint(QPainter& painter) override;
    void PrintTo(pageout::TBasePageJob& engine, double originX, double originY) override;
    void ApplyFont(const QFont& font) override { font_ = font; }
    void RefreshData() override { ++refreshed; }
    void PrepareForSave() override { ++prepared; }
    void AfterItemPrinted() override { ++printedItems; }
    void ResetCounter() override { printedItems = 0; }

    QFont font() const { return font_; }

    int painted = 0;
    int refreshed = 0;
    int prepared = 0;
    int printedItems = 0;
    QList<QPointF> printOrigins;
    QColor fill = QColor(255, 255, 192);

private:
    QString caption_;
    QFont font_{QStringLiteral("DejaVu Sans"), 8};
};

} // namespace testing_layout
