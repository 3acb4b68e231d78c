#pragma once

#include <QString>

class QWidget;

// The short "What's this?" text of a main window control, by object name; empty when none.
QString WhatsThisText(const QString& objectName);

// Gives every child of the window that has a text in the table its text.
void ApplyWhatsThisTexts(QWidget& window);
