#include "platform/program_dir.h"
#include "platform/serial_port.h"
#include "platform/settings_file.h"
#include "tests/platform/pseudo_terminal.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/file.h>

namespace {

// COM2 is a pseudo-terminal, named in the settings file of a temporary home.
class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(modem.valid());
        platform::SetProgramDir(home.path());
        platform::SettingsFile::program().writeString("Serial Ports", "COM2", modem.devicePath());
    }
    QTemporaryDir home;
    PseudoTerminal modem;
};

TEST_F(SerialPortTest, ComPortsMapToTheSerialDevicesUnlessTheSettingsNameAnother) {
    EXPECT_EQ(platform::SerialDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(platform::SerialDevicePath("COM2"), modem.devicePath());
    EXPECT_EQ(platform::SerialDevicePath("COM4"), "/dev/ttyS3");
    platform::SettingsFile::program().writeString("serial ports", "com4", "/dev/ttyUSB0");
    EXPECT_EQ(platform::SerialDevicePath("COM4"), "/dev/ttyUSB0");
}

TEST_F(SerialPortTest, BytesGoOutUnchangedAndTheLineSettingsComeBack) {
    termios before{};
    ASSERT_EQ(tcgetattr(modem.heldDevice(), &before), 0);
    ASSERT_TRUE(before.c_oflag & OPOST); // the system would turn LF into CR LF
    {
        auto port = platform::SerialPort::open("COM2");
        ASSERT_TRUE(port);
        EXPECT_TRUE(port->write("ATDT555\r\n"));
        EXPECT_TRUE(port->write(QByteArray("\n\x00\xff", 3)));
    }
    EXPECT_EQ(modem.received(), QByteArray("ATDT555\r\n\n\x00\xff", 12));
    termios after{};
    ASSERT_EQ(tcgetattr(modem.heldDevice(), &after), 0);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
}

TEST_F(SerialPortTest, APortThatIsAbsentNotADeviceOrInUseDoesNotOpen) {
    platform::SettingsFile settings = platform::SettingsFile::program();
    settings.writeString("Serial Ports", "COM1", home.path() + "/no-such-device");
    EXPECT_FALSE(platform::SerialPort::open("COM1"));
    EXPECT_FALSE(QFile::exists(home.path() + "/no-such-device")); // never created

    QFile plain(home.path() + "/plain-file");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    settings.writeString("Serial Ports", "COM1", plain.fileName());
    EXPECT_FALSE(platform::SerialPort::open("COM1"));
    settings.writeString("Serial Ports", "COM1", "/dev/null");
    EXPECT_FALSE(platform::SerialPort::open("COM1"));

    {
        auto held = platform::SerialPort::open("COM2");
        ASSERT_TRUE(held);
        EXPECT_FALSE(platform::SerialPort::open("COM2"));
    }
    // Another program's lock keeps the port too.
    const int other = ::open(modem.devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(platform::SerialPort::open("COM2"));
    ::close(other);
    EXPECT_TRUE(platform::SerialPort::open("COM2"));
}

// A device that stops taking bytes, as a modem does that holds them back by flow control,
// fails the write after the timeout instead of hanging the program.
TEST_F(SerialPortTest, AWriteThatCannotGoOutFailsInsteadOfBlocking) {
    platform::SerialPort::SetWriteTimeout(200);
    auto port = platform::SerialPort::open("COM2");
    ASSERT_TRUE(port);
    ASSERT_EQ(tcflow(modem.heldDevice(), TCOOFF), 0); // output suspended
    const QByteArray block(4096, 'x');
    bool written = true;
    for (int i = 0; i < 64 && written; ++i)
        written = port->write(block);
    EXPECT_FALSE(written);
    tcflow(modem.heldDevice(), TCOON);
    port.reset();
    platform::SerialPort::SetWriteTimeout(3000);
}

} // namespace
