#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace platform {

// The device a port name stands for: "COM1" to "COM4" are /dev/ttyS0 to /dev/ttyS3 unless the
// settings file names another device for the port in its section "Serial Ports"
// ("COM1=/dev/ttyUSB0"). Any other name is taken as a device path.
QString SerialDevicePath(const QString& portName);

// A serial device held for writing. It opens only when it exists as a terminal device that no
// other program holds, and no other program can open it while it is held. Its line settings
// (speed, parity, flow control) stay as the system has them; only the translation of line
// ends is switched off while it is held, so that the bytes written go out unchanged.
class SerialPort {
public:
    // Nothing when the port cannot be opened: absent, not a terminal, or in use.
    static std::unique_ptr<SerialPort> open(const QString& portName);
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // True when every byte went to the device within a few seconds; a device that stops taking
    // bytes (a modem holding back by flow control) gives false instead of blocking.
    bool write(const QByteArray& bytes);

    // How long a write may wait for the device; tests make it short.
    static void SetWriteTimeout(int milliseconds);

private:
    struct Saved;
    SerialPort(int fd, std::unique_ptr<Saved> saved);
    int fd_;
    std::unique_ptr<Saved> saved_;
};

} // namespace platform
