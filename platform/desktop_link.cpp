#include "platform/desktop_link.h"

#include <QDesktopServices>

namespace platform {

namespace {

std::function<bool(const QUrl&)>& handler() {
    static std::function<bool(const QUrl&)> instance;
    return instance;
}

} // namespace

bool OpenDesktopLink(const QUrl& link) {
    return handler() ? handler()(link) : QDesktopServices::openUrl(link);
}

void SetDesktopLinkHandler(std::function<bool(const QUrl&)> replacement) {
    handler() = std::move(replacement);
}

} // namespace platform
