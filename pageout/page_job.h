#pragma once

#include "pageout/brush_fill.h"
#include "pageout/tab_stops.h"
#include "pageout/units.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <functional>
#include <optional>
#include <stdexcept>

class QLabel;
class QPainter;
class QPainterPath;
class QPicture;

namespace pageout {

enum class Orientation { Default, Portrait, Landscape };
enum class LineHeightMethod { Font, LinesPerInch, User };
enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };
enum class PenMode { Copy, Xor, Not, NotCopy };

inline const char* const NotPrintingMessage = "Invalid method call.  PagePrinter is not printing.";
inline const char* const AlreadyPrintingMessage =
    "Invalid method call.  PagePrinter already printing.";
inline const char* const NoPrintersMessage = "No printers are defined, aborting print job.";

// Raised inside a run once AbortJob was called, to unwind the caller's drawing routine. RunJob
// catches it; callers never see it and no message is shown for it.
class JobAborted : public std::exception {
public:
    const char* what() const noexcept override { return "print job aborted"; }
};

// A drawing call outside a run or a page setting changed during one: a programming error.
class InvalidMethodCall : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class TPOComponent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
};

class TPOBaseComponent : public TPOComponent {
    Q_OBJECT
public:
    using TPOComponent::TPOComponent;
};

// A print job: the caller sets the page, hooks its drawing routine into OnPrint and calls
// RunJob. All lengths are in `Units` (inches unless changed), measured from the top-left corner
// of the sheet; font sizes are points. Subclasses supply the surface the pages are drawn on.
class TBasePageJob : public TPOBaseComponent {
    Q_OBJECT
public:
    using JobEvent = std::function<void(TBasePageJob&)>;
    using PageEvent = std::function<bool(TBasePageJob&)>;

    explicit TBasePageJob(QObject* parent = nullptr);
    ~TBasePageJob() override;

    // --- properties set before a run -------------------------------------------------------
    Units units = Units::Inch;
    double UnitsFactor = 1.0;
    LineHeightMethod lineHeightMethod = LineHeightMethod::Font;
    double LinesPerInch = 6;
    double UserLineHeight = 1.0 / 6; // in Units, for LineHeightMethod::User
    double ScaleX = 100;
    double ScaleY = 100;
    int FirstPage = 1;
    int LastPage = 9999;
    QPointer<QLabel> StatusLabel;
    QString StatusFormat;
    QStringList StatusText;

    JobEvent OnBeforePrint, OnPrint, OnAfterPrint, OnNewPage, OnNewColumn, OnPrintHeader,
        OnPrintFooter, OnEndOfSection;
    PageEvent OnPrintPage;
    // Clears every event hook.
    void ClearEvents();

    double MarginLeft() const { return out(margins_[0]); }
    double MarginTop() const { return out(margins_[1]); }
    double MarginRight() const { return out(margins_[2]); }
    double MarginBottom() const { return out(margins_[3]); }
    void SetMarginLeft(double value) { margins_[0] = in(value); }
    void SetMarginTop(double value) { margins_[1] = in(value); }
    void SetMarginRight(double value) { margins_[2] = in(value); }
    void SetMarginBottom(double value) { margins_[3] = in(value); }
    void SetMargins(double left, double top, double right, double bottom);
    // Margins back to the strips the printer cannot reach, and the section to the margins.
    void ResetMargins();

    // Page settings: only while idle.
    Orientation orientation() const { return orientation_; }
    void SetOrientation(Orientation orientation);
    QString Title() const { return title_; }
    void SetTitle(const QString& title);
    int Copies() const { return copies_; }
    void SetCopies(int copies);
    bool ChoosePaper(int code, double length, double width);

    // The sheet and its unprintable strips for the current paper and this job's orientation.
    double PageWidth() const;
    double PageHeight() const;
    double UnprintableLeft() const;
    double UnprintableRight() const;
    double UnprintableTop() const;
    double UnprintableBottom() const;

    // --- job control -------------------------------------------------------------------------
    // Runs the job; false when it did not run (no printer, no file chosen) or was aborted.
    bool RunJob();
    void StartNewPage();
    void AbortJob();
    bool Aborted() const { return aborted_; }
    bool Printing() const { return running_; }
    int CurrentPage() const { return currentPage_; }
    void ShowStatus();
    QString ExpandedStatus() const;

    virtual QString DeviceName() const = 0;
    virtual QString DriverName() const = 0;
    virtual QString PortName() const = 0;

    // --- drawing state -----------------------------------------------------------------------
    // A size of 0 or below leaves the font as it is; otherwise plain, black, upright.
    void SelectFont(const QString& name, double size);
    void SetFontBold(bool on);
    void SetFontItalic(bool on);
    void SetFontColor(const QColor& colour) { fontColour_ = colour; }
    void SetFontAngle(double degrees);
    void SetFontSize(double points);
    QString FontName() const { return font_.family(); }
    double FontSize() const { return fontSize_; }
    bool FontBold() const { return font_.bold(); }
    bool FontItalic() const { return font_.italic(); }
    QColor FontColor() const { return fontColour_; }
    double FontAngle() const { return fontAngle_; }

    void SelectPen(const QColor& colour, PenStyle style, int width, PenMode mode = PenMode::Copy);
    void SelectBrush(const QColor& colour, BrushStyle style, const QImage& pattern = QImage());
    BrushStyle brushStyle() const { return brush_.style; }

    double OriginShiftX() const { return out(shiftX_); }
    double OriginShiftY() const { return out(shiftY_); }
    void SetOriginShiftX(double value) { shiftX_ = in(value); }
    void SetOriginShiftY(double value) { shiftY_ = in(value); }

    // --- drawing (only while running) ------------------------------------------------------
    void DrawRectangle(double x1, double y1, double x2, double y2);
    void DrawRoundRect(double x1, double y1, double x2, double y2, double cornerWidth,
                       double cornerHeight);
    void DrawEllipse(double x1, double y1, double x2, double y2);
    void PenMoveTo(double x, double y);
    void PenLineTo(double x, double y);
    void DrawBitmapInRect(double x1, double y1, double x2, double y2, const QImage& bitmap);
    void DrawGraphicInRect(const QRect& deviceRect, const QPicture& picture);
    void DrawGraphicInRect(const QRect& deviceRect, const QImage& picture);
    QRect PageRect(double x1, double y1, double x2, double y2) const;
    void TextInRect(const QRect& deviceRect, double x, double y, const QString& text);

    // --- line-oriented text --------------------------------------------------------------------
    void MoveToPosition(double x, double y);
    double CurrentX() const { return out(currentX_); }
    double CurrentY() const { return out(currentY_); }
    void PrintText(const QString& text);
    void PrintLine(const QString& text);
    void TextLeftAt(const QString& text, double x);
    void TextCenteredAt(const QString& text, double x);
    void TextRightAt(const QString& text, double x);
    void AdvanceLine();
    int LinesRemaining() const;
    double LineHeight() const;
    double TextWidth(const QString& text) const;

    void AddTab(double position, CellJustify justify, double width, int marginHundredths,
                CellBorders borders = {}, int shadePercent = 0);
    void ClearTabs();
    void PushTabs();
    void PopTabs();
    // Moves to the next cell (wrapping to the first), drawing its shade and borders, which may
    // be overridden for this one use.
    void NextCell(std::optional<CellBorders> borders = std::nullopt,
                  std::optional<int> shadePercent = std::nullopt);
    const TabStops& Tabs() const { return tabs_; }

    double SectionLeft() const { return out(section_.left()); }
    double SectionTop() const { return out(section_.top()); }
    double SectionRight() const { return out(section_.right()); }
    double SectionBottom() const { return out(section_.bottom()); }
    void SetSection(double left, double top, double right, double bottom);
    void ResetSection();

protected:
    // The surface: opens the document (false when it cannot run), prepares each page, finishes
    // each page and the document.
    virtual bool openDocument() = 0;
    virtual void beginDevicePage() = 0;
    virtual void endDevicePage() = 0;
    virtual void closeDocument(bool aborted) = 0;
    virtual QPainter& devicePainter() = 0;
    // Dots per inch of the surface's coordinates.
    virtual double resolution() const = 0;

    void setAborted() { aborted_ = true; }

private:
    double in(double value) const { return ToInches(value, units, UnitsFactor); }
    double out(double inches) const { return FromInches(inches, units, UnitsFactor); }
    double deviceX(double inches) const;
    double deviceY(double inches) const;
    QRectF deviceRect(double x1, double y1, double x2, double y2) const;
    QPainter& painter();
    void checkRunning() const;
    void checkIdle() const;
    void beginPage();
    void endPage();
    void resetPagePosition();
    void applyPen(QPainter& painter) const;
    // Fills and outlines a shape with the brush and pen: `area` is the shape in device
    // coordinates and `outline` draws it with the painter's brush and pen.
    void drawShape(const QPainterPath& area, const std::function<void(QPainter&)>& outline);
    // Dots per inch of the device at the job's scale: the size of hatches and patterns.
    double brushResolution() const;
    QFont deviceFont() const;
    // Metrics of the device font, kept until the font changes: text is measured very often.
    const QFontMetricsF& deviceMetrics() const;
    double textWidthInches(const QString& text) const;
    // Draws text with its top-left corner at (x, y) inches of the sheet (before origin shift).
    void drawText(double x, double y, const QString& text, bool opaque, double letterSpacing = 0,
                  const QRectF* clip = nullptr);
    void printSegment(const QString& text);
    void moveToNextTab();
    double effectiveOrientationWidth(bool width) const;

    double margins_[4] = {0.5, 0.5, 0.5, 0.5};
    Orientation orientation_ = Orientation::Default;
    QString title_ = QStringLiteral("Corvane");
    int copies_ = 1;

    bool running_ = false;
    bool aborted_ = false;
    int currentPage_ = 1;
    bool pageOpen_ = false;
    bool pageInRange_ = true;
    QPicture* scratch_ = nullptr; // out-of-range pages are drawn here and dropped
    QPainter* scratchPainter_ = nullptr;

    QFont font_;
    double fontSize_ = 10;
    mutable QFont metricsFont_;
    mutable std::optional<QFontMetricsF> metrics_;
    QColor fontColour_ = Qt::black;
    double fontAngle_ = 0;
    QColor penColour_ = Qt::black;
    PenStyle penStyle_ = PenStyle::Solid;
    int penWidth_ = -1;
    PenMode penMode_ = PenMode::Copy;
    BrushFill brush_;

    double shiftX_ = 0;
    double shiftY_ = 0;
    double penX_ = 0;
    double penY_ = 0;
    double currentX_ = 0;
    double currentY_ = 0;
    QRectF section_;
    TabStops tabs_;
    int tabIndex_ = -1;
    bool cellPending_ = false;
};

} // namespace pageout
