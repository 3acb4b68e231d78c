#include "platform/whats_this.h"

#include <QAction>
#include <QEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QToolButton>
#include <QWhatsThis>
#include <QWidget>

namespace platform {

namespace {

std::function<void(QWidget&, const QString&)>& whatsThisHandler() {
    static std::function<void(QWidget&, const QString&)> handler;
    return handler;
}

// Marks a control that already offers its text, so that giving it again adds no second menu.
const char* const Given = "corvaneWhatsThisGiven";

// A click in question-mark mode reaches the control as a what's-this event; it goes through the
// same display as the right-click menu.
class QuestionMarkClicks : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::WhatsThis || !watched->isWidgetType())
            return false;
        auto* control = static_cast<QWidget*>(watched);
        if (control->whatsThis().isEmpty())
            return false;
        ShowWhatsThis(*control, static_cast<QHelpEvent*>(event)->globalPos());
        return true;
    }
};

// Shows the control's text when it is clicked in question-mark mode; null when it already does.
QuestionMarkClicks* giveQuestionMark(QWidget& control, const QString& text) {
    control.setWhatsThis(text);
    if (control.property(Given).toBool())
        return nullptr;
    control.setProperty(Given, true);
    auto* clicks = new QuestionMarkClicks(&control);
    control.installEventFilter(clicks);
    return clicks;
}

} // namespace

void GiveWhatsThis(QWidget& control, const QString& text) {
    QuestionMarkClicks* clicks = giveQuestionMark(control, text);
    if (!clicks)
        return;
    control.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&control, &QWidget::customContextMenuRequested, clicks,
                     [&control](const QPoint& at) {
                         QMenu menu(&control);
                         QAction* item = menu.addAction(QObject::tr("What's this?"));
                         const QPoint global = control.mapToGlobal(at);
                         if (menu.exec(global) == item)
                             ShowWhatsThis(control, global);
                     });
}

void GiveQuestionMarkText(QWidget& control, const QString& text) {
    giveQuestionMark(control, text);
}

void GiveWhatsThisTexts(QWidget& window, const QHash<QString, QString>& texts) {
    for (QWidget* child : window.findChildren<QWidget*>()) {
        const auto text = texts.constFind(child->objectName());
        if (text != texts.constEnd())
            GiveWhatsThis(*child, *text);
    }
}

QToolButton* NewWhatsThisButton(QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName("WhatsThisButton");
    button->setText("?");
    GiveWhatsThis(*button, QObject::tr("Click here, then on a control, to learn what it does."));
    QObject::connect(button, &QToolButton::clicked, button,
                     [] { QWhatsThis::enterWhatsThisMode(); });
    return button;
}

void ShowWhatsThis(QWidget& control, const QPoint& globalAt) {
    QWhatsThis::leaveWhatsThisMode();
    if (whatsThisHandler())
        whatsThisHandler()(control, control.whatsThis());
    else
        QWhatsThis::showText(globalAt, control.whatsThis(), &control);
}

void SetWhatsThisHandler(std::function<void(QWidget& control, const QString& text)> handler) {
    whatsThisHandler() = std::move(handler);
}

} // namespace platform
