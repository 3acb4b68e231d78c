#include "platform/serial_port.h"

#include "platform/settings_file.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

std::atomic<int> writeTimeout{3000};

const char* const DefaultDevices[] = {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};

using Clock = std::chrono::steady_clock;

int msLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

} // namespace

struct SerialPort::Saved {
    termios settings;
};

QString SerialDevicePath(const QString& portName) {
    const QString name = portName.trimmed().toUpper();
    for (int i = 0; i < 4; ++i) {
        if (name != QString("COM%1").arg(i + 1))
            continue;
        const QString chosen = SettingsFile::program().readString("Serial Ports", name).trimmed();
        return chosen.isEmpty() ? QString(DefaultDevices[i]) : chosen;
    }
    return portName;
}

void SerialPort::SetWriteTimeout(int milliseconds) {
    writeTimeout = milliseconds;
}

std::unique_ptr<SerialPort> SerialPort::open(const QString& portName) {
    const QByteArray path = QFile::encodeName(SerialDevicePath(portName));
    if (path.isEmpty())
        return nullptr;
    // Without O_NONBLOCK opening a port waits for the modem's carrier; writes then poll.
    const int fd = ::open(path.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    auto saved = std::make_unique<Saved>();
    // Another program that holds the port holds its lock; ours keeps others out in turn.
    if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode) || !isatty(fd) ||
        tcgetattr(fd, &saved->settings) != 0 || flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    ioctl(fd, TIOCEXCL);
    termios raw = saved->settings;
    raw.c_oflag &= ~tcflag_t(OPOST);
    if (tcsetattr(fd, TCSANOW, &raw) != 0) {
        ioctl(fd, TIOCNXCL);
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<SerialPort>(new SerialPort(fd, std::move(saved)));
}

SerialPort::SerialPort(int fd, std::unique_ptr<Saved> saved) : fd_(fd), saved_(std::move(saved)) {}

SerialPort::~SerialPort() {
    // Closing waits for unsent bytes, which a port held back by flow control never sends: wait
    // a while, then drop them.
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(writeTimeout);
    int pending = 0;
    while (ioctl(fd_, TIOCOUTQ, &pending) == 0 && pending > 0 && msLeft(deadline) > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (pending > 0)
        tcflush(fd_, TCOFLUSH);
    tcsetattr(fd_, TCSANOW, &saved_->settings);
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
}

bool SerialPort::write(const QByteArray& bytes) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(writeTimeout);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        const int left = msLeft(deadline);
        if (left == 0)
            return false;
        pollfd waiting{fd_, POLLOUT, 0};
        const int ready = poll(&waiting, 1, left);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || (waiting.revents & (POLLERR | POLLHUP | POLLNVAL)))
            return false;
    }
    return true;
}

} // namespace platform
