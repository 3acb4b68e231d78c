// "Copy To Clipboard": the record shown, as text, onto the clipboard.
#include "app/address_main.h"

#include "app/copy_to_clipboard_dialog.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"

void TAddressMain::ToClipboard1Click() {
    if (!TableCVW.active() || (TableCVW.bof() && TableCVW.eof()))
        return;
    TCopyToClipBoard dialog(this);
    platform::CenterOnMainForm(dialog);
    if (platform::CurrentDialogs().exec(dialog) != platform::ResultOk)
        return;
    platform::PutClipboardText(GetRecordAsString(TableCVW, dialog.groups()));
    platform::ShowInfo("Record copied to Windows Clipboard");
}
