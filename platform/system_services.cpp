#include "platform/system_services.h"

#include <QApplication>

namespace platform {

namespace {

std::function<void()>& beepHandler() {
    static std::function<void()> handler;
    return handler;
}

std::function<QDateTime()>& clock() {
    static std::function<QDateTime()> source;
    return source;
}

} // namespace

void Beep() {
    if (beepHandler())
        beepHandler()();
    else
        QApplication::beep();
}

void SetBeepHandler(std::function<void()> handler) {
    beepHandler() = std::move(handler);
}

QDateTime Now() {
    return clock() ? clock()() : QDateTime::currentDateTime();
}

QDate Today() {
    return Now().date();
}

void SetClock(std::function<QDateTime()> source) {
    clock() = std::move(source);
}

} // namespace platform
