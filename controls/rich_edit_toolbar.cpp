#include "controls/rich_edit_toolbar.h"

#include "controls/rich_edit.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QTextBlock>
#include <QToolButton>

namespace controls {

TRichEditToolBar::TRichEditToolBar(TRichEdit& editor, QWidget* parent)
    : QToolBar(parent), editor_(editor) {
    setObjectName("FormatToolBar");
    setWhatsThis(tr("Formats the text at the cursor or the selected text"));
    FontName = new QFontComboBox(this);
    FontName->setObjectName("FontNameBox");
    FontName->setWhatsThis(tr("The font of the text"));
    addWidget(FontName);
    FontSize = new QComboBox(this);
    FontSize->setObjectName("FontSizeBox");
    FontSize->setEditable(true);
    for (int size : FontSizes())
        FontSize->addItem(QString::number(size));
    FontSize->setWhatsThis(tr("The size of the text in points"));
    addWidget(FontSize);
    connect(FontName, &QFontComboBox::textActivated, this, [this](const QString& family) {
        QTextCharFormat format;
        format.setFontFamilies({family});
        merge(format);
    });
    connect(FontSize, &QComboBox::textActivated, this, [this](const QString& text) {
        bool ok = false;
        const double points = text.toDouble(&ok);
        if (!ok || points < 1 || points > 1638)
            return;
        QTextCharFormat format;
        format.setFontPointSize(points);
        merge(format);
    });
    addSeparator();
    connect(button(tr("Colour"), "ColourButton", tr("Chooses the colour of the text")),
            &QToolButton::clicked, this, [this] { chooseColour(false); });
    connect(button(tr("Back"), "BackColourButton", tr("Chooses the colour behind the text")),
            &QToolButton::clicked, this, [this] { chooseColour(true); });
    addSeparator();
    connect(button(tr("Normal"), "NormalButton", tr("Plain text: not bold, italic or underlined")),
            &QToolButton::clicked, this, [this] {
                QTextCharFormat format;
                format.setFontWeight(QFont::Normal);
                format.setFontItalic(false);
                format.setFontUnderline(false);
                merge(format);
            });
    bold_ = button(tr("B"), "BoldButton", tr("Bold text"), true);
    italic_ = button(tr("I"), "ItalicButton", tr("Italic text"), true);
    underline_ = button(tr("U"), "UnderlineButton", tr("Underlined text"), true);
    connect(bold_, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        merge(format);
    });
    connect(italic_, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        merge(format);
    });
    connect(underline_, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        merge(format);
    });
    addSeparator();
    const struct {
        const char* text;
        const char* name;
        Qt::Alignment alignment;
        const char* whatsThis;
    } alignments[] = {
        {"Left", "LeftButton", Qt::AlignLeft, "Lines start at the left margin"},
        {"Right", "RightButton", Qt::AlignRight, "Lines end at the right margin"},
        {"Justify", "JustifyButton", Qt::AlignJustify, "Lines fill the width between the margins"},
        {"Centre", "CenterButton", Qt::AlignHCenter, "Lines are centred between the margins"}};
    for (const auto& a : alignments) {
        QToolButton* b = button(tr(a.text), a.name, tr(a.whatsThis), true);
        const Qt::Alignment alignment = a.alignment;
        connect(b, &QToolButton::clicked, this, [this, alignment] { align(alignment); });
        alignments_.append({b, alignment});
    }
    addSeparator();
    connect(button(tr("Copy"), "CopyButton", tr("Copies the selected text")), &QToolButton::clicked,
            &editor_, &QTextEdit::copy);
    connect(button(tr("Cut"), "CutButton", tr("Cuts out the selected text")), &QToolButton::clicked,
            &editor_, &QTextEdit::cut);
    connect(button(tr("Paste"), "PasteButton", tr("Pastes the text last copied or cut")),
            &QToolButton::clicked, &editor_, &QTextEdit::paste);

    connect(&editor_, &QTextEdit::currentCharFormatChanged, this, &TRichEditToolBar::showFormat);
    connect(&editor_, &QTextEdit::cursorPositionChanged, this, &TRichEditToolBar::showAlignment);
    showFormat(editor_.currentCharFormat());
    showAlignment();
}

QList<int> TRichEditToolBar::FontSizes() {
    return {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
}

QToolButton* TRichEditToolBar::button(const QString& text, const char* name,
                                      const QString& whatsThis, bool checkable) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(whatsThis);
    b->setWhatsThis(whatsThis);
    b->setCheckable(checkable);
    b->setFocusPolicy(Qt::NoFocus);
    addWidget(b);
    return b;
}

void TRichEditToolBar::merge(const QTextCharFormat& format) {
    editor_.mergeCurrentCharFormat(format);
    editor_.setFocus();
}

void TRichEditToolBar::align(Qt::Alignment alignment) {
    editor_.setAlignment(alignment);
    showAlignment();
    editor_.setFocus();
}

void TRichEditToolBar::chooseColour(bool background) {
    const QTextCharFormat current = editor_.currentCharFormat();
    const QColor initial = background ? current.background().color() : current.foreground().color();
    std::optional<QColor> chosen;
    if (editor_.hooks.colour)
        chosen = editor_.hooks.colour(initial);
    else
        chosen = QColorDialog::getColor(initial, &editor_);
    if (!chosen || !chosen->isValid())
        return;
    QTextCharFormat format;
    if (background)
        format.setBackground(*chosen);
    else
        format.setForeground(*chosen);
    merge(format);
}

void TRichEditToolBar::showFormat(const QTextCharFormat& format) {
    const QFont font = format.font().resolve(editor_.document()->defaultFont());
    FontName->setCurrentFont(font);
    const double points = font.pointSizeF();
    FontSize->setEditText(points > 0 ? QString::number(points) : QString());
    bold_->setChecked(font.weight() > QFont::Medium);
    italic_->setChecked(font.italic());
    underline_->setChecked(font.underline());
}

void TRichEditToolBar::showAlignment() {
    const Qt::Alignment current = editor_.alignment() & Qt::AlignHorizontal_Mask;
    for (const auto& [b, alignment] : alignments_)
        b->setChecked(current == alignment ||
                      (alignment == Qt::AlignLeft && !(current & ~Qt::AlignLeading)));
}

} // namespace controls
