#pragma once

#include "controls/page_setup.h"

#include <QColor>
#include <QTextEdit>

#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QPainter;

namespace controls {

class TPagePainter;

// How the editor reaches the user: it runs its dialogs, asks for file names and colours and
// tells things through these, so that the caller can route them through its own seam.
// Unset hooks use the plain Qt dialogs.
struct TRichEditHooks {
    std::function<int(QDialog&)> exec;
    std::function<std::optional<QString>(bool save, const QString& caption)> fileName;
    std::function<std::optional<QColor>(const QColor& initial)> colour;
    std::function<void(const QString& text)> inform;
};

// The rich-text editor: a text document with fonts, paragraphs and tabs, kept on a page of a
// given size and margins (in twips). It reads and writes RTF, finds and replaces text, inserts
// page breaks and draws any page of its document onto any canvas.
class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* parent = nullptr);
    ~TRichEdit() override;

    TRichEditHooks hooks;

    // --- content ---------------------------------------------------------------------------
    // Replaces the document by an RTF file (or a plain text file); takes the page the file
    // names. False, leaving the document as it was, when the file cannot be read.
    bool LoadFromFile(const QString& path);
    // Writes the document as RTF; false when the file cannot be written.
    bool SaveToFile(const QString& path) const;
    // Inserts an RTF file at the cursor; the page stays as it is.
    bool InsertFromFile(const QString& path);
    QByteArray RtfText() const;
    void SetRtfText(const QByteArray& rtf);
    // Empties the document; the page and the default font stay.
    void Clear();
    // Makes this document a copy of another editor's document, with its page.
    void CopyFrom(const TRichEdit& other);
    void InsertText(const QString& text);
    // A paragraph mark at the cursor whose new paragraph starts a new page.
    void InsertPageBreak();
    // Lays the document out again and repaints it.
    void Reformat();

    // --- attributes --------------------------------------------------------------------------
    // Font name, size, bold and italic for what is typed next (and for the selection).
    void SetAttributesAtCursor(const QString& family, double points, bool bold, bool italic);
    // The font a document starts with.
    void SetDefaultFont(const QFont& font);

    // --- page and wrapping -----------------------------------------------------------------
    const PageSetup& Page() const { return page_; }
    void SetPage(const PageSetup& page);
    // On: lines wrap at the page's text width. Off: a paragraph is one line on screen.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);

    // --- the editor's own dialogs ------------------------------------------------------------
    bool ShowPageDialog();
    bool ShowParagraphDialog();
    void ShowFindDialog();
    void ShowReplaceDialog();
    // "Save as RTF", "Load RTF", "Insert RTF": the file dialog, then the file.
    bool SaveAsDialog();
    bool LoadDialog();
    bool InsertDialog();

    // Finds the text after the cursor and selects it; false (after telling the user when
    // `tell`) when it is not there.
    bool FindNextText(const QString& text, bool matchCase, bool tell = true);
    // Replaces every occurrence; answers how many were replaced.
    int ReplaceAll(const QString& text, const QString& with, bool matchCase);

    // --- pages -------------------------------------------------------------------------------
    // Draws the page that starts at document position `start` into `textArea` of the
    // painter's device at a zoom in percent of the device's own resolution; answers where the
    // next page starts, or -1 after the last page.
    int DrawPage(QPainter& painter, const QRectF& textArea, int start, double zoom = 100);
    int PageCount();
    // Where the page after the one starting at `start` starts; -1 after the last page.
    int NextPageStart(int start);

    // --- word walk (spell checking) --------------------------------------------------------
    // Back to the start of the text.
    void StartWordWalk();
    // The next word after the word cursor (after the selection, once one was made); empty at
    // the end.
    QString NextWord();
    // Selects the word NextWord gave last and brings it into view.
    void SelectLastWord();
    // Replaces the selection by a text (at most 255 characters) in the attributes at the
    // selection's start and leaves it selected; an empty text deletes the selection.
    void ReplaceSelection(const QString& text);
    void SetSelection(int start, int length);

signals:
    void pageChanged();

protected:
    // Shows where a page break starts a new page.
    void paintEvent(QPaintEvent* event) override;

private:
    void applyWrap();
    int execDialog(QDialog& dialog);
    void inform(const QString& text);
    std::optional<QString> askFileName(bool save, const QString& caption);
    TPagePainter& pagePainter();

    PageSetup page_;
    bool wordWrap_ = false;
    std::unique_ptr<TPagePainter> painter_;
    int wordStart_ = -1;
    int wordEnd_ = 0;
};

} // namespace controls
