#pragma once

#include <QString>

namespace platform {
class SettingsFile;
}

// The settings file's section "Dialing": what the dialer remembers between diallings, and
// whether numbers go to a modem or to the desktop's telephone program.
struct DialingSettings {
    QString Prefix;
    QString Init;         // the modem's initialization string: kept, never sent
    int Port = 0;         // 0 to 3 for COM1 to COM4
    int Method = 0;       // 0 tone, 1 pulse
    bool TelLink = false; // hand numbers to the desktop as tel: links instead of a modem

    static DialingSettings read(const platform::SettingsFile& settings);
    // The four keys the dialer writes: Prefix, Init, Port and Method.
    bool writeDialerKeys(platform::SettingsFile& settings) const;
    // The key the preferences write.
    bool writeTelLink(platform::SettingsFile& settings) const;
};
