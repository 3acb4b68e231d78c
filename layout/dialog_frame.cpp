#include "layout/dialog_frame.h"

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/whats_this.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QToolButton>

namespace layout {

DialogButtons AddDialogButtons(QDialog& dialog, QBoxLayout& layout, int helpTopic) {
    DialogButtons buttons;
    auto* row = new QHBoxLayout;
    const auto button = [&](const char* text, const char* name, const char* help) {
        auto* b = new QPushButton(QString::fromLatin1(text), &dialog);
        b->setObjectName(QString::fromLatin1(name));
        platform::GiveWhatsThis(*b, QString::fromLatin1(help));
        row->addWidget(b);
        return b;
    };
    buttons.OKButton = button("Ok", "OKButton", "Take the settings and close.");
    buttons.OKButton->setDefault(true);
    buttons.CancelButton = button("Cancel", "CancelButton", "Close without changing anything.");
    row->addStretch(1);
    buttons.HelpButton = button("Help", "HelpButton", "Show help on this window.");
    buttons.WhatsThisButton = platform::NewWhatsThisButton(&dialog);
    row->addWidget(buttons.WhatsThisButton);
    layout.addLayout(row);
    QObject::connect(buttons.OKButton, &QPushButton::clicked, &dialog,
                     [&dialog] { dialog.done(platform::ResultOk); });
    QObject::connect(buttons.CancelButton, &QPushButton::clicked, &dialog,
                     [&dialog] { dialog.done(platform::ResultCancel); });
    QObject::connect(buttons.HelpButton, &QPushButton::clicked, &dialog,
                     [helpTopic] { platform::ShowHelpTopic(helpTopic); });
    return buttons;
}

bool RunDialog(QDialog& dialog) {
    dialog.adjustSize();
    platform::CenterOnMainForm(dialog);
    return platform::CurrentDialogs().exec(dialog) == platform::ResultOk;
}

} // namespace layout
