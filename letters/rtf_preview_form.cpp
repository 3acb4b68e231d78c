#include "letters/rtf_preview_form.h"

#include "controls/rich_edit.h"
#include "data/table_object.h"
#include "letters/letter_run.h"
#include "letters/preview_zoom.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/whats_this.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace letters {

TPreviewPage::TPreviewPage(TRTFPreviewForm& form) : QWidget(), form_(form) {
    setObjectName("PreviewPage");
    setCursor(Qt::PointingHandCursor);
}

void TPreviewPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    form_.DrawCurrentPage(painter);
}

void TPreviewPage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        form_.setZoom(ZoomStepIn(form_.zoom_));
    else
        form_.setZoom(ZoomStepOut(form_.zoom_));
}

TRTFPreviewForm::TRTFPreviewForm(const controls::TRichEdit& templ, data::TTable& addresses,
                                 QWidget* parent)
    : QDialog(parent), template_(templ), addresses_(addresses),
      final_(std::make_unique<controls::TRichEdit>()) {
    setObjectName("RTFPreviewForm");
    setWindowTitle("Preview Letters");
    resize(700, 560);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);
    auto tool = [&](const char* text, const char* name, const char* whatsThis) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setText(text);
        button->setToolTip(whatsThis);
        platform::GiveWhatsThis(*button, whatsThis);
        bar->addWidget(button);
        return button;
    };
    sbZoomIn = tool("Zoom In", "sbZoomIn", "Shows the page larger (also a left click on it)");
    sbZoomOut = tool("Zoom Out", "sbZoomOut", "Shows the page smaller (also a right click on it)");
    sbZoomPageWidth = tool("Page Width", "sbZoomPageWidth", "Fits the page's width to the window");
    sbZoomPage = tool("Full Page", "sbZoomPage", "Fits the whole page into the window");
    bar->addSpacing(8);
    sbPrevPage = tool("< Page", "sbPrevPage", "Shows the letter's previous page");
    sbNextPage = tool("Page >", "sbNextPage", "Shows the letter's next page");
    bar->addSpacing(8);
    FirstButton = tool("|<", "FirstButton", "The letter for the first record");
    PriorButton = tool("<", "PriorButton", "The letter for the previous record");
    NextButton = tool(">", "NextButton", "The letter for the next record");
    LastButton = tool(">|", "LastButton", "The letter for the last record");
    bar->addStretch();
    bar->addWidget(platform::NewWhatsThisButton(this));
    OkButton = new QPushButton("Ok", this);
    OkButton->setObjectName("OkButton");
    platform::GiveWhatsThis(*OkButton, "Closes the preview");
    bar->addWidget(OkButton);
    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    platform::GiveWhatsThis(*HelpButton, "Explains the preview");
    bar->addWidget(HelpButton);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName("ScrollBox");
    ScrollBox->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ScrollBox->setBackgroundRole(QPalette::Dark);
    Page = new TPreviewPage(*this);
    platform::GiveWhatsThis(*Page, "The merged letter as it prints; click to zoom in, right "
                                   "click to zoom out");
    ScrollBox->setWidget(Page);
    layout->addWidget(ScrollBox, 1);

    connect(sbZoomIn, &QToolButton::clicked, this, [this] { setZoom(ZoomStepIn(zoom_)); });
    connect(sbZoomOut, &QToolButton::clicked, this, [this] { setZoom(ZoomStepOut(zoom_)); });
    connect(sbZoomPageWidth, &QToolButton::clicked, this, &TRTFPreviewForm::fitWidth);
    connect(sbZoomPage, &QToolButton::clicked, this, &TRTFPreviewForm::fitPage);
    connect(sbNextPage, &QToolButton::clicked, this, &TRTFPreviewForm::nextPage);
    connect(sbPrevPage, &QToolButton::clicked, this, &TRTFPreviewForm::previousPage);
    connect(FirstButton, &QToolButton::clicked, this,
            [this] { moveRecord([](data::TTable& t) { t.first(); }); });
    connect(PriorButton, &QToolButton::clicked, this,
            [this] { moveRecord([](data::TTable& t) { t.prior(); }); });
    connect(NextButton, &QToolButton::clicked, this, [this] {
        moveRecord([](data::TTable& t) {
            t.next();
            if (t.eof()) // past the last record the last one stays shown
                t.last();
        });
    });
    connect(LastButton, &QToolButton::clicked, this,
            [this] { moveRecord([](data::TTable& t) { t.last(); }); });
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(HelpButton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    updateButtons();
}

TRTFPreviewForm::~TRTFPreviewForm() = default;

void TRTFPreviewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!ready_)
        QTimer::singleShot(0, this, &TRTFPreviewForm::FormActivate);
}

void TRTFPreviewForm::FormActivate() {
    if (ready_)
        return;
    remerge();
    ready_ = true;
    fitWidth();
}

void TRTFPreviewForm::remerge() {
    MergeCurrentRecord(template_, *final_, addresses_);
    pageNumber_ = 1;
    pageStart_ = 0;
    earlierStarts_.clear();
    nextStart_ = final_->NextPageStart(pageStart_);
    updateCaption();
    updateButtons();
    Page->update();
}

void TRTFPreviewForm::moveRecord(void (*move)(data::TTable&)) {
    try {
        move(addresses_);
    } catch (const std::exception&) {
        // The record stays where it was.
    }
    remerge();
}

void TRTFPreviewForm::nextPage() {
    if (nextStart_ <= 0)
        return;
    earlierStarts_.push_back(pageStart_);
    pageStart_ = nextStart_;
    nextStart_ = final_->NextPageStart(pageStart_);
    ++pageNumber_;
    updateCaption();
    updateButtons();
    Page->update();
}

void TRTFPreviewForm::previousPage() {
    if (earlierStarts_.empty())
        return;
    pageStart_ = earlierStarts_.back();
    earlierStarts_.pop_back();
    nextStart_ = final_->NextPageStart(pageStart_);
    --pageNumber_;
    updateCaption();
    updateButtons();
    Page->update();
}

void TRTFPreviewForm::updateCaption() {
    setWindowTitle("Preview Letters Page " + QString::number(pageNumber_));
}

void TRTFPreviewForm::updateButtons() {
    sbNextPage->setEnabled(nextStart_ > 0);
    sbPrevPage->setEnabled(!earlierStarts_.empty());
}

void TRTFPreviewForm::setZoom(int zoom) {
    zoom_ = std::max(1, zoom);
    layoutPage();
}

void TRTFPreviewForm::fitWidth() {
    // The page will be taller than the window: the vertical scroll bar takes its room.
    const int width =
        ScrollBox->viewport()->width() - (ScrollBox->verticalScrollBar()->isVisible()
                                              ? 0
                                              : ScrollBox->verticalScrollBar()->sizeHint().width());
    setZoom(ZoomToFit(width, final_->Page().width, logicalDpiX()));
}

void TRTFPreviewForm::fitPage() {
    setZoom(ZoomToFit(ScrollBox->viewport()->height(), final_->Page().height, logicalDpiY()));
}

void TRTFPreviewForm::layoutPage() {
    const controls::PageSetup& page = final_->Page();
    Page->setFixedSize(PagePixels(page.width, logicalDpiX(), zoom_),
                       PagePixels(page.height, logicalDpiY(), zoom_));
    Page->update();
}

void TRTFPreviewForm::DrawCurrentPage(QPainter& painter) {
    if (!ready_)
        return;
    const controls::PageSetup& page = final_->Page();
    const double dpiX = Page->logicalDpiX();
    const double dpiY = Page->logicalDpiY();
    const int left = MarginPixels(page.left, dpiX, zoom_);
    const int top = MarginPixels(page.top, dpiY, zoom_);
    const int right = MarginPixels(page.right, dpiX, zoom_);
    const int bottom = MarginPixels(page.bottom, dpiY, zoom_);
    const QRect area(left, top, Page->width() - left - right, Page->height() - top - bottom);
    try {
        final_->DrawPage(painter, area, pageStart_, zoom_);
    } catch (const std::exception&) {
        QTimer::singleShot(0, this,
                           [] { platform::ShowInfo("There was an error drawing the preview"); });
    }
}

void TRTFPreviewForm::keyPressEvent(QKeyEvent* event) {
    QScrollBar* bar = ScrollBox->verticalScrollBar();
    if (event->key() == Qt::Key_Down) {
        bar->setValue(bar->value() + bar->singleStep());
        return;
    }
    if (event->key() == Qt::Key_Up) {
        bar->setValue(bar->value() - bar->singleStep());
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace letters
