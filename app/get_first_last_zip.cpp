#include "app/get_first_last_zip.h"

#include "controls/enter_edit.h"
#include "platform/dialogs.h"
#include "platform/help.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TGetFirstLastZip::TGetFirstLastZip(bool askName, bool askZip, QWidget* parent) : QDialog(parent) {
    setObjectName("GetFirstLastZip");
    setWindowTitle("New Record");
    setFixedSize(330, 150);
    auto field = [this](const QString& caption, const QString& name, int width, int y) {
        auto* label = new QLabel(caption, this);
        label->setGeometry(12, y, 150, 21);
        auto* edit = new TEnterEdit(this);
        edit->setObjectName(name);
        edit->setMaxLength(width);
        edit->setGeometry(166, y, 150, 21);
        label->setBuddy(edit);
        return std::pair{label, edit};
    };
    auto [lastLabel, last] = field("Last Name", "LastName", 30, 12);
    auto [firstLabel, first] = field("First Name", "FirstName", 30, 40);
    // Without the name boxes the ZIP box takes the place of the last-name box.
    auto [zipLabel, zip] = field("Zip Code or Postal Code", "Zip", 10, askName ? 68 : 12);
    LastName = last;
    FirstName = first;
    Zip = zip;
    LastName->setWhatsThis("The last name of the new record; used to look for a duplicate.");
    FirstName->setWhatsThis("The first name of the new record; used to look for a duplicate.");
    Zip->setWhatsThis("The ZIP or postal code; city and state are filled in from a record "
                      "with the same code or, for a US ZIP code, from the ZIP code table.");
    for (QWidget* w : {static_cast<QWidget*>(lastLabel), static_cast<QWidget*>(last),
                       static_cast<QWidget*>(firstLabel), static_cast<QWidget*>(first)})
        w->setVisible(askName);
    zipLabel->setVisible(askZip);
    zip->setVisible(askZip);

    OKButton = new QPushButton("Ok [PgDn]", this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(12, 110, 90, 27);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(118, 110, 90, 27);
    auto* help = new QPushButton("Help", this);
    help->setGeometry(224, 110, 90, 27);
    OKButton->setWhatsThis("Add the record with these values.");
    CancelButton->setWhatsThis("Do not add a record.");
    connect(OKButton, &QPushButton::clicked, this, [this] { done(platform::ResultOk); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(platform::ResultCancel); });
    connect(help, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    Zip->installEventFilter(this);
    FirstName->installEventFilter(this);
}

void TGetFirstLastZip::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageDown) {
        done(platform::ResultOk);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        done(platform::ResultCancel);
        return;
    }
    QDialog::keyPressEvent(event);
}

// Enter in the ZIP box accepts, and so does leaving the first-name box by the keyboard while
// the ZIP box is hidden (a click on "Cancel" also leaves the box, and must still cancel).
bool TGetFirstLastZip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Zip && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            done(platform::ResultOk);
            return true;
        }
    }
    if (watched == FirstName && event->type() == QEvent::FocusOut && !Zip->isVisibleTo(this)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            done(platform::ResultOk);
    }
    return QDialog::eventFilter(watched, event);
}
