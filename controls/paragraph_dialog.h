#pragma once

#include <QDialog>
#include <QTextBlockFormat>

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;

namespace controls {

// "Paragraph Properties": indents, alignment, spacing and tab stops of the paragraphs the
// cursor or the selection touches. Lengths are shown in inches, spacing in points.
class TParagraphDialog : public QDialog {
    Q_OBJECT
public:
    explicit TParagraphDialog(const QTextBlockFormat& format, QWidget* parent = nullptr);

    // The format the dialog's values give, on top of the one it was opened with.
    QTextBlockFormat Format() const;

    QDoubleSpinBox* LeftIndent = nullptr;
    QDoubleSpinBox* RightIndent = nullptr;
    QDoubleSpinBox* FirstIndent = nullptr;
    QDoubleSpinBox* SpaceBefore = nullptr;
    QDoubleSpinBox* SpaceAfter = nullptr;
    QComboBox* Alignment = nullptr;
    QLineEdit* TabStops = nullptr;

private:
    QTextBlockFormat format_;
};

// Tab stop positions in inches, separated by blanks, commas or semicolons; what is not a
// number between 0 and 22 inches is left out.
QList<double> ParseTabStops(const QString& text);

} // namespace controls
