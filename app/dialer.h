#pragma once

#include <QByteArray>
#include <QString>

enum class TComPort { dpCOM1, dpCOM2, dpCOM3, dpCOM4 };
enum class TMethod { dmTone, dmPulse };

// "COM1" to "COM4".
QString ComPortName(TComPort port);

// The modem's dial command: "ATDT" (or "ATDP" for pulse dialling), the number, CR LF.
QByteArray DialCommand(const QString& numberToDial, TMethod method);

// Dials a number through a modem on a serial port: sends the dial command, tells the user to
// pick up the phone, and once that message is closed hangs the modem up. Failures are shown
// as error messages.
class TDialer {
public:
    TComPort ComPort = TComPort::dpCOM1;
    TMethod Method = TMethod::dmTone;
    QString NumberToDial; // as the modem is to get it (see dial_strings.h)
    bool Confirm = false; // ask before dialling

    void Dial();
};
