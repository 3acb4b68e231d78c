#pragma once

#include <QApplication>

#include <memory>

namespace tool {

// Drawing, text layout and the editor need a GUI application; without a display the offscreen
// platform serves. Nothing is made when an application exists already.
std::unique_ptr<QApplication> MakeGuiApplication();

} // namespace tool
