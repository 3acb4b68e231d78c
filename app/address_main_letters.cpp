// Form letters from the main window: the letters dialog gets the address table, its engine and
// the filter; the window stops following the table while the dialog walks its records and
// selects the printer again afterwards.
#include "app/address_main.h"

#include "letters/letter_store.h"
#include "letters/letters_dialog.h"
#include "platform/dialogs.h"
#include "platform/printer_device.h"
#include "platform/printers.h"

#include <QRadioButton>

void TAddressMain::LettersMenuClick() {
    if (!platform::CheckPrinters())
        return;
    if (!TableCVW.active() || Engine1.queryRecCount() == 0)
        return;
    platform::PrinterDevice& printer = platform::SharedPrinter();
    const int printerIndex = printer.printerIndex();
    TableCVW.disableControls();
    FollowTableEvents = false;
    {
        letters::TcVLetters dialog(TableCVW, Engine1, this);
        if (dialog.OpenLetterTable()) {
            if (QueryString.isEmpty())
                dialog.MatchingFilter->setEnabled(false);
            platform::CenterOnMainForm(dialog);
            platform::CurrentDialogs().exec(dialog);
        }
    }
    FollowTableEvents = true;
    TableCVW.enableControls();
    printer.setPrinterIndex(-1);
    printer.setPrinterIndex(printerIndex);
    SetButtons();
}

void TAddressMain::installSampleLetters() {
    letters::InstallShippedLetters();
}
