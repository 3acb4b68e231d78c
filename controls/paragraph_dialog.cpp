#include "controls/paragraph_dialog.h"

#include "controls/page_setup.h"
#include "controls/tab_origin.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>

namespace controls {

namespace {

constexpr double PointsPerInch = 72.0;

QDoubleSpinBox* inchBox(QWidget* parent, const char* name, double inches, double minimum,
                        const QString& whatsThis) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(2);
    box->setSingleStep(0.25);
    box->setRange(minimum, 22.0);
    box->setSuffix(QStringLiteral(" in"));
    box->setValue(inches);
    box->setWhatsThis(whatsThis);
    return box;
}

double inches(double units) {
    return units / DocumentDpi;
}

} // namespace

QList<double> ParseTabStops(const QString& text) {
    QList<double> stops;
    for (const QString& part : text.split(QRegularExpression("[\\s,;]+"), Qt::SkipEmptyParts)) {
        bool ok = false;
        const double value = part.toDouble(&ok);
        if (ok && value >= 0 && value <= 22)
            stops.append(value);
    }
    std::sort(stops.begin(), stops.end());
    return stops;
}

TParagraphDialog::TParagraphDialog(const QTextBlockFormat& format, QWidget* parent)
    : QDialog(parent), format_(format) {
    setObjectName("ParagraphDialog");
    setWindowTitle(tr("Paragraph Properties"));
    auto* layout = new QFormLayout(this);
    LeftIndent = inchBox(this, "LeftIndent", inches(format.leftMargin()), 0,
                         tr("Distance of the paragraph from the left margin"));
    RightIndent = inchBox(this, "RightIndent", inches(format.rightMargin()), 0,
                          tr("Distance of the paragraph from the right margin"));
    FirstIndent = inchBox(this, "FirstIndent", inches(format.textIndent()), -22,
                          tr("Where the first line starts, from the paragraph's left edge; "
                             "below zero it hangs out to the left"));
    layout->addRow(tr("&Left indent:"), LeftIndent);
    layout->addRow(tr("&Right indent:"), RightIndent);
    layout->addRow(tr("&First line:"), FirstIndent);

    auto pointBox = [this](const char* name, double units, const QString& whatsThis) {
        auto* box = new QDoubleSpinBox(this);
        box->setObjectName(name);
        box->setDecimals(1);
        box->setRange(0, 1584);
        box->setSuffix(QStringLiteral(" pt"));
        box->setValue(units * PointsPerInch / DocumentDpi);
        box->setWhatsThis(whatsThis);
        return box;
    };
    SpaceBefore = pointBox("SpaceBefore", format.topMargin(), tr("Space above the paragraph"));
    SpaceAfter = pointBox("SpaceAfter", format.bottomMargin(), tr("Space below the paragraph"));
    layout->addRow(tr("Space &before:"), SpaceBefore);
    layout->addRow(tr("Space &after:"), SpaceAfter);

    Alignment = new QComboBox(this);
    Alignment->setObjectName("Alignment");
    Alignment->addItem(tr("Left"), int(Qt::AlignLeft));
    Alignment->addItem(tr("Right"), int(Qt::AlignRight));
    Alignment->addItem(tr("Centred"), int(Qt::AlignHCenter));
    Alignment->addItem(tr("Justified"), int(Qt::AlignJustify));
    const int alignment = int(format.alignment() & Qt::AlignHorizontal_Mask);
    const int index = Alignment->findData(alignment);
    Alignment->setCurrentIndex(index >= 0 ? index : 0);
    Alignment->setWhatsThis(tr("How the lines of the paragraph line up"));
    layout->addRow(tr("Ali&gnment:"), Alignment);

    TabStops = new QLineEdit(this);
    TabStops->setObjectName("TabStops");
    QStringList stops;
    for (const QTextOption::Tab& tab : format.tabPositions())
        stops << QString::number(inches(StopFromMargin(tab.position, format)), 'f', 2);
    TabStops->setText(stops.join(' '));
    TabStops->setWhatsThis(tr("Left tab stops in inches from the left margin, separated by "
                              "blanks, e.g. 1 2.5 4"));
    layout->addRow(tr("&Tab stops (in):"), TabStops);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OkButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelButton");
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QTextBlockFormat TParagraphDialog::Format() const {
    QTextBlockFormat format = format_;
    format.setLeftMargin(LeftIndent->value() * DocumentDpi);
    format.setRightMargin(RightIndent->value() * DocumentDpi);
    format.setTextIndent(FirstIndent->value() * DocumentDpi);
    format.setTopMargin(SpaceBefore->value() * DocumentDpi / PointsPerInch);
    format.setBottomMargin(SpaceAfter->value() * DocumentDpi / PointsPerInch);
    format.setAlignment(Qt::Alignment(Alignment->currentData().toInt()));
    // Stops keep their kind where their place is kept; the dialog shows left stops only.
    QList<QTextOption::Tab> tabs;
    for (double stop : ParseTabStops(TabStops->text())) {
        const double fromMargin = stop * DocumentDpi;
        QTextOption::Tab tab(StopFromLineStart(fromMargin, format), QTextOption::LeftTab);
        for (const QTextOption::Tab& old : format_.tabPositions()) {
            if (qAbs(StopFromMargin(old.position, format_) - fromMargin) < 0.5) {
                tab.type = old.type;
                tab.delimiter = old.delimiter;
            }
        }
        if (tab.position > 0)
            tabs.append(tab);
    }
    format.setTabPositions(tabs);
    return format;
}

} // namespace controls
