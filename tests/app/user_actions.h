#pragma once

#include "app/address_main.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

// What a user does to the main window: open a menu and click one of its items, click a
// button or a tab, click into a box and type.
namespace user {

// The menu of the menu bar that holds the item.
inline QMenu* menuOf(QAction* item) {
    for (QObject* owner : item->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(owner))
            return menu;
    return nullptr;
}

// Clicks the menu's title in the menu bar and then the item in the menu that opens; answers
// whether the menu opened. An item of a submenu (File, "&Import") is reached through the item
// that opens the submenu. An item of the hidden edit menu is chosen by triggering it, as its
// shortcut does.
inline bool chooseMenuItem(TAddressMain& form, const QString& handler) {
    QAction* item = form.menuAction(handler);
    QMenu* menu = item ? menuOf(item) : nullptr;
    if (!menu)
        return false;
    QMenuBar* bar = form.menuBar();
    if (!menu->menuAction()->isVisible()) {
        item->trigger();
        return true;
    }
    // The menu of the bar that opens the submenu; a menu of the bar itself is its own top.
    QMenu* top = menu;
    for (QObject* owner : menu->menuAction()->associatedObjects())
        if (auto* parent = qobject_cast<QMenu*>(owner);
            parent && parent != menu && bar->actions().contains(parent->menuAction()))
            top = parent;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top->menuAction()).center());
    if (!top->isVisible())
        return false;
    if (top != menu) {
        QTest::mouseClick(top, Qt::LeftButton, {},
                          top->actionGeometry(menu->menuAction()).center());
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000)) {
            top->close();
            return false;
        }
    }
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    // A disabled item leaves the menu open.
    for (QMenu* open : {menu, top})
        if (open->isVisible())
            open->close();
    return true;
}

inline void click(TAddressMain& form, const char* button) {
    auto* target = form.findChild<QPushButton*>(button);
    QVERIFY2(target, button);
    QTest::mouseClick(target, Qt::LeftButton);
}

// Clicks a check box or radio button on its box, which takes the click wherever the layout
// has stretched the control.
inline void clickBox(QAbstractButton* box) {
    QVERIFY(box);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

inline void showTab(TAddressMain& form, int index) {
    QTest::mouseClick(form.TabSet, Qt::LeftButton, {}, form.TabSet->tabRect(index).center());
}

// Clicks into the box, selects what it holds and types the text over it.
inline void typeInto(QWidget* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

} // namespace user
