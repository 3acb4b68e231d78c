#pragma once

#include <QDialog>

#include <memory>
#include <vector>

class QLabel;
class QScrollArea;
class QToolButton;
class QPushButton;

namespace controls {
class TRichEdit;
}
namespace data {
class TTable;
}

namespace letters {

class TRTFPreviewForm;

// The white page of the preview, drawn by the preview's final editor.
class TPreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewPage(TRTFPreviewForm& form);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TRTFPreviewForm& form_;
};

// "Preview Letters": the letter merged with the main window's current record, page by page at
// a zoom, with buttons that move to other records.
class TRTFPreviewForm : public QDialog {
    Q_OBJECT
public:
    TRTFPreviewForm(const controls::TRichEdit& templ, data::TTable& addresses,
                    QWidget* parent = nullptr);
    ~TRTFPreviewForm() override;

    static constexpr int HelpTopic = 1086;

    int Zoom() const { return zoom_; }
    int PageNumber() const { return pageNumber_; }
    int PageStart() const { return pageStart_; }
    int NextPageStart() const { return nextStart_; }

    QScrollArea* ScrollBox = nullptr;
    TPreviewPage* Page = nullptr;
    QToolButton* sbZoomIn = nullptr;
    QToolButton* sbZoomOut = nullptr;
    QToolButton* sbZoomPageWidth = nullptr;
    QToolButton* sbZoomPage = nullptr;
    QToolButton* sbPrevPage = nullptr;
    QToolButton* sbNextPage = nullptr;
    QToolButton* FirstButton = nullptr;
    QToolButton* PriorButton = nullptr;
    QToolButton* NextButton = nullptr;
    QToolButton* LastButton = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* HelpButton = nullptr;

    // Merges the current record and shows its first page; runs on the first showing.
    void FormActivate();
    // Draws the current page into the page widget's text area (called by the page widget).
    void DrawCurrentPage(QPainter& painter);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TPreviewPage;
    void setZoom(int zoom);
    void fitWidth();
    void fitPage();
    void nextPage();
    void previousPage();
    void moveRecord(void (*move)(data::TTable&));
    void remerge();
    void updateCaption();
    void updateButtons();
    void layoutPage();

    const controls::TRichEdit& template_;
    data::TTable& addresses_;
    std::unique_ptr<controls::TRichEdit> final_;
    int zoom_ = 100;
    int pageStart_ = 0;
    int nextStart_ = -1;
    std::vector<int> earlierStarts_;
    int pageNumber_ = 1;
    bool ready_ = false;
};

} // namespace letters
