#pragma once

#include <QDate>
#include <QDateTime>

#include <functional>

namespace platform {

// The warning beep; tests count beeps instead of hearing them.
void Beep();
// Replaces the beep (nullptr restores the real one).
void SetBeepHandler(std::function<void()> handler);

// Today's date and the current time; tests fix them.
QDate Today();
QDateTime Now();
void SetClock(std::function<QDateTime()> clock);

} // namespace platform
