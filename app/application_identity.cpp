#include "app/application_identity.h"

#include <QCoreApplication>

void SetApplicationIdentity() {
    QCoreApplication::setApplicationName("Corvane");
    QCoreApplication::setApplicationVersion("2.0");
}
