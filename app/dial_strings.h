#pragma once

#include <QString>
#include <QUrl>

// What a modem or the desktop is given to dial. A modem takes the letters of a dial command as
// instructions (T and P choose the dialling method, W waits, L redials the last number, S dials
// a stored one), and a line end or other control character would end the command early; so
// the number is cleaned before it is sent.

// The number as a modem dials it: letters become their keypad digits (ABC 2 ... WXYZ 9);
// digits, * and #, the pause comma and the separators a modem skips (blanks, dashes,
// brackets) stay; everything else is left out.
QString ModemNumber(const QString& number);

// The dialling prefix as typed, for it may hold the modem's own instructions ("9," or "9W"
// for an outside line): only what cannot be part of a command line (control characters and
// anything beyond ASCII) is left out.
QString ModemPrefix(const QString& prefix);

// The tel: link of a prefix and a number for the desktop's telephone program: digits, * and #,
// a leading + and the separators - . ( ) of both, the number's letters as keypad digits; the
// prefix's modem instructions (letters, pauses) are left out.
QUrl TelLink(const QString& prefix, const QString& number);
