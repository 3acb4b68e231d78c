#include "layout/multiline_labels.h"

#include "layout/base_panel.h"
#include "layout/data_panel.h"
#include "layout/display_resolution.h"
#include "layout/line_wrapping.h"
#include "layout/record_fields.h"
#include "layout/text_dialogs.h"

#include "data/memo_text.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "pageout/page_job.h"
#include "platform/dialogs.h"

#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

#include <cmath>

namespace layout {

TGMultiLineBaseLabel::TGMultiLineBaseLabel(QObject* parent) : TGGraphicControl(parent) {
    SetBounds({0, 0, 190, 33});
}

// --- properties ------------------------------------------------------------------------------

void TGMultiLineBaseLabel::SetItems(const QStringList& items) {
    items_ = items;
    if (wordWrap_ && !Reading())
        RewrapLines();
    Repaint();
}

void TGMultiLineBaseLabel::setItemsQuietly(const QStringList& items) {
    items_ = items;
}

void TGMultiLineBaseLabel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Repaint();
}

void TGMultiLineBaseLabel::SetFont(const TLayoutFont& font) {
    font_ = font;
    if (!Reading())
        NotifyChanged();
    Repaint();
}

void TGMultiLineBaseLabel::SetWordWrap(bool wrap) {
    if (wrap == wordWrap_)
        return;
    wordWrap_ = wrap;
    if (Reading())
        return;
    if (wrap)
        RewrapLines();
    Repaint();
    NotifyChanged();
}

void TGMultiLineBaseLabel::CheckBoundsChanged() {
    if (wordWrap_)
        RewrapLines();
    TGGraphicControl::CheckBoundsChanged();
}

void TGMultiLineBaseLabel::ApplyFont(const QFont& font) {
    SetFont(TLayoutFont::From(font, font_.color));
    RefreshData();
    if (wordWrap_)
        RewrapLines();
}

// --- lines -----------------------------------------------------------------------------------

void TGMultiLineBaseLabel::RewrapLines() {
    if (!wordWrap_)
        return;
    wrapped_ = WrapLines(items_, font_.ScreenFont(Zoom()), Width());
    Repaint();
}

QStringList TGMultiLineBaseLabel::PaintedLines() const {
    QStringList lines = Lines();
    if (lines.isEmpty())
        lines << BlankText();
    else if (lines.size() == 1 && lines.first().trimmed().isEmpty())
        lines << BlankText();
    return lines;
}

int TGMultiLineBaseLabel::LinePitch() const {
    return QFontMetrics(font_.ScreenFont(Zoom())).boundingRect(QStringLiteral("XXX")).height();
}

void TGMultiLineBaseLabel::SizeToLines() {
    if (wordWrap_)
        RewrapLines();
    const QFontMetrics metrics(font_.ScreenFont(Zoom()));
    const QStringList lines = PaintedLines();
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    SetBounds({Left(), Top(), std::max(Width(), widest), LinePitch() * int(lines.size())});
    Repaint();
}

// --- painting and printing -------------------------------------------------------------------

void TGMultiLineBaseLabel::Paint(QPainter& painter) {
    const QFont font = font_.ScreenFont(Zoom());
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(ColorOf(font_.color));
    painter.setBrush(Qt::NoBrush);
    const int pitch = LinePitch();
    const QStringList lines = PaintedLines();
    for (int i = 0; i < lines.size() && i * pitch < Height(); ++i) {
        const int w = metrics.horizontalAdvance(lines[i]);
        int x = 0;
        if (alignment_ == taRightJustify)
            x = Width() - w - 1;
        else if (alignment_ == taCenter)
            x = Width() / 2 - w / 2 + 1;
        painter.save();
        painter.setClipRect(QRect(0, i * pitch, Width(), pitch), Qt::IntersectClip);
        painter.drawText(QPoint(x, i * pitch + metrics.ascent()), lines[i]);
        painter.restore();
    }
}

void TGMultiLineBaseLabel::PrintTo(pageout::TBasePageJob& engine, double ox, double oy) {
    const QStringList lines = Lines();
    const double p = DisplayPixelsPerInch();
    engine.lineHeightMethod = pageout::LineHeightMethod::Font;
    engine.SelectFont(font_.name, font_.size);
    engine.SetFontBold(font_.bold);
    engine.SetFontColor(ColorOf(font_.color));
    engine.SetFontItalic(font_.italic);
    engine.SetFontAngle(0);
    engine.SelectBrush(Qt::white, pageout::BrushStyle::Clear);
    // Device pixels per inch, measured over ten inches of the page.
    const QRect tenInches = engine.PageRect(0, 0, 10, 10);
    const double dpiX = tenInches.width() / 10.0, dpiY = tenInches.height() / 10.0;
    const int pitch = int(std::lround(engine.LineHeight() * dpiY));
    const double left = ox + Left() / p;
    const QRect r = engine.PageRect(left, oy + Top() / p, ox + (Left() + Width()) / p,
                                    oy + (Top() + Height()) / p);
    const int k = int(dpiX / p);
    int top = r.top();
    for (const QString& line : lines) {
        if (top >= r.top() + r.height())
            break; // the lines starting below the object are not printed
        const int bottom = std::min(top + pitch, r.top() + r.height());
        const QRect box(r.left(), top, r.width(), bottom - top);
        const int w = int(std::lround(engine.TextWidth(line) * dpiX));
        int offset = 0;
        if (alignment_ == taRightJustify)
            offset = r.width() - w - k;
        else if (alignment_ == taCenter)
            offset = r.width() / 2 + k - w / 2;
        // Device pixels count from the sheet's corner, as the engine's inches do.
        engine.TextInRect(box, left + offset / dpiX, top / dpiY, line);
        top = bottom;
    }
}

// --- menu ------------------------------------------------------------------------------------

void TGMultiLineBaseLabel::BuildMenu(QMenu& menu) {
    TGGraphicControl::BuildMenu(menu);
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Font"), &TGMultiLineBaseLabel::ChooseFont);
    QMenu* alignment = menu.addMenu(QStringLiteral("Alignment"));
    const std::pair<const char*, TAlignment> entries[] = {
        {"Left", taLeftJustify}, {"Center", taCenter}, {"Right", taRightJustify}};
    for (const auto& [text, value] : entries) {
        QAction* item = alignment->addAction(QString::fromLatin1(text));
        item->setCheckable(true);
        connect(
            item, &QAction::triggered, this,
            [this, value = value] {
                SetAlignment(value);
                NotifyChanged();
            },
            Qt::QueuedConnection);
        alignmentItems_[value] = item;
    }
}

void TGMultiLineBaseLabel::UpdateMenuChecks() {
    for (int i = 0; i < 3; ++i)
        if (alignmentItems_[i])
            alignmentItems_[i]->setChecked(i == alignment_);
    if (wordWrapItem_)
        wordWrapItem_->setChecked(wordWrap_);
}

void TGMultiLineBaseLabel::ChooseFont() {
    if (const auto font = platform::CurrentDialogs().font(font_.ToQFont())) {
        SetFont(TLayoutFont::From(*font, font_.color));
        RefreshData();
        if (wordWrap_)
            RewrapLines();
    }
}

void TGMultiLineBaseLabel::ToggleWordWrap() {
    SetWordWrap(!wordWrap_);
}

void TGMultiLineLabel::EditText() {
    TMultiLineTextEditor dialog(Items(), Font().ToQFont());
    if (!RunDialog(dialog))
        return;
    SetItems(dialog.Lines());
    NotifyChanged();
}

void TGMultiLineLabel::BuildMenu(QMenu& menu) {
    TGMultiLineBaseLabel::BuildMenu(menu);
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Text"), &TGMultiLineLabel::EditText);
    wordWrapItem_ =
        addCommand(menu, QStringLiteral("Word Wrap"), &TGMultiLineBaseLabel::ToggleWordWrap);
    wordWrapItem_->setCheckable(true);
}

void TGDMultiLineLabel::ChooseMemoField() {
    const data::TTable* table = OpenRecordSource(*this);
    TFieldSelectionBox dialog(table ? FieldDescriptions(*table, data::FieldKind::Memo, false)
                                    : QStringList(),
                              dataFieldDescript_);
    if (!RunDialog(dialog))
        return;
    if (const data::FieldInfo* field =
            table ? FieldByDescription(*table, dialog.Chosen()) : nullptr) {
        dataFieldName_ = field->name;
        dataFieldDescript_ = FieldDescription(*field);
    }
    NotifyChanged();
    if (TGBasePanel* surface = Surface())
        surface->RefreshDataValues();
}

void TGDMultiLineLabel::BuildMenu(QMenu& menu) {
    TGMultiLineBaseLabel::BuildMenu(menu);
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Memo Field"), &TGDMultiLineLabel::ChooseMemoField);
    wordWrapItem_ =
        addCommand(menu, QStringLiteral("Word Wrap"), &TGMultiLineBaseLabel::ToggleWordWrap);
    wordWrapItem_->setCheckable(true);
}

// --- memo ------------------------------------------------------------------------------------

void TGDMultiLineLabel::RefreshData() {
    data::TTable* table = OpenRecordSource(*this);
    const data::FieldInfo* field = table ? FieldByDescription(*table, dataFieldDescript_) : nullptr;
    const bool printing = SurfacePrinting(*this);
    QStringList lines;
    if (field && ShowsRecordValues(*this)) {
        QString memo;
        data::TXbEngine* engine = DataSurfaceOf(*this)->MemoReader();
        try {
            if (engine && engine->DataSource)
                memo = engine->empty(field->name) ? QString() : engine->getMemo(field->name);
            else
                memo = table->fieldText(field->name);
        } catch (const std::exception&) {
            memo.clear(); // a memo that cannot be read shows nothing
        }
        if (!memo.isEmpty()) {
            lines = HardLines(data::MemoTextToShow(memo));
            if (WordWrap())
                lines = WrapLines(lines, Font().ScreenFont(Zoom()), Width());
        }
    } else if (field) {
        lines << QLatin1Char('[') + dataFieldDescript_ + QLatin1Char(']');
    } else if (!printing) {
        lines << QStringLiteral("<undefined memo>");
    }
    setItemsQuietly(lines);
    setWrapped(lines);
    if (!printing)
        Repaint();
}

// --- address ---------------------------------------------------------------------------------

QStringList ComposeRecordAddress(const data::TTable& table, const AddressOptions& options) {
    return ComposeAddress(options, [&table](const QString& name) -> std::optional<QString> {
        if (table.fieldIndex(name) < 0)
            return std::nullopt;
        return table.fieldText(name);
    });
}

void TGDMultiLineAddressLabel::EditLayout() {
    TAddressLayout dialog(options_);
    if (!RunDialog(dialog))
        return;
    options_ = dialog.Options();
    if (TGBasePanel* surface = Surface())
        surface->RefreshDataValues();
    NotifyChanged();
}

void TGDMultiLineAddressLabel::BuildMenu(QMenu& menu) {
    TGMultiLineBaseLabel::BuildMenu(menu);
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Address Layout"), &TGDMultiLineAddressLabel::EditLayout);
}

void TGDMultiLineAddressLabel::RefreshData() {
    QStringList lines;
    if (ShowsRecordValues(*this)) {
        if (const data::TTable* table = OpenRecordSource(*this))
            lines = ComposeRecordAddress(*table, options_);
    } else {
        lines << QStringLiteral("[Address Label]");
    }
    setItemsQuietly(lines);
    if (WordWrap())
        RewrapLines();
    if (!SurfacePrinting(*this))
        Repaint();
}

} // namespace layout
