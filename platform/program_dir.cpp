#include "platform/program_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

QString& homeOverride() {
    static QString folder;
    return folder;
}

QString& databaseFile() {
    static QString file;
    return file;
}

} // namespace

QString WithFinalSeparator(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith('/') || folder.endsWith('\\'))
        return folder;
    return folder + '/';
}

QString ProgramDir() {
    QString folder = homeOverride();
    if (folder.isEmpty())
        folder = qEnvironmentVariable("CORVANE_HOME");
    if (folder.isEmpty())
        folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                              : QDir::currentPath();
    return WithFinalSeparator(QDir::cleanPath(QDir(folder).absolutePath()));
}

void SetProgramDir(const QString& folder) {
    homeOverride() = folder;
}

QStringList TakeHomeArgument(const QStringList& arguments) {
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--home" && i + 1 < arguments.size()) {
            SetProgramDir(arguments[++i]);
        } else if (argument.startsWith("--home=")) {
            SetProgramDir(argument.mid(7));
        } else {
            rest << argument;
        }
    }
    return rest;
}

QString GetDatabasePath() {
    if (databaseFile().isEmpty())
        return {};
    return WithFinalSeparator(QFileInfo(databaseFile()).absolutePath());
}

void SetDatabaseFile(const QString& fullPath) {
    databaseFile() = fullPath;
}

} // namespace platform
