#include "layout/surface_menu.h"

#include "layout/base_panel.h"
#include "layout/handle.h"

#include <QFileInfo>
#include <QMenu>

#include <functional>

namespace layout {

namespace {

enum class Enabled { Selection, Objects, ClipboardFile, Always };

} // namespace

QMenu* BuildSurfaceMenu(TGBasePanel& surface) {
    auto* menu = new QMenu(&surface);
    menu->setObjectName(QStringLiteral("SurfaceMenu"));
    TGBasePanel* s = &surface;
    QList<std::pair<QAction*, Enabled>> rules;
    const auto entry = [&](const QString& text, Enabled enabled, std::function<void()> command) {
        QAction* item = menu->addAction(text);
        QObject::connect(item, &QAction::triggered, s, std::move(command));
        rules.append({item, enabled});
    };
    const auto clipboard = [s](ClipboardAction action) {
        return [s, action] { s->ClipboardCommand(action); };
    };
    const auto align = [s](Alignment alignment) {
        return [s, alignment] { s->AlignSelection(alignment); };
    };
    entry(QStringLiteral("Bring To Front"), Enabled::Selection,
          [s] { s->BringSelectionToFront(); });
    entry(QStringLiteral("Send To Back"), Enabled::Selection, [s] { s->SendSelectionToBack(); });
    menu->addSeparator();
    entry(QStringLiteral("Cut"), Enabled::Selection, clipboard(ClipboardAction::Cut));
    entry(QStringLiteral("Copy"), Enabled::Selection, clipboard(ClipboardAction::Copy));
    entry(QStringLiteral("Paste"), Enabled::ClipboardFile, clipboard(ClipboardAction::Paste));
    menu->addSeparator();
    entry(QStringLiteral("Delete"), Enabled::Selection, clipboard(ClipboardAction::Delete));
    menu->addSeparator();
    entry(QStringLiteral("Align Left"), Enabled::Selection, align(Alignment::Left));
    entry(QStringLiteral("Align Right"), Enabled::Selection, align(Alignment::Right));
    entry(QStringLiteral("Align Tops"), Enabled::Selection, align(Alignment::Tops));
    entry(QStringLiteral("Align Bottoms"), Enabled::Selection, align(Alignment::Bottoms));
    menu->addSeparator();
    entry(QStringLiteral("Center Vertically"), Enabled::Selection,
          [s] { s->CenterSelectionVertically(); });
    entry(QStringLiteral("Center Horizontally"), Enabled::Selection,
          [s] { s->CenterSelectionHorizontally(); });
    menu->addSeparator();
    entry(QStringLiteral("Lock All"), Enabled::Objects, [s] { s->LockAll(true); });
    entry(QStringLiteral("Unlock All"), Enabled::Objects, [s] { s->LockAll(false); });
    menu->addSeparator();
    entry(QStringLiteral("Mark All Selectable"), Enabled::Always,
          [s] { s->MarkAllUnselectable(false); });
    entry(QStringLiteral("Mark All Unselectable"), Enabled::Always,
          [s] { s->MarkAllUnselectable(true); });
    entry(QStringLiteral("Select All"), Enabled::Always, [s] { s->SelectAll(); });
    menu->addSeparator();
    entry(QStringLiteral("Font"), Enabled::Selection, [s] { s->ChooseFont(); });

    QObject::connect(menu, &QMenu::aboutToShow, s, [s, rules] {
        const bool selection = s->Handle().SelectedCount() > 0;
        const bool objects = !s->Objects().isEmpty();
        const bool clipboardFile = QFileInfo::exists(s->ClipboardFile());
        for (const auto& [item, enabled] : rules) {
            switch (enabled) {
            case Enabled::Selection:
                item->setEnabled(selection);
                break;
            case Enabled::Objects:
                item->setEnabled(objects);
                break;
            case Enabled::ClipboardFile:
                item->setEnabled(clipboardFile);
                break;
            case Enabled::Always:
                item->setEnabled(true);
                break;
            }
        }
    });
    return menu;
}

} // namespace layout
