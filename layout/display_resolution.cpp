#include "layout/display_resolution.h"

#include "layout/surface_geometry.h"

#include <QGuiApplication>
#include <QScreen>

namespace layout {

double DisplayPixelsPerInch() {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

int InchesToPixels(double inches) {
    return RoundHalfEven(inches * DisplayPixelsPerInch());
}

} // namespace layout
