#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The program's home folder: `--home DIR`, else CORVANE_HOME, else the executable's folder.
// Always ends in a separator so that names can be appended to it directly.
QString ProgramDir();

// Takes `--home DIR` (or `--home=DIR`) out of the arguments and remembers it. Call once at
// start, before ProgramDir() is first used. Returns the remaining arguments.
QStringList TakeHomeArgument(const QStringList& arguments);

// Overrides the home folder (tests give each run its own temporary home).
void SetProgramDir(const QString& folder);

// The folder of the open address file, with a final separator; empty while no file is open.
QString GetDatabasePath();
void SetDatabaseFile(const QString& fullPath);

// Appends a separator when the folder lacks one.
QString WithFinalSeparator(const QString& folder);

} // namespace platform
