#pragma once

// What a user sees of the "What's this?" texts of a window's controls.
#include "platform/whats_this.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace testing_whats_this {

// The text shown while the function runs (empty when none).
template <typename F> QString ShownBy(F&& act) {
    QString shown;
    platform::SetWhatsThisHandler([&shown](QWidget&, const QString& text) { shown = text; });
    act();
    platform::SetWhatsThisHandler({});
    return shown;
}

// Right-clicks the control, picks "What's this?" from the menu that opens and answers the text
// shown; empty when no menu opens or it has no such item.
inline QString RightClick(QWidget& control) {
    return ShownBy([&control] {
        QTimer pick;
        pick.setSingleShot(true);
        QObject::connect(&pick, &QTimer::timeout, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* item : menu->actions()) {
                if (item->text() == "What's this?") {
                    QTest::mouseClick(menu, Qt::LeftButton, {},
                                      menu->actionGeometry(item).center());
                    return;
                }
            }
            menu->close();
        });
        pick.start(0);
        // The window system turns a right click into this event, sent to the widget under the
        // mouse: the viewport of a scroll area.
        QWidget* target = &control;
        if (auto* area = qobject_cast<QAbstractScrollArea*>(&control))
            target = area->viewport();
        const QPoint at = target->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
    });
}

// Clicks the window's question-mark button, then the control, and answers the text shown.
inline QString QuestionMark(QWidget& window, QWidget& control) {
    auto* button = window.findChild<QToolButton*>("WhatsThisButton");
    if (!button)
        return {};
    return ShownBy([&] {
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(&control, Qt::LeftButton, {}, control.rect().center());
    });
}

// The controls a user can right-click for help: the window's buttons and boxes. The program
// names every control it makes; unnamed ones are inner parts of a control (a grid's corner).
inline QList<QWidget*> Controls(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (child->objectName().isEmpty())
            continue;
        if (qobject_cast<QAbstractButton*>(child) || qobject_cast<QLineEdit*>(child))
            controls << child;
    }
    return controls;
}

// The names of the controls whose right-click shows no text, or another text than the
// question-mark mode would; empty when every control explains itself.
inline QStringList Unexplained(const QList<QWidget*>& controls) {
    QStringList names;
    for (QWidget* control : controls) {
        const QString shown = RightClick(*control);
        if (shown.isEmpty() || shown != control->whatsThis())
            names << control->objectName();
    }
    return names;
}

} // namespace testing_whats_this
