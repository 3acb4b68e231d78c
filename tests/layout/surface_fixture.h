#pragma once

// A label surface shown in a window for widget tests: its own program folder, a clock the test
// steps instead of sleeping, the private layout format, and a user's mouse and keys going
// through the window system to whatever widget is under the mouse or has the grab.
#include "box_object.h"
#include "test_layout_format.h"

#include "layout/handle.h"
#include "layout/label_panel.h"

#include "platform/program_dir.h"
#include "platform/system_services.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

namespace testing_layout {

class SurfaceFixture {
public:
    explicit SurfaceFixture(QSize size = {400, 300}) {
        platform::SetProgramDir(home.path());
        platform::SetClock([this] { return QDateTime::fromMSecsSinceEpoch(now); });
        window.resize(size + QSize(40, 40));
        surface = new layout::TGLabelPanel(&window);
        surface->setGeometry(QRect(QPoint(20, 20), size));
        surface->MakeClassKnown(QStringLiteral("TBoxObject"), [] { return new TBoxObject; });
        surface->LabelChangedEvent = [this](layout::TGBasePanel&) { ++changes; };
        window.show();
        window.activateWindow();
        ready = QTest::qWaitForWindowActive(&window);
    }
    ~SurfaceFixture() { platform::SetClock({}); }

    layout::TGHandle& handle() const { return surface->Handle(); }

    // A new box on the surface, placed as the screens place objects.
    TBoxObject* add(const QRect& bounds, const QString& caption = {}) {
        auto* box = new TBoxObject;
        box->SetCaption(caption);
        box->Loaded();
        surface->AddObject(box, layout::Edges::Of(bounds));
        return box;
    }

    void wait(qint64 ms) { now += ms; }
    QPoint at(QPoint point) const { return surface->mapTo(&window, point); }
    void press(QPoint point, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(window.windowHandle(), button, modifiers, at(point));
    }
    void move(QPoint point) { QTest::mouseMove(window.windowHandle(), at(point)); }
    void release(QPoint point, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseRelease(window.windowHandle(), button, modifiers, at(point));
    }
    void click(QPoint point, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = {}) {
        press(point, button, modifiers);
        wait(50);
        release(point, button, modifiers);
        wait(500);
    }
    // A drag as a hand makes it: the press, a pause, moves on the way, and the release after
    // `heldMs` in all.
    void drag(QPoint from, QPoint to, qint64 heldMs = 300) {
        press(from);
        wait(20);
        move(from + QPoint(1, 1));
        for (int step = 1; step <= 4; ++step) {
            wait(20);
            move(from + (to - from) * step / 4);
        }
        wait(heldMs - 100);
        release(to);
        wait(500);
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(window.windowHandle(), key, modifiers);
    }

    // The entries of the popup menu that is open, and a click on one of them; false when no
    // menu is open or the entry is missing or disabled.
    static QMenu* openMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    static QStringList menuEntries() {
        QStringList entries;
        if (QMenu* menu = openMenu())
            for (const QAction* item : menu->actions())
                entries << (item->isSeparator() ? QStringLiteral("-") : item->text());
        return entries;
    }
    static bool pick(const QString& text) {
        QMenu* menu = openMenu();
        if (!menu)
            return false;
        for (QAction* item : menu->actions()) {
            if (item->text() != text)
                continue;
            if (!item->isEnabled()) {
                menu->close();
                return false;
            }
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
            QCoreApplication::processEvents(); // commands of objects run once the menu is done
            return true;
        }
        menu->close();
        return false;
    }

    QTemporaryDir home;
    TestLayoutFormat format;
    qint64 now = 1'000'000'000'000;
    QWidget window;
    layout::TGLabelPanel* surface = nullptr;
    int changes = 0;
    bool ready = false;
};

} // namespace testing_layout
