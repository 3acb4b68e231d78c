#pragma once

#include "platform/printers.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

#include <QPagedPaintDevice>

namespace platform {

// The one printer device that every print job shares: selecting a printer, a paper or an
// orientation here selects it for all of them. Printers come from the printer seam.
class PrinterDevice {
public:
    PrinterDevice();
    ~PrinterDevice();

    // One entry per printer, "name on port", in the order of the printer list; printers whose
    // name contains "RENDERING SUBSYSTEM" are left out.
    QStringList printerNames() const;
    // The selected entry, -1 when no printer is installed.
    int printerIndex() const;
    // -1 selects the system's default printer; values below -1 or past the list are ignored.
    void setPrinterIndex(int index);
    // Selects the first entry containing `name`, ignoring case; nothing changes when none does.
    void selectPrinterByName(const QString& name);

    QString deviceName() const; // the selected printer's name
    QString port() const;
    QString driverName() const;
    bool isPdfPrinter() const;

    // Paper sources and sizes of the selected printer as it names them; the current ones are
    // -1 when the setting in use is not in the list.
    QStringList binNames() const;
    QStringList paperNames() const;
    int currentBin() const;
    int currentPaper() const;
    void selectBinByName(const QString& name);
    void selectPaperByName(const QString& name);

    QPageLayout::Orientation orientation() const { return orientation_; }
    void setOrientation(QPageLayout::Orientation orientation) { orientation_ = orientation; }
    const QPageSize& pageSize() const { return pageSize_; }

    // Paper by its Windows code (1 Letter, 9 A4, 11 A5, envelopes 19..38) or, for code 0, a
    // custom size of width x length inches. False when the code is unknown, the printer takes
    // no custom size or the size lies outside its extents. Without printers the size is only
    // recorded.
    bool choosePaper(int code, double length, double width);

    // The sheet in inches for the current paper and orientation, unprintable strips included.
    double pageWidth() const;
    double pageHeight() const;
    // The strips along the edges that the printer cannot reach, in inches.
    QMarginsF unprintable() const;

    // The system's printer setup dialog (through the dialog seam); true when confirmed.
    bool showPrinterSetup();

    // Forgets every choice, so that the next screen starts from the system's settings.
    void discard();

    // The file the "PDF file" printer writes; when empty, a save dialog asks for it.
    QString pdfFileName;

    // A device ready for a document of `copies` copies, or nullptr when the user cancelled the
    // file name of the PDF printer or no printer is installed.
    std::unique_ptr<QPagedPaintDevice> open(const QString& title, int copies);
    // Throws away a document that was aborted (the spooled job, or the unfinished PDF file).
    void abandon(QPagedPaintDevice& device);

private:
    struct Entry {
        PrinterEntry printer;
        QString text;
    };
    QList<Entry> entries() const;
    std::optional<Entry> selected() const;
    void applyDefaults();
    QList<QPageSize> papers() const;

    int index_ = -2; // -2: not yet chosen, the default printer is taken on first use
    QPageSize pageSize_;
    QPageLayout::Orientation orientation_ = QPageLayout::Portrait;
    int bin_ = 0;
    QString openedPdf_;
};

// The device shared by all jobs.
PrinterDevice& SharedPrinter();

} // namespace platform
