#include "platform/help.h"

#include "platform/dialogs.h"

#include <QDialog>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace platform {

namespace {

std::function<void(HelpRequest, int)>& helpHandler() {
    static std::function<void(HelpRequest, int)> handler;
    return handler;
}

// One help window for the whole program; it stays open beside the other windows.
class HelpWindow : public QDialog {
public:
    HelpWindow() {
        setWindowTitle("Corvane Help");
        setAttribute(Qt::WA_DeleteOnClose);
        auto* layout = new QVBoxLayout(this);
        browser = new QTextBrowser(this);
        browser->setOpenLinks(true);
        layout->addWidget(browser);
        resize(520, 460);
    }
    QTextBrowser* browser = nullptr;
};

QPointer<HelpWindow>& window() {
    static QPointer<HelpWindow> instance;
    return instance;
}

} // namespace

QString HelpPageUrl(HelpRequest request, int topic) {
    switch (request) {
    case HelpRequest::Topic: {
        const QString page = QString(":/help/%1.html").arg(topic);
        if (QFile::exists(page))
            return "qrc" + page;
        break;
    }
    case HelpRequest::HelpOnHelp:
        return "qrc:/help/helponhelp.html";
    case HelpRequest::Search:
    case HelpRequest::Contents:
        break;
    }
    return "qrc:/help/index.html";
}

void ShowHelp(HelpRequest request, int topic, const QString&) {
    if (helpHandler()) {
        helpHandler()(request, topic);
        return;
    }
    if (!window())
        window() = new HelpWindow;
    window()->browser->setSource(QUrl(HelpPageUrl(request, topic)));
    window()->show();
    window()->raise();
}

void SetHelpHandler(std::function<void(HelpRequest, int)> handler) {
    helpHandler() = std::move(handler);
}

} // namespace platform
