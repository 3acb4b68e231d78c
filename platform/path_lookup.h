#pragma once

#include <QString>

namespace platform {

// Turns a stored or described name such as "DATA\add0001.DBF", "sysdata\" or a full path
// mixing both separators into the real path on this file system. Each component is matched
// without regard to letter case against what exists (an existing "SYSDATA" folder is the
// "sysdata\" folder); components that do not exist keep the spelling given. A relative name
// is taken relative to ProgramDir(). A trailing separator is kept.
QString RealPath(const QString& name);

// The same, relative to a given folder instead of the program folder.
QString RealPathIn(const QString& folder, const QString& name);

// True when the name, looked up as RealPath does, exists.
bool PathExists(const QString& name);

} // namespace platform
