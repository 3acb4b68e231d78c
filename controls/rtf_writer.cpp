#include "controls/rtf_writer.h"

#include "controls/rtf_code_page.h"
#include "controls/tab_origin.h"

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <cmath>

namespace controls {

namespace {

// The attributes a run of text is written with.
struct RunFormat {
    QString family;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::optional<QColor> foreground;
    std::optional<QColor> background;
    int vertical = 0;
};

RunFormat runFormat(const QTextCharFormat& format, const QTextDocument& document) {
    const QFont font = format.font().resolve(document.defaultFont());
    RunFormat run;
    run.family = font.family();
    double points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0)
        points = font.pixelSize() * 72.0 / DocumentDpi;
    run.halfPoints = points > 0 ? std::max(2, int(std::lround(points * 2))) : 24;
    run.bold = font.weight() > QFont::Medium;
    run.italic = font.italic();
    run.underline = font.underline() || (format.hasProperty(QTextFormat::TextUnderlineStyle) &&
                                         format.underlineStyle() != QTextCharFormat::NoUnderline);
    run.strike = font.strikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush) &&
        format.foreground().style() != Qt::NoBrush)
        run.foreground = format.foreground().color();
    if (format.hasProperty(QTextFormat::BackgroundBrush) &&
        format.background().style() != Qt::NoBrush)
        run.background = format.background().color();
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        run.vertical = 1;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        run.vertical = -1;
    return run;
}

class Writer {
public:
    Writer(const QTextDocument& document, const PageSetup& page)
        : document_(document), page_(page) {}

    QByteArray run() {
        // The tables come first in the file but hold what the paragraphs use.
        fontIndex(document_.defaultFont().family());
        QByteArray body;
        bool breakNext = false;
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            body += paragraph(block, breakNext);
            breakNext = block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter;
        }
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\\deftab720\r\n";
        out += "{\\fonttbl";
        for (int i = 0; i < fonts_.size(); ++i)
            out +=
                "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 " + fontName(fonts_[i]) + ";}";
        out += "}\r\n";
        if (!colours_.isEmpty()) {
            out += "{\\colortbl ;";
            for (const QColor& colour : colours_)
                out += "\\red" + QByteArray::number(colour.red()) + "\\green" +
                       QByteArray::number(colour.green()) + "\\blue" +
                       QByteArray::number(colour.blue()) + ";";
            out += "}\r\n";
        }
        out += "\\paperw" + QByteArray::number(page_.width) + "\\paperh" +
               QByteArray::number(page_.height) + "\\margl" + QByteArray::number(page_.left) +
               "\\margr" + QByteArray::number(page_.right) + "\\margt" +
               QByteArray::number(page_.top) + "\\margb" + QByteArray::number(page_.bottom) +
               "\r\n";
        out += body;
        out += "}\r\n";
        return out;
    }

private:
    int fontIndex(const QString& family) {
        const qsizetype found = fonts_.indexOf(family);
        if (found >= 0)
            return int(found);
        fonts_.append(family);
        return int(fonts_.size() - 1);
    }

    int colourIndex(const QColor& colour) {
        const QColor plain = colour.toRgb();
        for (qsizetype i = 0; i < colours_.size(); ++i) {
            if (colours_[i].rgb() == plain.rgb())
                return int(i + 1);
        }
        colours_.append(plain);
        return int(colours_.size());
    }

    static QByteArray fontName(const QString& family) {
        QString name = family;
        name.remove(';');
        return escaped(name);
    }

    QByteArray charProperties(const RunFormat& run) {
        QByteArray out = "\\f" + QByteArray::number(fontIndex(run.family)) + "\\fs" +
                         QByteArray::number(run.halfPoints);
        if (run.bold)
            out += "\\b";
        if (run.italic)
            out += "\\i";
        if (run.underline)
            out += "\\ul";
        if (run.strike)
            out += "\\strike";
        if (run.foreground)
            out += "\\cf" + QByteArray::number(colourIndex(*run.foreground));
        if (run.background)
            out += "\\chcbpat" + QByteArray::number(colourIndex(*run.background));
        if (run.vertical > 0)
            out += "\\super";
        else if (run.vertical < 0)
            out += "\\sub";
        return out;
    }

    QByteArray paragraph(const QTextBlock& block, bool breakBefore) {
        const QTextBlockFormat format = block.blockFormat();
        QByteArray out = "\\pard";
        if (breakBefore || (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
            out += "\\pagebb";
        const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
        if (alignment & Qt::AlignJustify)
            out += "\\qj";
        else if (alignment & Qt::AlignHCenter)
            out += "\\qc";
        else if (alignment & Qt::AlignRight)
            out += "\\qr";
        auto twips = [&](const char* word, double units) {
            const int value = DocumentToTwips(units);
            if (value != 0)
                out += QByteArray(word) + QByteArray::number(value);
        };
        twips("\\li", format.leftMargin());
        twips("\\ri", format.rightMargin());
        twips("\\fi", format.textIndent());
        twips("\\sb", format.topMargin());
        twips("\\sa", format.bottomMargin());
        for (const QTextOption::Tab& tab : format.tabPositions()) {
            if (tab.type == QTextOption::RightTab)
                out += "\\tqr";
            else if (tab.type == QTextOption::CenterTab)
                out += "\\tqc";
            else if (tab.type == QTextOption::DelimiterTab)
                out += "\\tqdec";
            out +=
                "\\tx" + QByteArray::number(DocumentToTwips(StopFromMargin(tab.position, format)));
        }
        // The paragraph mark's attributes, which an empty paragraph shows in.
        out += "\\plain" + charProperties(runFormat(block.charFormat(), document_)) + " ";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QByteArray text = escaped(fragment.text());
            if (text.isEmpty())
                continue;
            // Each run says all its attributes: nothing is inherited from the paragraph mark.
            out += "{\\plain" + charProperties(runFormat(fragment.charFormat(), document_)) + " " +
                   text + "}";
        }
        out += "\\par\r\n";
        return out;
    }

    static QByteArray escaped(const QString& text) {
        QByteArray out;
        for (const QChar c : text) {
            const char16_t code = c.unicode();
            switch (code) {
            case u'\\':
                out += "\\\\";
                continue;
            case u'{':
                out += "\\{";
                continue;
            case u'}':
                out += "\\}";
                continue;
            case u'\t':
                out += "\\tab ";
                continue;
            case 0x2028:
            case 0x2029:
                out += "\\line ";
                continue;
            case 0x00A0:
                out += "\\~";
                continue;
            case 0x00AD:
                out += "\\-";
                continue;
            case 0x2011:
                out += "\\_";
                continue;
            case 0xFFFC:
                continue; // an embedded object, which is not written
            default:
                break;
            }
            if (code < 0x20)
                continue;
            if (code < 0x80) {
                out += char(code);
            } else if (const auto byte = Cp1252Byte(c)) {
                out += "\\'" + QByteArray::number(*byte, 16).rightJustified(2, '0');
            } else {
                out += "\\u" + QByteArray::number(int(std::int16_t(code))) + "?";
            }
        }
        return out;
    }

    const QTextDocument& document_;
    PageSetup page_;
    QStringList fonts_;
    QList<QColor> colours_;
};

} // namespace

QByteArray WriteRtf(const QTextDocument& document, const PageSetup& page) {
    return Writer(document, page).run();
}

} // namespace controls
