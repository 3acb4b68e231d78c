#pragma once

#include <QHash>
#include <QString>

#include <functional>

class QPoint;
class QToolButton;
class QWidget;

namespace platform {

// Gives a control its short "What's this?" text. The text shows from the control's right-click
// menu item "What's this?" and when the control is clicked in question-mark mode (after the
// what's-this button). Giving a control a text again replaces it.
void GiveWhatsThis(QWidget& control, const QString& text);
// The same for a control whose right-click opens its own menu (a design surface): the text
// shows in question-mark mode only.
void GiveQuestionMarkText(QWidget& control, const QString& text);
// Gives every child of the window whose object name is in the table the text the table holds.
void GiveWhatsThisTexts(QWidget& window, const QHash<QString, QString>& texts);

// The what's-this button ("?", object name "WhatsThisButton"): a click starts question-mark mode.
QToolButton* NewWhatsThisButton(QWidget* parent);

// Shows a control's text at a point on the screen and ends question-mark mode.
void ShowWhatsThis(QWidget& control, const QPoint& globalAt);
// Tests see the texts shown instead of the popup (nullptr restores it).
void SetWhatsThisHandler(std::function<void(QWidget& control, const QString& text)> handler);

} // namespace platform
