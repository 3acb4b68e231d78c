#include "platform/printer_device.h"

#include "platform/dialogs.h"
#include "platform/printer_papers.h"

#include <QFile>
#include <QPageSetupDialog>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace platform {

namespace {

// Custom sizes the PDF file printer and printers without their own report accept, in inches.
constexpr double MinCustomInches = 0.5;
constexpr double MaxCustomInches = 200.0;
constexpr int PdfResolution = 1200;

QString binName(QPrinter::PaperSource source) {
    switch (source) {
    case QPrinter::OnlyOne:
        return QStringLiteral("Only One");
    case QPrinter::Lower:
        return QStringLiteral("Lower Tray");
    case QPrinter::Middle:
        return QStringLiteral("Middle Tray");
    case QPrinter::Manual:
        return QStringLiteral("Manual Feed");
    case QPrinter::Envelope:
        return QStringLiteral("Envelope Feed");
    case QPrinter::EnvelopeManual:
        return QStringLiteral("Envelope Manual Feed");
    case QPrinter::Auto:
        return QStringLiteral("Automatically Select");
    case QPrinter::Tractor:
        return QStringLiteral("Tractor Feed");
    case QPrinter::SmallFormat:
        return QStringLiteral("Small Format");
    case QPrinter::LargeFormat:
        return QStringLiteral("Large Format");
    case QPrinter::LargeCapacity:
        return QStringLiteral("Large Capacity");
    case QPrinter::Cassette:
        return QStringLiteral("Cassette");
    case QPrinter::FormSource:
        return QStringLiteral("Form Source");
    default:
        return QStringLiteral("Upper Tray");
    }
}

// Qt does not list a printer's trays; these are the sources it can ask any driver for.
QList<QPrinter::PaperSource> systemBins(const QString&) {
    return {QPrinter::Auto, QPrinter::Upper, QPrinter::Lower, QPrinter::Manual, QPrinter::Envelope};
}

// The papers a printer without its own list offers: the sizes the program asks for by code.
QList<QPageSize> builtInPapers() {
    QList<QPageSize> sizes;
    for (int code : {1, 5, 9, 11, 19, 20, 21, 22, 23, 27, 28, 30, 31, 32, 33, 34, 35, 36, 37, 38}) {
        if (code == 5)
            sizes.append(QPageSize(QPageSize::Legal));
        else if (const auto paper = PaperForCode(code))
            sizes.append(QPageSize(paper->id));
    }
    return sizes;
}

int indexContaining(const QStringList& list, const QString& name) {
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].contains(name, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

bool isSystemPrinter(const PrinterEntry& entry) {
    return !entry.isPdf && !QPrinterInfo::printerInfo(entry.name).isNull();
}

} // namespace

PrinterDevice::PrinterDevice() {
    applyDefaults();
}

PrinterDevice::~PrinterDevice() = default;

QList<PrinterDevice::Entry> PrinterDevice::entries() const {
    QList<Entry> list;
    for (const PrinterEntry& printer : CurrentPrinters().installed()) {
        if (printer.name.contains(QLatin1String("RENDERING SUBSYSTEM"), Qt::CaseInsensitive))
            continue;
        list.append({printer, QStringLiteral("%1 on %2").arg(printer.name, printer.port)});
    }
    return list;
}

QStringList PrinterDevice::printerNames() const {
    QStringList names;
    for (const Entry& entry : entries())
        names.append(entry.text);
    return names;
}

int PrinterDevice::printerIndex() const {
    const QList<Entry> list = entries();
    if (list.isEmpty())
        return -1;
    if (index_ >= 0 && index_ < list.size())
        return index_;
    const QString defaultName = CurrentPrinters().defaultPrinter();
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].printer.name == defaultName)
            return i;
    }
    return 0;
}

void PrinterDevice::setPrinterIndex(int index) {
    if (index < -1 || index >= entries().size())
        return;
    if (index == -1) {
        index_ = -2;
        index_ = printerIndex();
    } else {
        index_ = index;
    }
    bin_ = 0;
    if (!papers().isEmpty() && currentPaper() < 0)
        pageSize_ = papers().first();
}

void PrinterDevice::selectPrinterByName(const QString& name) {
    const int index = indexContaining(printerNames(), name);
    if (index >= 0)
        setPrinterIndex(index);
}

std::optional<PrinterDevice::Entry> PrinterDevice::selected() const {
    const int index = printerIndex();
    if (index < 0)
        return std::nullopt;
    return entries().at(index);
}

QString PrinterDevice::deviceName() const {
    const auto entry = selected();
    return entry ? entry->printer.name : QString();
}

QString PrinterDevice::port() const {
    const auto entry = selected();
    return entry ? entry->printer.port : QString();
}

QString PrinterDevice::driverName() const {
    const auto entry = selected();
    if (!entry)
        return QString();
    if (entry->printer.isPdf)
        return QStringLiteral("PDF");
    const QPrinterInfo info = QPrinterInfo::printerInfo(entry->printer.name);
    return info.isNull() || info.makeAndModel().isEmpty() ? entry->printer.name
                                                          : info.makeAndModel();
}

bool PrinterDevice::isPdfPrinter() const {
    const auto entry = selected();
    return entry && entry->printer.isPdf;
}

QList<QPageSize> PrinterDevice::papers() const {
    const auto entry = selected();
    if (entry && isSystemPrinter(entry->printer)) {
        const QList<QPageSize> sizes =
            QPrinterInfo::printerInfo(entry->printer.name).supportedPageSizes();
        if (!sizes.isEmpty())
            return sizes;
    }
    return builtInPapers();
}

QStringList PrinterDevice::binNames() const {
    const auto entry = selected();
    if (entry && isSystemPrinter(entry->printer)) {
        QStringList names;
        for (QPrinter::PaperSource source : systemBins(entry->printer.name))
            names.append(binName(source));
        return names;
    }
    return {binName(QPrinter::Auto)};
}

QStringList PrinterDevice::paperNames() const {
    QStringList names;
    for (const QPageSize& size : papers())
        names.append(size.name());
    return names;
}

int PrinterDevice::currentBin() const {
    return bin_ >= 0 && bin_ < binNames().size() ? bin_ : -1;
}

int PrinterDevice::currentPaper() const {
    const QList<QPageSize> list = papers();
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].isEquivalentTo(pageSize_))
            return i;
    }
    return -1;
}

void PrinterDevice::selectBinByName(const QString& name) {
    const int index = indexContaining(binNames(), name);
    if (index >= 0)
        bin_ = index;
}

void PrinterDevice::selectPaperByName(const QString& name) {
    const int index = indexContaining(paperNames(), name);
    if (index >= 0)
        pageSize_ = papers().at(index);
}

bool PrinterDevice::choosePaper(int code, double length, double width) {
    const std::optional<QPageSize> size = PageSizeFor(code, length, width);
    if (!size)
        return false;
    const auto entry = selected();
    if (code == 0 && entry) {
        double minWidth = MinCustomInches, minHeight = MinCustomInches;
        double maxWidth = MaxCustomInches, maxHeight = MaxCustomInches;
        if (isSystemPrinter(entry->printer)) {
            const QPrinterInfo info = QPrinterInfo::printerInfo(entry->printer.name);
            if (!info.supportsCustomPageSizes())
                return false;
            const QSizeF min = info.minimumPhysicalPageSize().size(QPageSize::Inch);
            const QSizeF max = info.maximumPhysicalPageSize().size(QPageSize::Inch);
            if (min.isValid() && max.isValid() && max.width() > 0) {
                minWidth = min.width(), minHeight = min.height();
                maxWidth = max.width(), maxHeight = max.height();
            }
        }
        if (width < minWidth || width > maxWidth || length < minHeight || length > maxHeight)
            return false;
    }
    pageSize_ = *size;
    return true;
}

double PrinterDevice::pageWidth() const {
    const QSizeF size = pageSize_.size(QPageSize::Inch);
    return orientation_ == QPageLayout::Landscape ? size.height() : size.width();
}

double PrinterDevice::pageHeight() const {
    const QSizeF size = pageSize_.size(QPageSize::Inch);
    return orientation_ == QPageLayout::Landscape ? size.width() : size.height();
}

QMarginsF PrinterDevice::unprintable() const {
    const auto entry = selected();
    if (!entry || !isSystemPrinter(entry->printer))
        return {};
    QPrinter printer(QPrinterInfo::printerInfo(entry->printer.name), QPrinter::HighResolution);
    printer.setPageSize(pageSize_);
    printer.setPageOrientation(orientation_);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Inch);
    return layout.minimumMargins();
}

bool PrinterDevice::showPrinterSetup() {
    const auto entry = selected();
    if (!entry)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    if (entry->printer.isPdf || !isSystemPrinter(entry->printer))
        printer.setOutputFormat(QPrinter::PdfFormat);
    else
        printer.setPrinterName(entry->printer.name);
    printer.setPageSize(pageSize_);
    printer.setPageOrientation(orientation_);
    int result = 0;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        QPageSetupDialog dialog(&printer, MainForm());
        result = CurrentDialogs().exec(dialog);
    } else {
        QPrintDialog dialog(&printer, MainForm());
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        result = CurrentDialogs().exec(dialog);
    }
    if (result != QDialog::Accepted)
        return false;
    if (printer.outputFormat() == QPrinter::NativeFormat &&
        printer.printerName() != entry->printer.name) {
        const QList<Entry> list = entries();
        for (int i = 0; i < list.size(); ++i) {
            if (list[i].printer.name == printer.printerName())
                index_ = i;
        }
    }
    pageSize_ = printer.pageLayout().pageSize();
    orientation_ = printer.pageLayout().orientation();
    return true;
}

void PrinterDevice::applyDefaults() {
    pageSize_ = QPageSize(QPageSize::Letter);
    orientation_ = QPageLayout::Portrait;
    bin_ = 0;
    index_ = -2;
    pdfFileName.clear();
    const auto entry = selected();
    if (entry && isSystemPrinter(entry->printer)) {
        const QPageSize size = QPrinterInfo::printerInfo(entry->printer.name).defaultPageSize();
        if (size.isValid())
            pageSize_ = size;
    }
}

void PrinterDevice::discard() {
    applyDefaults();
}

std::unique_ptr<QPagedPaintDevice> PrinterDevice::open(const QString& title, int copies) {
    const auto entry = selected();
    if (!entry)
        return nullptr;
    const QPageLayout layout(pageSize_, orientation_, QMarginsF(0, 0, 0, 0));
    if (!isSystemPrinter(entry->printer)) {
        QString fileName = pdfFileName;
        if (fileName.isEmpty()) {
            FileRequest request;
            request.save = true;
            request.caption = QStringLiteral("Print to PDF file");
            request.filter = QStringLiteral("PDF Files|*.pdf");
            request.defaultExtension = QStringLiteral("pdf");
            request.proposedName = title + QStringLiteral(".pdf");
            request.askOverwrite = true;
            const std::optional<QString> chosen = CurrentDialogs().fileName(request);
            if (!chosen || chosen->isEmpty())
                return nullptr;
            fileName = *chosen;
        }
        auto writer = std::make_unique<QPdfWriter>(fileName);
        writer->setResolution(PdfResolution);
        writer->setPageLayout(layout);
        writer->setTitle(title);
        writer->setCreator(QStringLiteral("Corvane"));
        openedPdf_ = fileName;
        return writer;
    }
    auto printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(entry->printer.name),
                                              QPrinter::HighResolution);
    printer->setFullPage(true);
    printer->setPageLayout(layout);
    printer->setDocName(title);
    printer->setCopyCount(std::max(1, copies));
    const QList<QPrinter::PaperSource> bins = systemBins(entry->printer.name);
    if (bin_ >= 0 && bin_ < bins.size())
        printer->setPaperSource(bins[bin_]);
    openedPdf_.clear();
    return printer;
}

void PrinterDevice::abandon(QPagedPaintDevice& device) {
    if (auto* printer = dynamic_cast<QPrinter*>(&device)) {
        printer->abort();
        return;
    }
    if (!openedPdf_.isEmpty())
        QFile::remove(openedPdf_);
}

PrinterDevice& SharedPrinter() {
    static PrinterDevice device;
    return device;
}

} // namespace platform
