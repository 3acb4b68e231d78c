#pragma once

#include <QToolBar>

class QComboBox;
class QFontComboBox;
class QTextCharFormat;
class QToolButton;

namespace controls {

class TRichEdit;

// The formatting tool bar of an editor: font name and size, text and background colour,
// normal, bold, italic and underline, the four alignments, and copy, cut and paste. It shows
// the attributes at the cursor.
class TRichEditToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit TRichEditToolBar(TRichEdit& editor, QWidget* parent = nullptr);

    // Sizes offered in the size box: from 6 points up.
    static QList<int> FontSizes();

    QFontComboBox* FontName = nullptr;
    QComboBox* FontSize = nullptr;

private:
    QToolButton* button(const QString& text, const char* name, const QString& whatsThis,
                        bool checkable = false);
    void showFormat(const QTextCharFormat& format);
    void showAlignment();
    void merge(const QTextCharFormat& format);
    void align(Qt::Alignment alignment);
    void chooseColour(bool background);

    TRichEdit& editor_;
    QToolButton* bold_ = nullptr;
    QToolButton* italic_ = nullptr;
    QToolButton* underline_ = nullptr;
    QList<std::pair<QToolButton*, Qt::Alignment>> alignments_;
};

} // namespace controls
