// The main window's dial buttons: the dialer gets the record's first or second phone number.
#include "app/address_main.h"

#include "app/dialer_dialog.h"
#include "controls/enter_edit.h"
#include "platform/dialogs.h"

#include <QPushButton>

void TAddressMain::DialButtonClick(const QPushButton* pressed) {
    if (!TableCVW.active() || (TableCVW.bof() && TableCVW.eof()))
        return;
    TCVDialer dialer(this);
    const bool first = pressed->objectName() == "DialPhone1Button";
    dialer.Number->setText(TableCVW.fieldText(first ? "PHONE" : "PHONE2"));
    platform::CenterOnMainForm(dialer);
    platform::CurrentDialogs().exec(dialer);
}
