#pragma once

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal standing in for a modem on a serial port: the program writes to its device
// (the slave side) and the test reads what arrived on the master side. The test holds the
// device open too, so that what was written stays readable after the program closes it; the
// device keeps the system's default line settings, newline translation included.
class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            return;
        const char* name = ptsname(master_);
        if (!name)
            return;
        devicePath_ = QString::fromLocal8Bit(name);
        held_ = ::open(name, O_RDWR | O_NOCTTY);
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    ~PseudoTerminal() {
        if (held_ >= 0)
            ::close(held_);
        if (master_ >= 0)
            ::close(master_);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool valid() const { return master_ >= 0 && held_ >= 0; }
    const QString& devicePath() const { return devicePath_; }
    // The device as held by the test, for looking at its line settings.
    int heldDevice() const { return held_; }

    // Everything that arrived since the last call.
    QByteArray received() {
        QByteArray bytes;
        char buffer[256];
        for (;;) {
            pollfd ready{master_, POLLIN, 0};
            if (poll(&ready, 1, 50) <= 0)
                break;
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.append(buffer, n);
        }
        return bytes;
    }

private:
    int master_ = -1;
    int held_ = -1;
    QString devicePath_;
};
