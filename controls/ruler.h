#pragma once

#include <QWidget>

namespace controls {

class TRichEdit;

// A ruler in inches over an editor, measured from the page's left margin. It marks the
// current paragraph's left, first-line and right indents and its tab stops, and scrolls with
// the editor.
class TRuler : public QWidget {
    Q_OBJECT
public:
    explicit TRuler(TRichEdit& editor, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TRichEdit& editor_;
};

} // namespace controls
