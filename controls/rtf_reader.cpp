#include "controls/rtf_reader.h"

#include "controls/rtf_code_page.h"
#include "controls/tab_origin.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QSet>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextOption>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <vector>

namespace controls {

namespace {

// Groups nested deeper than this are skipped whole; nothing sane nests so deep.
constexpr int MaxDepth = 256;
// Lengths read from a file are kept within 200 inches.
constexpr int MaxTwips = 288000;
constexpr int MinPaperTwips = TwipsPerInch / 2;
// Font names are cut to this length; a little more is read so that the cut is the same however
// the name's characters were written.
constexpr int MaxFontName = 256;
constexpr int MaxFontNameRead = 1024;

enum class Destination { Text, FontTable, ColorTable, Skip };

struct CharState {
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int foreground = 0; // index into the colour table, 0 for the automatic colour
    int background = 0;
    int vertical = 0; // 1 superscript, -1 subscript
};

struct TabStop {
    int position = 0;
    QTextOption::TabType type = QTextOption::LeftTab;
    QChar delimiter;
};

struct ParState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0;
    int right = 0;
    int firstLine = 0;
    int before = 0;
    int after = 0;
    QList<TabStop> tabs;
    QTextOption::TabType pendingTabType = QTextOption::LeftTab;
    QChar pendingDelimiter;
    bool pageBreakBefore = false;
};

struct Group {
    CharState chr;
    ParState par;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
};

struct FontEntry {
    QString name;
    int codePage = 0;
};

// Destinations whose text is never part of the document, skipped with their group even
// where the file does not mark them with \*.
const QSet<QByteArray>& skippedDestinations() {
    static const QSet<QByteArray> names = {"stylesheet",   "info",
                                           "pict",         "header",
                                           "headerl",      "headerr",
                                           "headerf",      "footer",
                                           "footerl",      "footerr",
                                           "footerf",      "footnote",
                                           "annotation",   "fldinst",
                                           "objdata",      "objclass",
                                           "xe",           "tc",
                                           "txe",          "rxe",
                                           "bkmkstart",    "bkmkend",
                                           "themedata",    "colorschememapping",
                                           "latentstyles", "datastore",
                                           "listtable",    "listoverridetable",
                                           "rsidtbl",      "generator",
                                           "xmlnstbl",     "mmathPr",
                                           "revtbl",       "pgdsctbl",
                                           "nonshppict",   "shpinst",
                                           "template",     "filetbl",
                                           "private",      "atnid",
                                           "atnauthor",    "comment",
                                           "pn",           "userprops",
                                           "docvar",       "ftnsep",
                                           "ftnsepc",      "ftncn",
                                           "aftnsep",      "aftnsepc",
                                           "aftncn",       "blipuid",
                                           "picprop",      "listpicture",
                                           "fchars",       "lchars",
                                           "keycode",      "do",
                                           "sp",           "sv",
                                           "sn",           "wgrffmtfilter",
                                           "panose",       "falt",
                                           "fontemb",      "fontfile",
                                           "operator",     "title",
                                           "subject",      "author",
                                           "keywords",     "doccomm",
                                           "company"};
    return names;
}

// Characters that a control word stands for.
std::optional<QChar> symbolWord(const QByteArray& word) {
    static const QHash<QByteArray, char16_t> symbols = {
        {"emdash", 0x2014},    {"endash", 0x2013},    {"lquote", 0x2018},  {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022},  {"emspace", 0x2003},
        {"enspace", 0x2002},   {"qmspace", 0x2005},   {"tab", u'\t'},      {"line", 0x2028},
        {"zwj", 0x200D},       {"zwnj", 0x200C},      {"ltrmark", 0x200E}, {"rtlmark", 0x200F}};
    const auto found = symbols.constFind(word);
    if (found == symbols.constEnd())
        return std::nullopt;
    return QChar(*found);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    return std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
}

int clampTwips(int value) {
    return std::clamp(value, -MaxTwips, MaxTwips);
}

class Reader {
public:
    Reader(const QByteArray& bytes, QTextCursor& cursor) : bytes_(bytes), cursor_(cursor) {}

    RtfReadResult run() {
        result_.wasRtf = true;
        paragraphHasContent_ = cursor_.positionInBlock() > 0;
        const int size = int(bytes_.size());
        while (pos_ < size) {
            const char c = bytes_[pos_];
            if (c == '{') {
                ++pos_;
                openGroup();
            } else if (c == '}') {
                ++pos_;
                closeGroup();
            } else if (c == '\\') {
                ++pos_;
                control();
            } else {
                ++pos_;
                if (c != '\r' && c != '\n')
                    rawByte(static_cast<unsigned char>(c));
            }
        }
        finish();
        if (pageSeen_)
            result_.page = page_;
        return result_;
    }

private:
    bool skipping() const { return overflow_ > 0 || group_.destination == Destination::Skip; }

    void openGroup() {
        flush();
        unicodeSkipLeft_ = 0;
        if (overflow_ > 0 || int(stack_.size()) >= MaxDepth) {
            ++overflow_;
            return;
        }
        stack_.push_back(group_);
    }

    void closeGroup() {
        flush();
        unicodeSkipLeft_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.empty())
            return; // an unbalanced brace: nothing to close
        const Destination leaving = group_.destination;
        group_ = stack_.back();
        stack_.pop_back();
        if (stack_.empty()) {
            // The document's own group has ended; what follows it is not part of it.
            pos_ = int(bytes_.size());
            return;
        }
        if (leaving == Destination::FontTable)
            commitFont();
        if (leaving == Destination::ColorTable && group_.destination != Destination::ColorTable)
            colourStarted_ = false;
    }

    // A control word, a control symbol or a hexadecimal byte after a backslash.
    void control() {
        const int size = int(bytes_.size());
        if (pos_ >= size)
            return;
        const char c = bytes_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c))) {
            QByteArray word;
            while (pos_ < size && std::isalpha(static_cast<unsigned char>(bytes_[pos_]))) {
                if (word.size() < 32)
                    word += bytes_[pos_];
                ++pos_;
            }
            bool negative = false;
            bool hasParameter = false;
            std::int64_t value = 0;
            if (pos_ < size && bytes_[pos_] == '-' && pos_ + 1 < size &&
                std::isdigit(static_cast<unsigned char>(bytes_[pos_ + 1]))) {
                negative = true;
                ++pos_;
            }
            while (pos_ < size && std::isdigit(static_cast<unsigned char>(bytes_[pos_]))) {
                hasParameter = true;
                if (value < 10'000'000'000LL)
                    value = value * 10 + (bytes_[pos_] - '0');
                ++pos_;
            }
            if (pos_ < size && bytes_[pos_] == ' ')
                ++pos_;
            value = std::clamp<std::int64_t>(negative ? -value : value, INT32_MIN, INT32_MAX);
            controlWord(word, hasParameter, int(value));
            return;
        }
        ++pos_;
        if (c == '\'') {
            int byte = 0;
            int digits = 0;
            while (digits < 2 && pos_ < size &&
                   std::isxdigit(static_cast<unsigned char>(bytes_[pos_]))) {
                byte = byte * 16 + hexValue(bytes_[pos_]);
                ++pos_;
                ++digits;
            }
            if (digits > 0)
                rawByte(static_cast<unsigned char>(byte));
            return;
        }
        if (c == '*') {
            flush();
            if (!skipping())
                group_.destination = Destination::Skip;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(QChar(c));
            break;
        case '~':
            character(QChar(0x00A0));
            break;
        case '-':
            character(QChar(0x00AD));
            break;
        case '_':
            character(QChar(0x2011));
            break;
        case '\r':
        case '\n':
            controlWord("par", false, 0);
            break;
        case '\t':
            character(QChar('\t'));
            break;
        default:
            break; // \| \: and unknown symbols
        }
    }

    void controlWord(const QByteArray& word, bool hasParameter, int value) {
        if (word == "bin") {
            // Binary data follows; it is never text.
            if (hasParameter && value > 0)
                pos_ = int(std::min<std::int64_t>(bytes_.size(), std::int64_t(pos_) + value));
            return;
        }
        if (skipping())
            return;
        // A character changes no attributes; the text stays unflushed so that the two halves
        // of a surrogate pair meet.
        if (word == "u") {
            unicodeCharacter(value);
            return;
        }
        flush();
        if (unicodeSkipLeft_ > 0) {
            --unicodeSkipLeft_;
            return;
        }
        if (group_.destination == Destination::FontTable) {
            fontTableWord(word, value);
            return;
        }
        if (group_.destination == Destination::ColorTable) {
            colourWord(word, value);
            return;
        }
        if (word == "fonttbl") {
            group_.destination = Destination::FontTable;
            return;
        }
        if (word == "colortbl") {
            group_.destination = Destination::ColorTable;
            colours_.clear();
            colourStarted_ = false;
            return;
        }
        if (skippedDestinations().contains(word)) {
            group_.destination = Destination::Skip;
            return;
        }
        if (documentWord(word, hasParameter, value) || charWord(word, hasParameter, value) ||
            paragraphWord(word, hasParameter, value))
            return;
        if (word == "par" || word == "sect") {
            endParagraph(false);
            return;
        }
        if (word == "page") {
            pageBreak();
            return;
        }
        if (word == "cell" || word == "nestcell") {
            ++pendingCellTabs_;
            return;
        }
        if (word == "row" || word == "nestrow") {
            pendingCellTabs_ = 0;
            endParagraph(false);
            return;
        }
        if (const auto symbol = symbolWord(word))
            character(*symbol);
        // Any other word changes nothing we keep.
    }

    bool documentWord(const QByteArray& word, bool hasParameter, int value) {
        if (word == "ansi")
            codePage_ = 1252;
        else if (word == "mac")
            codePage_ = 10000;
        else if (word == "pc")
            codePage_ = 437;
        else if (word == "pca")
            codePage_ = 850;
        else if (word == "ansicpg") {
            if (hasParameter && value > 0)
                codePage_ = value;
        } else if (word == "deff")
            defaultFont_ = value;
        else if (word == "uc")
            group_.unicodeSkip = std::clamp(value, 0, 10);
        else if (word == "paperw")
            setPage(page_.width, value, MinPaperTwips);
        else if (word == "paperh")
            setPage(page_.height, value, MinPaperTwips);
        else if (word == "margl")
            setPage(page_.left, value, 0);
        else if (word == "margr")
            setPage(page_.right, value, 0);
        else if (word == "margt")
            setPage(page_.top, value, 0);
        else if (word == "margb")
            setPage(page_.bottom, value, 0);
        else
            return false;
        return true;
    }

    void setPage(int& field, int value, int minimum) {
        field = std::clamp(value, minimum, MaxTwips);
        pageSeen_ = true;
    }

    bool charWord(const QByteArray& word, bool hasParameter, int value) {
        CharState& chr = group_.chr;
        const bool on = !hasParameter || value != 0;
        if (word == "plain") {
            chr = CharState();
        } else if (word == "f") {
            chr.font = value;
        } else if (word == "fs") {
            chr.halfPoints = hasParameter && value > 0 ? std::clamp(value, 2, 3276) : 24;
        } else if (word == "b") {
            chr.bold = on;
        } else if (word == "i") {
            chr.italic = on;
        } else if (word == "strike" || word == "striked") {
            chr.strike = on;
        } else if (word == "ul" || word == "uld" || word == "uldash" || word == "uldb" ||
                   word == "ulw" || word == "ulth" || word == "ulwave" || word == "uldashd" ||
                   word == "uldashdd" || word == "ulhwave" || word == "ulldash") {
            chr.underline = on;
        } else if (word == "ulnone") {
            chr.underline = false;
        } else if (word == "cf") {
            chr.foreground = value;
        } else if (word == "cb" || word == "chcbpat" || word == "highlight") {
            chr.background = value;
        } else if (word == "super") {
            chr.vertical = 1;
        } else if (word == "sub") {
            chr.vertical = -1;
        } else if (word == "nosupersub") {
            chr.vertical = 0;
        } else {
            return false;
        }
        return true;
    }

    bool paragraphWord(const QByteArray& word, bool hasParameter, int value) {
        ParState& par = group_.par;
        if (word == "pard")
            par = ParState();
        else if (word == "ql")
            par.alignment = Qt::AlignLeft;
        else if (word == "qr")
            par.alignment = Qt::AlignRight;
        else if (word == "qc")
            par.alignment = Qt::AlignHCenter;
        else if (word == "qj" || word == "qd")
            par.alignment = Qt::AlignJustify;
        else if (word == "li")
            par.left = clampTwips(value);
        else if (word == "ri")
            par.right = clampTwips(value);
        else if (word == "fi")
            par.firstLine = clampTwips(value);
        else if (word == "sb")
            par.before = std::max(0, clampTwips(value));
        else if (word == "sa")
            par.after = std::max(0, clampTwips(value));
        else if (word == "tqr") {
            par.pendingTabType = QTextOption::RightTab;
        } else if (word == "tqc") {
            par.pendingTabType = QTextOption::CenterTab;
        } else if (word == "tqdec") {
            par.pendingTabType = QTextOption::DelimiterTab;
            par.pendingDelimiter = QChar('.');
        } else if (word == "tx" || word == "tb") {
            if (hasParameter && par.tabs.size() < 64)
                par.tabs.append(
                    {std::clamp(value, 0, MaxTwips), par.pendingTabType, par.pendingDelimiter});
            par.pendingTabType = QTextOption::LeftTab;
            par.pendingDelimiter = QChar();
        } else if (word == "pagebb")
            par.pageBreakBefore = !hasParameter || value != 0;
        else
            return false;
        return true;
    }

    void fontTableWord(const QByteArray& word, int value) {
        if (word == "f") {
            commitFont();
            fontNumber_ = value;
            fontCodePage_ = 0;
        } else if (word == "fcharset") {
            fontCodePage_ = CodePageOfCharset(value);
        } else if (word == "cpg") {
            fontCodePage_ = value;
        }
    }

    void commitFont() {
        decodeFontBytes();
        if (!fontNumber_)
            return;
        QString name = fontName_.trimmed();
        if (name.endsWith(';'))
            name.chop(1);
        name = name.left(MaxFontName);
        if (fonts_.size() < 4096 || fonts_.contains(*fontNumber_))
            fonts_.insert(*fontNumber_, {name.trimmed(), fontCodePage_});
        fontNumber_.reset();
        fontName_.clear();
        fontCodePage_ = 0;
    }

    void colourWord(const QByteArray& word, int value) {
        const int component = std::clamp(value, 0, 255);
        if (word == "red")
            colour_.setRed(component);
        else if (word == "green")
            colour_.setGreen(component);
        else if (word == "blue")
            colour_.setBlue(component);
        else
            return;
        colourStarted_ = true;
    }

    // A byte of text in the current font's code page.
    void rawByte(unsigned char byte) {
        if (skipping())
            return;
        if (byte < 0x80) {
            character(QChar(byte));
            return;
        }
        if (unicodeSkipLeft_ > 0) {
            --unicodeSkipLeft_;
            return;
        }
        if (group_.destination == Destination::FontTable) {
            if (fontBytes_.size() < 4 * MaxFontNameRead)
                fontBytes_ += char(byte);
            return;
        }
        if (group_.destination == Destination::Text)
            pendingBytes_ += char(byte);
    }

    void character(QChar c) {
        if (skipping())
            return;
        if (unicodeSkipLeft_ > 0) {
            --unicodeSkipLeft_;
            return;
        }
        switch (group_.destination) {
        case Destination::FontTable:
            decodeFontBytes();
            if (c == ';') {
                commitFont();
            } else if (c.unicode() >= 0x20 && fontName_.size() < MaxFontNameRead) {
                fontName_ += c;
            }
            return;
        case Destination::ColorTable:
            if (c == ';') {
                if (colours_.size() < 4096)
                    colours_.append(colourStarted_ ? std::optional<QColor>(colour_) : std::nullopt);
                colour_ = QColor(0, 0, 0);
                colourStarted_ = false;
            }
            return;
        case Destination::Skip:
            return;
        case Destination::Text:
            break;
        }
        if (c.unicode() < 0x20 && c != '\t')
            return;
        decodePending();
        addCellTabs();
        text_ += c;
    }

    void unicodeCharacter(int value) {
        unicodeSkipLeft_ = 0;
        character(QChar(char16_t(std::uint16_t(value))));
        unicodeSkipLeft_ = group_.unicodeSkip;
    }

    void addCellTabs() {
        while (pendingCellTabs_ > 0) {
            text_ += QChar('\t');
            --pendingCellTabs_;
        }
    }

    int fontCodePage(int number) const {
        const auto found = fonts_.constFind(number);
        if (found != fonts_.constEnd() && found->codePage > 0)
            return found->codePage;
        return codePage_;
    }

    void decodePending() {
        if (pendingBytes_.isEmpty())
            return;
        addCellTabs();
        const int font = group_.chr.font >= 0 ? group_.chr.font : defaultFont_;
        text_ += DecodeCodePage(pendingBytes_, fontCodePage(font));
        pendingBytes_.clear();
    }

    void decodeFontBytes() {
        if (fontBytes_.isEmpty())
            return;
        if (fontName_.size() < MaxFontNameRead) {
            fontName_ += DecodeCodePage(fontBytes_, fontCodePage_ > 0 ? fontCodePage_ : codePage_);
            fontName_.truncate(MaxFontNameRead);
        }
        fontBytes_.clear();
    }

    QTextCharFormat charFormat() const {
        const CharState& chr = group_.chr;
        QTextCharFormat format;
        const auto font = fonts_.constFind(chr.font >= 0 ? chr.font : defaultFont_);
        if (font != fonts_.constEnd() && !font->name.isEmpty())
            format.setFontFamilies({font->name});
        format.setFontPointSize(chr.halfPoints / 2.0);
        format.setFontWeight(chr.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(chr.italic);
        format.setFontUnderline(chr.underline);
        format.setFontStrikeOut(chr.strike);
        if (const auto colour = colourAt(chr.foreground))
            format.setForeground(*colour);
        if (const auto colour = colourAt(chr.background))
            format.setBackground(*colour);
        if (chr.vertical > 0)
            format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (chr.vertical < 0)
            format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        return format;
    }

    std::optional<QColor> colourAt(int index) const {
        if (index <= 0 || index >= colours_.size())
            return std::nullopt;
        return colours_[index];
    }

    QTextBlockFormat blockFormat() const {
        const ParState& par = group_.par;
        QTextBlockFormat format;
        format.setAlignment(par.alignment);
        format.setLeftMargin(TwipsToDocument(std::max(0, par.left)));
        format.setRightMargin(TwipsToDocument(std::max(0, par.right)));
        format.setTextIndent(TwipsToDocument(par.firstLine));
        format.setTopMargin(TwipsToDocument(par.before));
        format.setBottomMargin(TwipsToDocument(par.after));
        if (!par.tabs.isEmpty()) {
            // Stops left of where the first line starts have no place in the document.
            QList<QTextOption::Tab> tabs;
            for (const TabStop& stop : par.tabs) {
                const double position = StopFromLineStart(TwipsToDocument(stop.position), format);
                if (position > 0)
                    tabs.append(QTextOption::Tab(position, stop.type, stop.delimiter));
            }
            std::sort(tabs.begin(), tabs.end(),
                      [](const auto& a, const auto& b) { return a.position < b.position; });
            format.setTabPositions(tabs);
        }
        if (par.pageBreakBefore || blockBreaksPage_)
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        return format;
    }

    // Puts the text read so far into the document in the current character attributes.
    void flush() {
        decodePending();
        if (text_.isEmpty())
            return;
        // A surrogate without its partner cannot be shown; it becomes the replacement mark.
        for (qsizetype i = 0; i < text_.size(); ++i) {
            const QChar c = text_[i];
            if (c.isHighSurrogate() && i + 1 < text_.size() && text_[i + 1].isLowSurrogate())
                ++i;
            else if (c.isSurrogate())
                text_[i] = QChar(QChar::ReplacementCharacter);
        }
        cursor_.insertText(text_, charFormat());
        text_.clear();
        paragraphHasContent_ = true;
    }

    void endParagraph(bool) {
        flush();
        pendingCellTabs_ = 0;
        cursor_.setBlockFormat(blockFormat());
        cursor_.setBlockCharFormat(charFormat());
        cursor_.insertBlock();
        blockBreaksPage_ = false;
        paragraphHasContent_ = false;
        blocksAdded_ = true;
    }

    void pageBreak() {
        flush();
        if (paragraphHasContent_)
            endParagraph(false);
        blockBreaksPage_ = true;
    }

    void finish() {
        flush();
        if (blocksAdded_ && !paragraphHasContent_ && !blockBreaksPage_ && cursor_.atBlockEnd() &&
            cursor_.block().length() == 1) {
            // The mark that ends the last paragraph opens no new one.
            cursor_.deletePreviousChar();
            return;
        }
        cursor_.setBlockFormat(blockFormat());
        if (!paragraphHasContent_)
            cursor_.setBlockCharFormat(charFormat());
    }

    const QByteArray& bytes_;
    QTextCursor& cursor_;
    int pos_ = 0;
    RtfReadResult result_;
    std::vector<Group> stack_;
    Group group_;
    int overflow_ = 0;
    int codePage_ = 1252;
    int defaultFont_ = 0;
    QHash<int, FontEntry> fonts_;
    std::optional<int> fontNumber_;
    QString fontName_;
    QByteArray fontBytes_;
    int fontCodePage_ = 0;
    QList<std::optional<QColor>> colours_;
    QColor colour_{0, 0, 0};
    bool colourStarted_ = false;
    PageSetup page_;
    bool pageSeen_ = false;
    QString text_;
    QByteArray pendingBytes_;
    int unicodeSkipLeft_ = 0;
    int pendingCellTabs_ = 0;
    bool paragraphHasContent_ = false;
    bool blockBreaksPage_ = false;
    bool blocksAdded_ = false;
};

bool startsAsRtf(const QByteArray& bytes) {
    qsizetype i = 0;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf";
}

void readPlainText(const QByteArray& bytes, QTextCursor& cursor) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = DecodeCodePage(bytes, 1252);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace('\r', '\n');
    const QStringList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        QString line = lines[i];
        for (QChar& c : line) {
            if (c.unicode() < 0x20 && c != '\t')
                c = QChar(' ');
        }
        cursor.insertText(line);
    }
}

} // namespace

RtfReadResult ReadRtf(const QByteArray& bytes, QTextCursor& cursor) {
    if (!startsAsRtf(bytes)) {
        readPlainText(bytes, cursor);
        return {};
    }
    cursor.beginEditBlock();
    Reader reader(bytes, cursor);
    const RtfReadResult result = reader.run();
    cursor.endEditBlock();
    return result;
}

} // namespace controls
