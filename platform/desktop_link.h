#pragma once

#include <QUrl>

#include <functional>

namespace platform {

// Hands a link to the program the desktop has for its scheme (a tel: link to the telephone
// program); false when no program took it.
bool OpenDesktopLink(const QUrl& link);

// Tests receive the links instead of the desktop and answer whether one was taken (nullptr
// restores the desktop).
void SetDesktopLinkHandler(std::function<bool(const QUrl& link)> handler);

} // namespace platform
