#include "platform/printers.h"

#include "platform/dialogs.h"

#include <QPrinterInfo>

namespace platform {

namespace {

Printers*& installedPrinters() {
    static Printers* printers = nullptr;
    return printers;
}

} // namespace

Printers& CurrentPrinters() {
    static SystemPrinters system;
    return installedPrinters() ? *installedPrinters() : system;
}

void InstallPrinters(Printers* printers) {
    installedPrinters() = printers;
}

QList<PrinterEntry> SystemPrinters::installed() {
    QList<PrinterEntry> entries;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
        const QString port = info.location().isEmpty() ? info.printerName() : info.location();
        entries.append({info.printerName(), port, false});
    }
    entries.append({PdfPrinterName, QStringLiteral("PDF"), true});
    return entries;
}

QString SystemPrinters::defaultPrinter() {
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? PdfPrinterName : name;
}

FakePrinters::FakePrinters() {
    InstallPrinters(this);
}

FakePrinters::~FakePrinters() {
    InstallPrinters(nullptr);
}

void FakePrinters::reselectCurrent() {
    ++reselectCount;
    if (!defaultAfterReselect.isEmpty())
        defaultName = defaultAfterReselect;
}

bool CheckPrinters() {
    Printers& printers = CurrentPrinters();
    if (printers.installed().isEmpty()) {
        ShowInfo("There are no installed printers.\r\nUnable to perform printer related "
                 "operations");
        return false;
    }
    if (!printers.defaultPrinter().isEmpty())
        return true;
    printers.reselectCurrent();
    if (!printers.defaultPrinter().isEmpty())
        return true;
    ShowInfo("There is no default printer selected.\r\nUnable to perform printer related "
             "operations");
    return false;
}

} // namespace platform
