#include "pageout/preview_form.h"

#include "pageout/magnifier_cursor.h"
#include "platform/dialogs.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace pageout {

namespace {

QToolButton* makeButton(QWidget* parent, QLayout* layout, const char* name, const QString& text,
                        const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setWhatsThis(tip);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(button);
    return button;
}

} // namespace

TPreviewForm::TPreviewForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PreviewForm"));
    resize(820, 640);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);
    ZoomInButton = makeButton(this, bar, "ZoomInButton", tr("Zoom &In"), tr("Enlarge the page"));
    ZoomOutButton =
        makeButton(this, bar, "ZoomOutButton", tr("Zoom &Out"), tr("Make the page smaller"));
    PageWidthButton = makeButton(this, bar, "PageWidthButton", tr("Page &Width"),
                                 tr("Fit the width of the page into the window"));
    WholePageButton = makeButton(this, bar, "WholePageButton", tr("W&hole Page"),
                                 tr("Fit the whole page into the window"));
    Zoom100Button =
        makeButton(this, bar, "Zoom100Button", tr("100%"), tr("Show the page at its printed size"));
    FirstButton = makeButton(this, bar, "FirstButton", tr("|<"), tr("First page"));
    PriorButton = makeButton(this, bar, "PriorButton", tr("<"), tr("Previous page"));
    NextButton = makeButton(this, bar, "NextButton", tr(">"), tr("Next page"));
    LastButton = makeButton(this, bar, "LastButton", tr(">|"), tr("Last page"));
    bar->addStretch();
    SaveButton = makeButton(this, bar, "SaveButton", tr("&Save PDF..."),
                            tr("Save the previewed pages as a PDF file"));
    OkButton = makeButton(this, bar, "OkButton", tr("Ok"), tr("Close the preview"));
    HelpButton = makeButton(this, bar, "HelpButton", tr("Help"), tr("Help on the preview"));

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ScrollBox->setBackgroundRole(QPalette::Dark);
    ScrollBox->setCursor(MagnifierCursor());
    ScrollBox->setWhatsThis(tr("Left click to zoom in, right click to zoom out"));
    ScrollBox->setFocusPolicy(Qt::StrongFocus);
    ScrollBox->installEventFilter(this);
    layout->addWidget(ScrollBox, 1);

    Preview.ScrollBox = ScrollBox;
    Preview.MarginPercent = 2.5;
    Preview.ShadowDepth = 0;
    Preview.OnZoomChange = [this] { updateCaption(); };
    Preview.OnPageChange = [this] { updateCaption(); };
    Preview.OnPageClick = [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            Preview.ZoomStepIn();
        else
            Preview.ZoomStepOut();
    };

    connect(ZoomInButton, &QToolButton::clicked, this, [this] { Preview.ZoomStepIn(); });
    connect(ZoomOutButton, &QToolButton::clicked, this, [this] { Preview.ZoomStepOut(); });
    connect(PageWidthButton, &QToolButton::clicked, this, [this] { ApplyZoomMode(PageWidth); });
    connect(WholePageButton, &QToolButton::clicked, this, [this] { ApplyZoomMode(WholePage); });
    connect(Zoom100Button, &QToolButton::clicked, this, [this] { ApplyZoomMode(100); });
    connect(FirstButton, &QToolButton::clicked, this, [this] { Preview.ShowPage(1); });
    connect(PriorButton, &QToolButton::clicked, this, [this] { Preview.PriorPage(); });
    connect(NextButton, &QToolButton::clicked, this, [this] { Preview.NextPage(); });
    connect(LastButton, &QToolButton::clicked, this,
            [this] { Preview.ShowPage(Preview.PageCount()); });
    connect(SaveButton, &QToolButton::clicked, this, &TPreviewForm::saveAsPdf);
    connect(OkButton, &QToolButton::clicked, this, &QDialog::accept);
    connect(HelpButton, &QToolButton::clicked, this, [this] {
        if (OnHelp)
            OnHelp();
    });
}

TPreviewForm::~TPreviewForm() {
    Preview.EndPreview();
}

void TPreviewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TPreviewForm::FormActivate() {
    if (activated_)
        return;
    activated_ = true;
    if (layout())
        layout()->activate();
    Preview.BeginPreview();
    ApplyZoomMode(ZoomMode);
    const bool severalPages = Preview.PageCount() >= 2;
    for (QToolButton* button : {FirstButton, PriorButton, NextButton, LastButton})
        button->setVisible(severalPages);
    ScrollBox->setFocus();
    updateCaption();
}

void TPreviewForm::ApplyZoomMode(int mode) {
    if (mode == WholePage)
        Preview.SetZoomFactor(Preview.WholePageZoom());
    else if (mode == PageWidth)
        Preview.SetZoomFactor(Preview.PageWidthZoom());
    else
        Preview.SetZoomFactor(mode);
}

void TPreviewForm::updateCaption() {
    if (!Preview.Previewing())
        return;
    setWindowTitle(PreviewCaption(Preview.CurrentPreviewPage(), Preview.FirstPage,
                                  Preview.PageCount(), Preview.ZoomFactor()));
}

void TPreviewForm::scrollBy(int steps) {
    QScrollBar* bar = ScrollBox->verticalScrollBar();
    bar->setValue(bar->value() + steps * bar->singleStep());
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ScrollBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            scrollBy(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPreviewForm::saveAsPdf() {
    if (!Preview.Stream() || Preview.Stream()->isEmpty())
        return;
    platform::FileRequest request;
    request.save = true;
    request.caption = tr("Save Preview as PDF");
    request.filter = QStringLiteral("PDF Files|*.pdf");
    request.defaultExtension = QStringLiteral("pdf");
    request.askOverwrite = true;
    const std::optional<QString> name = platform::CurrentDialogs().fileName(request);
    if (!name || name->isEmpty())
        return;
    if (!SaveStreamAsPdf(*Preview.Stream(), *name, windowTitle()))
        platform::ShowInfo(tr("Unable to write the file %1").arg(*name));
}

void TPreviewForm::done(int result) {
    Preview.EndPreview();
    QDialog::done(result);
}

} // namespace pageout
