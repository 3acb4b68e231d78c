#pragma once

#include "controls/page_setup.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;

namespace controls {

// "Page Settings": the paper size and the four margins, shown in inches, kept in twips.
class TPageDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPageDialog(const PageSetup& page, QWidget* parent = nullptr);

    PageSetup Page() const;

    QComboBox* Paper = nullptr;
    QDoubleSpinBox* PaperWidth = nullptr;
    QDoubleSpinBox* PaperHeight = nullptr;
    QDoubleSpinBox* LeftMargin = nullptr;
    QDoubleSpinBox* TopMargin = nullptr;
    QDoubleSpinBox* RightMargin = nullptr;
    QDoubleSpinBox* BottomMargin = nullptr;

private:
    void paperChosen(int index);
    // The twips of the page given or the paper chosen, kept while the boxes still show them.
    PageSetup exact_;
    void sizeEdited();
};

} // namespace controls
