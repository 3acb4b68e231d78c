#include "app/dialing_settings.h"

#include "platform/settings_file.h"

namespace {

const char* const Section = "Dialing";

} // namespace

DialingSettings DialingSettings::read(const platform::SettingsFile& settings) {
    DialingSettings s;
    s.Prefix = settings.readString(Section, "Prefix");
    s.Init = settings.readString(Section, "Init");
    s.Port = settings.readInteger(Section, "Port", 0);
    s.Method = settings.readInteger(Section, "Method", 0);
    s.TelLink = settings.readBool(Section, "TelLink", false);
    return s;
}

bool DialingSettings::writeDialerKeys(platform::SettingsFile& settings) const {
    bool ok = settings.writeString(Section, "Prefix", Prefix);
    ok = settings.writeString(Section, "Init", Init) && ok;
    ok = settings.writeInteger(Section, "Port", Port) && ok;
    return settings.writeInteger(Section, "Method", Method) && ok;
}

bool DialingSettings::writeTelLink(platform::SettingsFile& settings) const {
    return settings.writeBool(Section, "TelLink", TelLink);
}
