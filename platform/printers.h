#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Name of the built-in printer that writes a PDF file; it is always in the printer list.
inline const QString PdfPrinterName = QStringLiteral("PDF file");

struct PrinterEntry {
    QString name;
    QString port; // device or queue the printer prints to; "PDF" for the built-in printer
    bool isPdf = false;
};

// The installed printers as the program sees them.
class Printers {
public:
    virtual ~Printers() = default;
    virtual QList<PrinterEntry> installed() = 0;
    // Name of the system's default printer; empty when none is reported.
    virtual QString defaultPrinter() = 0;
    // Selects the current printer once more, so that the system reports its default again.
    virtual void reselectCurrent() = 0;
};

// The seam in use: the system's printers unless a test installed another one.
Printers& CurrentPrinters();
// Installs a seam (not owned); nullptr restores the system's printers.
void InstallPrinters(Printers* printers);

// The system's printers (Qt's list) followed by the built-in "PDF file" printer. With no
// system default the PDF printer is the default, so printing and preview always work.
class SystemPrinters : public Printers {
public:
    QList<PrinterEntry> installed() override;
    QString defaultPrinter() override;
    void reselectCurrent() override {}
};

// A printer list for tests, e.g. to present "no printers" and "no default printer".
class FakePrinters : public Printers {
public:
    FakePrinters();
    ~FakePrinters() override;
    QList<PrinterEntry> printers;
    QString defaultName;
    QString defaultAfterReselect; // the default reported once reselectCurrent() ran
    int reselectCount = 0;

    QList<PrinterEntry> installed() override { return printers; }
    QString defaultPrinter() override { return defaultName; }
    void reselectCurrent() override;
};

// False, after telling the user, when no printer is installed or no default printer is
// selected even after selecting the current printer again.
bool CheckPrinters();

} // namespace platform
