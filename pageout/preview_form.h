#pragma once

#include "pageout/stream_preview.h"

#include <QDialog>

#include <functional>

class QToolButton;
class QScrollArea;

namespace pageout {

// The preview window: shows a page stream with zoom and page buttons. The caller sets the
// caption, the stream and the zoom mode, and runs it through the dialog seam.
class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    // Initial zoom: the whole page, the page width, or any other value as a percentage.
    static constexpr int WholePage = 1;
    static constexpr int PageWidth = 2;

    explicit TPreviewForm(QWidget* parent = nullptr);
    ~TPreviewForm() override;

    void SetStream(const PageStream* stream) { Preview.SetStream(stream); }
    int ZoomMode = WholePage;
    // Opens the help topic of the calling screen; the Help button does nothing without it.
    std::function<void()> OnHelp;

    TStreamPreview Preview;
    QScrollArea* ScrollBox = nullptr;
    QToolButton* ZoomInButton = nullptr;
    QToolButton* ZoomOutButton = nullptr;
    QToolButton* PageWidthButton = nullptr;
    QToolButton* WholePageButton = nullptr;
    QToolButton* Zoom100Button = nullptr;
    QToolButton* FirstButton = nullptr;
    QToolButton* PriorButton = nullptr;
    QToolButton* NextButton = nullptr;
    QToolButton* LastButton = nullptr;
    QToolButton* SaveButton = nullptr;
    QToolButton* OkButton = nullptr;
    QToolButton* HelpButton = nullptr;

    // Runs once, on the first showing: opens the stream and applies the zoom mode.
    void FormActivate();
    void ApplyZoomMode(int mode);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateCaption();
    void saveAsPdf();
    // Scrolls by one scroll-bar step; the scroll bar keeps the value within its range.
    void scrollBy(int steps);

    bool activated_ = false;
};

} // namespace pageout
