#pragma once

#include <QApplication>

#include <memory>

namespace tool {

// The application that drawing and fonts need; without a display the offscreen platform
// serves. Null when one exists already.
std::unique_ptr<QApplication> MakeGuiApplication();

} // namespace tool
