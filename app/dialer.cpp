#include "app/dialer.h"

#include "platform/dialogs.h"
#include "platform/serial_port.h"

namespace {

const QByteArray HangUp = "ATH\r\n";

} // namespace

QString ComPortName(TComPort port) {
    return QString("COM%1").arg(int(port) + 1);
}

QByteArray DialCommand(const QString& numberToDial, TMethod method) {
    return (method == TMethod::dmPulse ? "ATDP" : "ATDT") + numberToDial.toLatin1() + "\r\n";
}

void TDialer::Dial() {
    if (Confirm && !platform::ConfirmYesNo(
                       "About to dial the number " + NumberToDial + ". Are you sure?", "Dial"))
        return;
    const QString name = ComPortName(ComPort);
    const std::unique_ptr<platform::SerialPort> port = platform::SerialPort::open(name);
    if (!port) {
        platform::ShowError("Unable to open " + name);
        return;
    }
    if (!port->write(DialCommand(NumberToDial, Method))) {
        platform::ShowError("Unable to dial number");
        return;
    }
    platform::ShowInfo("Pick up phone");
    // A modem left off the hook keeps the line busy: the user must know.
    if (!port->write(HangUp))
        platform::ShowError("Unable to hang up the modem on " + name);
}
