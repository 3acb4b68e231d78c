// Reads and rewrites a settings file of arbitrary bytes: no crash, and a value written reads
// back unchanged.
#include "platform/settings_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;
    const QString path = folder.path() + "/CORVAN.ini";
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    platform::SettingsFile settings(path);
    settings.readString("MRU", "Item1");
    settings.readBool("Adding", "PlugDate");
    settings.readInteger("Dialing", "Port");
    QString value;
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 40); ++i) {
        if (data[i] >= 0x20 && data[i] < 0x7f)
            value += QChar(data[i]);
    }
    if (settings.writeString("Misc", "GlobalTagId", value) &&
        settings.readString("Misc", "GlobalTagId") != value)
        std::abort();
    return 0;
}
