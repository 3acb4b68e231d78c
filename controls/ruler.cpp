#include "controls/ruler.h"

#include "controls/rich_edit.h"
#include "controls/tab_origin.h"

#include <QPainter>
#include <QPolygonF>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace controls {

TRuler::TRuler(TRichEdit& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setObjectName("Ruler");
    setWhatsThis(tr("Inches from the left margin, with the indents and tab stops of the "
                    "paragraph at the cursor"));
    auto repaint = [this] { update(); };
    connect(&editor_, &QTextEdit::cursorPositionChanged, this, repaint);
    connect(&editor_, &TRichEdit::pageChanged, this, repaint);
    connect(editor_.horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    connect(editor_.document(), &QTextDocument::contentsChanged, this, repaint);
}

QSize TRuler::sizeHint() const {
    return {400, fontMetrics().height() + 12};
}

void TRuler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const double pixelsPerInch = logicalDpiX();
    const double unit = pixelsPerInch / DocumentDpi; // screen pixels per document unit
    const int viewportX =
        editor_.viewport()->mapTo(window(), QPoint()).x() - mapTo(window(), QPoint()).x();
    const double left = viewportX + editor_.document()->documentMargin() * unit -
                        editor_.horizontalScrollBar()->value();
    const double textWidth = TwipsToDocument(editor_.Page().textWidth()) * unit;
    painter.fillRect(QRectF(left, 2, textWidth, height() - 4), Qt::white);
    painter.setPen(palette().windowText().color());
    const int bottom = height() - 2;
    for (int eighth = 0; left + eighth * pixelsPerInch / 8 < width(); ++eighth) {
        const double x = left + eighth * pixelsPerInch / 8;
        if (eighth % 8 == 0) {
            painter.drawLine(QPointF(x, bottom), QPointF(x, bottom - 8));
            if (eighth > 0)
                painter.drawText(QPointF(x + 2, bottom - 8), QString::number(eighth / 8));
        } else {
            painter.drawLine(QPointF(x, bottom), QPointF(x, bottom - (eighth % 4 == 0 ? 5 : 3)));
        }
    }
    const QTextBlockFormat format = editor_.textCursor().blockFormat();
    auto marker = [&](double x, bool up) {
        const double y = up ? bottom : 2;
        const double tip = up ? bottom - 5 : 7;
        painter.setBrush(Qt::darkGray);
        painter.drawPolygon(QPolygonF({QPointF(x - 4, y), QPointF(x + 4, y), QPointF(x, tip)}));
    };
    marker(left + format.leftMargin() * unit, true);
    marker(left + (format.leftMargin() + format.textIndent()) * unit, false);
    marker(left + textWidth - format.rightMargin() * unit, true);
    painter.setPen(QPen(palette().windowText().color(), 2));
    for (const QTextOption::Tab& tab : format.tabPositions()) {
        const double x = left + StopFromMargin(tab.position, format) * unit;
        painter.drawLine(QPointF(x, bottom - 6), QPointF(x, bottom));
        painter.drawLine(QPointF(x, bottom), QPointF(x + 5, bottom));
    }
}

} // namespace controls
