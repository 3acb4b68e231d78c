#pragma once

#include <QList>
#include <QPicture>
#include <QSizeF>
#include <QString>

class QPainter;

namespace pageout {

// Where a page stream lives. Pages always stay in memory; the modes are kept for callers that
// name one.
enum class StreamMode { Memory, File, User };
enum class AccuracyMethod { Positioning, Appearance };

// The pages a filer job recorded: one picture per page in the coordinates of `resolution` dots
// per inch, with the sheet size in inches.
class PageStream {
public:
    struct Page {
        QPicture picture;
        QSizeF sizeInches;
    };

    static constexpr double Resolution = 1200;

    int count() const { return static_cast<int>(pages_.size()); }
    bool isEmpty() const { return pages_.isEmpty(); }
    const Page& page(int index) const { return pages_.at(index); }
    void append(Page page) { pages_.append(std::move(page)); }
    void clear() { pages_.clear(); }

private:
    QList<Page> pages_;
};

// Replays page `index` (0-based) onto a painter whose coordinates are `dpi` dots per inch of
// the sheet, with the sheet's top-left corner at the painter's origin.
void PlayPage(const PageStream& stream, int index, QPainter& painter, double dpi);

// Renders a page into an image of `dpi` dots per inch on white.
QImage RenderPage(const PageStream& stream, int index, double dpi);

// Writes every page of the stream into a PDF file; false when the file cannot be written.
bool SaveStreamAsPdf(const PageStream& stream, const QString& fileName, const QString& title);

} // namespace pageout
