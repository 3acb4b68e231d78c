#include "controls/rich_edit.h"

#include "controls/document_copy.h"
#include "controls/find_dialogs.h"
#include "controls/page_dialog.h"
#include "controls/page_painter.h"
#include "controls/paragraph_dialog.h"
#include "controls/rtf_reader.h"
#include "controls/rtf_writer.h"

#include <QAbstractTextDocumentLayout>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>

namespace controls {

namespace {

// Half an inch between default tab stops, as RTF has it.
constexpr double DefaultTabInches = 0.5;
constexpr int MaxReplacementLength = 255;

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == '\'' || c == QChar(0x2019);
}

} // namespace

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) {
    setObjectName("RichEdit");
    setAcceptRichText(true);
    setTabChangesFocus(false);
    QTextOption option = document()->defaultTextOption();
    option.setTabStopDistance(DefaultTabInches * DocumentDpi);
    document()->setDefaultTextOption(option);
    connect(document(), &QTextDocument::contentsChanged, this, [this] { painter_.reset(); });
    applyWrap();
}

TRichEdit::~TRichEdit() = default;

bool TRichEdit::LoadFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    SetRtfText(file.readAll());
    return true;
}

bool TRichEdit::SaveToFile(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(RtfText());
    return file.commit();
}

bool TRichEdit::InsertFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QTextCursor cursor = textCursor();
    ReadRtf(file.readAll(), cursor);
    setTextCursor(cursor);
    return true;
}

QByteArray TRichEdit::RtfText() const {
    return WriteRtf(*document(), page_);
}

void TRichEdit::SetRtfText(const QByteArray& rtf) {
    Clear();
    QTextCursor cursor(document());
    const RtfReadResult read = ReadRtf(rtf, cursor);
    if (read.page)
        SetPage(*read.page);
    moveCursor(QTextCursor::Start);
    document()->clearUndoRedoStacks();
}

void TRichEdit::Clear() {
    document()->clear();
    setCurrentCharFormat(QTextCharFormat());
}

void TRichEdit::CopyFrom(const TRichEdit& other) {
    const QTextDocument& source = *other.document();
    document()->clear();
    document()->setDefaultFont(source.defaultFont());
    document()->setDefaultTextOption(source.defaultTextOption());
    AppendDocument(*document(), source, false);
    document()->clearUndoRedoStacks();
    SetPage(other.Page());
    applyWrap();
    moveCursor(QTextCursor::Start);
}

void TRichEdit::InsertText(const QString& text) {
    textCursor().insertText(text);
}

void TRichEdit::InsertPageBreak() {
    QTextCursor cursor = textCursor();
    QTextBlockFormat format = cursor.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(format);
    setTextCursor(cursor);
    Reformat();
}

void TRichEdit::Reformat() {
    document()->markContentsDirty(0, document()->characterCount());
    viewport()->update();
}

void TRichEdit::SetAttributesAtCursor(const QString& family, double points, bool bold,
                                      bool italic) {
    QTextCharFormat format;
    format.setFontFamilies({family});
    if (points > 0)
        format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    mergeCurrentCharFormat(format);
}

void TRichEdit::SetDefaultFont(const QFont& font) {
    document()->setDefaultFont(font);
}

void TRichEdit::SetPage(const PageSetup& page) {
    if (page == page_)
        return;
    page_ = page;
    painter_.reset();
    applyWrap();
    emit pageChanged();
}

void TRichEdit::SetWordWrap(bool on) {
    wordWrap_ = on;
    applyWrap();
}

void TRichEdit::applyWrap() {
    if (wordWrap_) {
        setLineWrapMode(QTextEdit::FixedPixelWidth);
        setLineWrapColumnOrWidth(int(TwipsToDocument(page_.textWidth())));
    } else {
        setLineWrapMode(QTextEdit::NoWrap);
    }
}

int TRichEdit::execDialog(QDialog& dialog) {
    return hooks.exec ? hooks.exec(dialog) : dialog.exec();
}

void TRichEdit::inform(const QString& text) {
    if (hooks.inform)
        hooks.inform(text);
    else
        QMessageBox::information(this, tr("Information"), text);
}

std::optional<QString> TRichEdit::askFileName(bool save, const QString& caption) {
    if (hooks.fileName)
        return hooks.fileName(save, caption);
    const QString filter = tr("Rich Text Files (*.rtf);;All Files (*)");
    const QString name = save ? QFileDialog::getSaveFileName(this, caption, {}, filter)
                              : QFileDialog::getOpenFileName(this, caption, {}, filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

bool TRichEdit::ShowPageDialog() {
    TPageDialog dialog(page_, this);
    if (execDialog(dialog) != QDialog::Accepted)
        return false;
    SetPage(dialog.Page());
    return true;
}

bool TRichEdit::ShowParagraphDialog() {
    TParagraphDialog dialog(textCursor().blockFormat(), this);
    if (execDialog(dialog) != QDialog::Accepted)
        return false;
    textCursor().setBlockFormat(dialog.Format());
    return true;
}

void TRichEdit::ShowFindDialog() {
    TFindDialog dialog(*this);
    execDialog(dialog);
}

void TRichEdit::ShowReplaceDialog() {
    TFindDialog dialog(*this, true);
    execDialog(dialog);
}

bool TRichEdit::SaveAsDialog() {
    const std::optional<QString> name = askFileName(true, tr("Save as RTF"));
    if (!name)
        return false;
    if (!SaveToFile(*name)) {
        inform(tr("Unable to write %1").arg(*name));
        return false;
    }
    return true;
}

bool TRichEdit::LoadDialog() {
    const std::optional<QString> name = askFileName(false, tr("Load RTF"));
    if (!name)
        return false;
    if (!LoadFromFile(*name)) {
        inform(tr("Unable to read %1").arg(*name));
        return false;
    }
    return true;
}

bool TRichEdit::InsertDialog() {
    const std::optional<QString> name = askFileName(false, tr("Insert RTF"));
    if (!name)
        return false;
    if (!InsertFromFile(*name)) {
        inform(tr("Unable to read %1").arg(*name));
        return false;
    }
    return true;
}

bool TRichEdit::FindNextText(const QString& text, bool matchCase, bool tell) {
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags =
        matchCase ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
    const QTextCursor found = document()->find(text, textCursor(), flags);
    if (found.isNull()) {
        if (tell)
            inform(tr("Cannot find \"%1\"").arg(text));
        return false;
    }
    setTextCursor(found);
    return true;
}

int TRichEdit::ReplaceAll(const QString& text, const QString& with, bool matchCase) {
    if (text.isEmpty())
        return 0;
    const QTextDocument::FindFlags flags =
        matchCase ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
    int count = 0;
    QTextCursor edit(document());
    edit.beginEditBlock();
    QTextCursor found = document()->find(text, 0, flags);
    while (!found.isNull()) {
        QTextCursor first(document());
        first.setPosition(found.selectionStart() + 1);
        found.insertText(with, first.charFormat());
        ++count;
        found = document()->find(text, found.position(), flags);
    }
    edit.endEditBlock();
    return count;
}

TPagePainter& TRichEdit::pagePainter() {
    if (!painter_)
        painter_ = std::make_unique<TPagePainter>(*document(), page_);
    return *painter_;
}

int TRichEdit::DrawPage(QPainter& painter, const QRectF& textArea, int start, double zoom) {
    const double dpi = painter.device() ? painter.device()->logicalDpiX() : DocumentDpi;
    return pagePainter().DrawPage(painter, textArea, dpi * zoom / 100.0, start);
}

int TRichEdit::NextPageStart(int start) {
    return pagePainter().NextPageStart(start);
}

int TRichEdit::PageCount() {
    return pagePainter().PageCount();
}

void TRichEdit::StartWordWalk() {
    wordStart_ = -1;
    wordEnd_ = 0;
    moveCursor(QTextCursor::Start);
}

QString TRichEdit::NextWord() {
    // Once a word is selected, the walk goes on from where the selection ends.
    const QTextCursor cursor = textCursor();
    int from = wordEnd_;
    if (cursor.hasSelection() || wordStart_ >= 0)
        from = cursor.selectionEnd();
    QTextBlock block = document()->findBlock(from);
    while (block.isValid()) {
        const QString text = block.text();
        int i = std::max(0, from - block.position());
        // Words start with a letter or a digit; apostrophes only join their parts.
        while (i < text.size() && !text[i].isLetterOrNumber())
            ++i;
        if (i < text.size()) {
            int end = i;
            while (end < text.size() && isWordCharacter(text[end]))
                ++end;
            while (end > i && !text[end - 1].isLetterOrNumber())
                --end;
            wordStart_ = block.position() + i;
            wordEnd_ = block.position() + end;
            QTextCursor at(document());
            at.setPosition(wordEnd_);
            setTextCursor(at);
            return text.mid(i, end - i);
        }
        block = block.next();
        if (block.isValid())
            from = block.position();
    }
    wordStart_ = -1;
    wordEnd_ = document()->characterCount();
    return {};
}

void TRichEdit::SelectLastWord() {
    if (wordStart_ < 0)
        return;
    SetSelection(wordStart_, wordEnd_ - wordStart_);
    ensureCursorVisible();
}

void TRichEdit::ReplaceSelection(const QString& text) {
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    QTextCursor first(document());
    first.setPosition(start + (cursor.hasSelection() ? 1 : 0));
    const QString replacement = text.left(MaxReplacementLength);
    cursor.insertText(replacement, first.charFormat());
    cursor.setPosition(start);
    cursor.setPosition(start + int(replacement.size()), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    wordEnd_ = cursor.selectionEnd();
}

void TRichEdit::SetSelection(int start, int length) {
    const int last = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(start, 0, last));
    cursor.setPosition(std::clamp(start + length, 0, last), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void TRichEdit::paintEvent(QPaintEvent* event) {
    QTextEdit::paintEvent(event);
    QPainter painter(viewport());
    painter.setPen(QPen(Qt::gray, 1, Qt::DashLine));
    const QPointF offset(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (!(block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
            continue;
        const QRectF box = document()->documentLayout()->blockBoundingRect(block);
        const double y = box.top() + offset.y();
        painter.drawLine(QPointF(0, y), QPointF(viewport()->width(), y));
    }
}

} // namespace controls
