#include "app/address_main.h"
#include "app/application_identity.h"
#include "app/splash_form.h"
#include "platform/program_dir.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

// The home folder must exist (it is made when missing) and be writable: the address file,
// the settings file and the system tables live there.
bool homeIsUsable(const QString& home, QString& problem) {
    if (!QDir().mkpath(home)) {
        problem = "The program folder " + home + " does not exist and cannot be created.";
        return false;
    }
    const QFileInfo info(home);
    if (!info.isDir() || !info.isReadable() || !info.isWritable()) {
        problem = "The program folder " + home + " cannot be read and written.";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(resources);
    QApplication application(argc, argv);
    SetApplicationIdentity();
    platform::TakeHomeArgument(QApplication::arguments().mid(1));

    QString problem;
    if (!homeIsUsable(platform::ProgramDir(), problem)) {
        std::fprintf(stderr, "corvane: %s\n", qPrintable(problem));
        return 1;
    }

    TSplashform splash;
    splash.show();
    QApplication::processEvents();

    TAddressMain mainForm;
    mainForm.setSplash(&splash);
    mainForm.show();
    return QApplication::exec();
}
