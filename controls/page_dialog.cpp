#include "controls/page_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>

#include <cmath>

namespace controls {

namespace {

struct Paper {
    const char* name;
    int width; // twips
    int height;
};

constexpr Paper papers[] = {{"Letter (8.5 x 11 in)", 12240, 15840},
                            {"Legal (8.5 x 14 in)", 12240, 20160},
                            {"A4 (210 x 297 mm)", 11906, 16838},
                            {"A5 (148 x 210 mm)", 8391, 11906}};

int twips(double inches) {
    return int(std::lround(inches * TwipsPerInch));
}

} // namespace

TPageDialog::TPageDialog(const PageSetup& page, QWidget* parent) : QDialog(parent), exact_(page) {
    setObjectName("PageDialog");
    setWindowTitle(tr("Page Settings"));
    auto* layout = new QFormLayout(this);
    Paper = new QComboBox(this);
    Paper->setObjectName("Paper");
    for (const auto& paper : papers)
        Paper->addItem(tr(paper.name));
    Paper->addItem(tr("Custom"));
    Paper->setWhatsThis(tr("The paper the letter is laid out on"));
    layout->addRow(tr("&Paper:"), Paper);

    auto box = [this](const char* name, int value, double minimum, const QString& whatsThis) {
        auto* spin = new QDoubleSpinBox(this);
        spin->setObjectName(name);
        spin->setDecimals(2);
        spin->setSingleStep(0.25);
        spin->setRange(minimum, 200);
        spin->setSuffix(QStringLiteral(" in"));
        spin->setValue(double(value) / TwipsPerInch);
        spin->setWhatsThis(whatsThis);
        return spin;
    };
    PaperWidth = box("PaperWidth", page.width, 0.5, tr("Width of the paper"));
    PaperHeight = box("PaperHeight", page.height, 0.5, tr("Height of the paper"));
    LeftMargin = box("LeftMargin", page.left, 0, tr("Blank space at the left edge"));
    TopMargin = box("TopMargin", page.top, 0, tr("Blank space at the top edge"));
    RightMargin = box("RightMargin", page.right, 0, tr("Blank space at the right edge"));
    BottomMargin = box("BottomMargin", page.bottom, 0, tr("Blank space at the bottom edge"));
    layout->addRow(tr("&Width:"), PaperWidth);
    layout->addRow(tr("&Height:"), PaperHeight);
    layout->addRow(tr("&Left margin:"), LeftMargin);
    layout->addRow(tr("&Top margin:"), TopMargin);
    layout->addRow(tr("&Right margin:"), RightMargin);
    layout->addRow(tr("&Bottom margin:"), BottomMargin);
    sizeEdited();
    connect(Paper, &QComboBox::activated, this, &TPageDialog::paperChosen);
    connect(PaperWidth, &QDoubleSpinBox::valueChanged, this, &TPageDialog::sizeEdited);
    connect(PaperHeight, &QDoubleSpinBox::valueChanged, this, &TPageDialog::sizeEdited);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OkButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelButton");
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TPageDialog::paperChosen(int index) {
    if (index < 0 || index >= int(std::size(papers)))
        return;
    exact_.width = papers[index].width;
    exact_.height = papers[index].height;
    PaperWidth->setValue(double(papers[index].width) / TwipsPerInch);
    PaperHeight->setValue(double(papers[index].height) / TwipsPerInch);
}

// The paper list names the size the boxes hold, or "Custom".
void TPageDialog::sizeEdited() {
    const int width = twips(PaperWidth->value());
    const int height = twips(PaperHeight->value());
    int index = int(std::size(papers));
    for (int i = 0; i < int(std::size(papers)); ++i) {
        if (std::abs(papers[i].width - width) <= 15 && std::abs(papers[i].height - height) <= 15)
            index = i;
    }
    Paper->setCurrentIndex(index);
}

PageSetup TPageDialog::Page() const {
    // The boxes show hundredths of an inch: a value still shown as it was keeps its twips.
    auto value = [](const QDoubleSpinBox* box, int exact) {
        const bool unchanged =
            std::lround(double(exact) / TwipsPerInch * 100) == std::lround(box->value() * 100);
        return unchanged ? exact : twips(box->value());
    };
    PageSetup page;
    page.width = value(PaperWidth, exact_.width);
    page.height = value(PaperHeight, exact_.height);
    page.left = value(LeftMargin, exact_.left);
    page.top = value(TopMargin, exact_.top);
    page.right = value(RightMargin, exact_.right);
    page.bottom = value(BottomMargin, exact_.bottom);
    return page;
}

} // namespace controls
