#include "layout/text_labels.h"

#include "layout/base_panel.h"
#include "layout/record_fields.h"
#include "layout/symbol_dialog.h"
#include "layout/text_dialogs.h"

#include "pageout/page_job.h"
#include "platform/system_services.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QSpinBox>

namespace layout {

// --- fixed text ------------------------------------------------------------------------------

void TGPLabel::ChooseFont() {
    TGBaseLabel::ChooseFont();
    SizeToText();
}

void TGPLabel::EditText() {
    TGetLabelText dialog(Caption());
    if (!RunDialog(dialog))
        return;
    SetCaption(dialog.LabelText->text());
    SizeToText();
    Repaint();
}

void TGPLabel::BuildMenu(QMenu& menu) {
    TGBaseLabel::BuildMenu(menu);
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Text"), &TGPLabel::EditText);
    AddRotationEntries(menu);
}

// --- record field ----------------------------------------------------------------------------

void TGPDLabel::RefreshData() {
    const data::TTable* table = OpenRecordSource(*this);
    const data::FieldInfo* field = table ? FieldByDescription(*table, dataFieldDescript_) : nullptr;
    const bool printing = SurfacePrinting(*this);
    QString caption = Caption();
    if (field && ShowsRecordValues(*this)) {
        caption = table->fieldText(field->name);
        if (caption.trimmed().isEmpty() && !printing)
            caption = QStringLiteral("<blank field>");
    } else if (field) {
        caption = QLatin1Char('[') + dataFieldDescript_ + QLatin1Char(']');
    } else if (!printing) {
        caption = QStringLiteral("<undefined field>");
    }
    // Trailing blanks go; leading ones stay.
    qsizetype end = caption.size();
    while (end > 0 && caption[end - 1] == QLatin1Char(' '))
        --end;
    setCaptionQuietly(caption.left(end));
    MarkStale();
    if (!printing)
        Repaint();
}

void TGPDLabel::PrepareForSave() {
    setCaptionQuietly(QString());
}

void TGPDLabel::ChooseField() {
    const data::TTable* table = OpenRecordSource(*this);
    TFieldSelectionBox dialog(table ? FieldDescriptions(*table, data::FieldKind::Text)
                                    : QStringList(),
                              dataFieldDescript_);
    if (RunDialog(dialog) && table) {
        if (const data::FieldInfo* field = FieldByDescription(*table, dialog.Chosen())) {
            dataFieldName_ = field->name;
            dataFieldDescript_ = FieldDescription(*field);
            NotifyChanged();
        }
    }
    if (TGBasePanel* surface = Surface())
        surface->RefreshDataValues();
}

void TGPDLabel::BuildMenu(QMenu& menu) {
    TGBaseLabel::BuildMenu(menu);
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Field"), &TGPDLabel::ChooseField);
}

// --- counter ---------------------------------------------------------------------------------

TGCounterLabel::TGCounterLabel(QObject* parent) : TGBaseLabel(parent) {}

void TGCounterLabel::SetTextBefore(const QString& text) {
    textBefore_ = text;
    Repaint();
}

void TGCounterLabel::SetTextAfter(const QString& text) {
    textAfter_ = text;
    Repaint();
}

void TGCounterLabel::SetStartingnumber(int number) {
    if (number == startingNumber_)
        return;
    startingNumber_ = number;
    ResetCounter();
}

void TGCounterLabel::SetRepeatEach(int count) {
    repeatEach_ = count;
    Repaint();
}

QString TGCounterLabel::CounterText() const {
    return textBefore_ + QString::number(current_) + textAfter_;
}

void TGCounterLabel::AfterItemPrinted() {
    // A repeat of 0 or less is never reached: the number stays.
    if (++repeated_ == repeatEach_) {
        ++current_;
        repeated_ = 0;
        setCaptionQuietly(CounterText());
    }
}

void TGCounterLabel::ResetCounter() {
    current_ = startingNumber_;
    repeated_ = 0;
    Repaint();
}

void TGCounterLabel::PrepareCaption(const pageout::TBasePageJob*) {
    setCaptionQuietly(CounterText());
}

void TGCounterLabel::EditCounter() {
    TGetCounter dialog;
    dialog.TextBefore->setText(textBefore_);
    dialog.StartingNumber->setValue(startingNumber_);
    dialog.RepeatFor->setValue(std::clamp(repeatEach_, 1, 999));
    dialog.TextAfter->setText(textAfter_);
    if (!RunDialog(dialog))
        return;
    textBefore_ = dialog.TextBefore->text();
    SetStartingnumber(dialog.StartingNumber->value());
    repeatEach_ = dialog.RepeatFor->value();
    textAfter_ = dialog.TextAfter->text();
    SetCaption(CounterText());
    if (Angle() == 0) {
        SetWidth(10);
        SizeToText();
    }
    Repaint();
    NotifyChanged();
}

void TGCounterLabel::BuildMenu(QMenu& menu) {
    TGBaseLabel::BuildMenu(menu);
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Counter Settings"), &TGCounterLabel::EditCounter);
    AddRotationEntries(menu);
}

// --- symbol ----------------------------------------------------------------------------------

TGSymbolLabel::TGSymbolLabel(QObject* parent) : TGBaseLabel(parent) {
    TLayoutFont font;
    font.name = QStringLiteral("WingDings");
    font.size = 24;
    SetFont(font);
    SetCaption(QStringLiteral("["));
}

void TGSymbolLabel::CheckBoundsChanged() {
    TGBaseLabel::CheckBoundsChanged();
    FitToGlyph();
}

void TGSymbolLabel::FitToGlyph() {
    const QFontMetrics metrics(Font().ScreenFont(Zoom()));
    const int width = int(1.1 * metrics.horizontalAdvance(Caption()));
    const int height = int(1.1 * metrics.height());
    if (width != Width() || height != Height())
        SetBounds({Left(), Top(), width, height});
}

void TGSymbolLabel::BuildMenu(QMenu& menu) {
    TGBaseLabel::BuildMenu(menu);
    // A symbol keeps its symbol font and has no alignment.
    for (QAction* item : menu.actions()) {
        const QString text = item->text();
        if (text == QLatin1String("Font") || text == QLatin1String("Alignment") ||
            text == QLatin1String("Angle"))
            menu.removeAction(item);
    }
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Symbol Selector"), &TGSymbolLabel::ChooseSymbol);
}

void TGSymbolLabel::ChooseSymbol() {
    TGetSymbol dialog(Font(), Caption());
    if (!RunDialog(dialog))
        return;
    SetFont(dialog.PreviewFont());
    SetCaption(dialog.ChosenCharacter());
    FitToGlyph();
    Repaint();
}

// --- date and time ---------------------------------------------------------------------------

QString DateTimeCaption(const QDateTime& moment, TGDateFormat date, TGTimeFormat time) {
    const QLocale locale = QLocale::system();
    QString caption;
    if (date == dtfDateShort)
        caption = locale.toString(moment.date(), QLocale::ShortFormat);
    else if (date == dtfDateLong)
        caption = locale.toString(moment.date(), QLocale::LongFormat);
    if (time == dtfTimeShort)
        caption += QLatin1Char(' ') + locale.toString(moment.time(), QLocale::ShortFormat);
    else if (time == dtfTimeLong)
        caption += QLatin1Char(' ') + locale.toString(moment.time(), QLocale::LongFormat);
    return caption;
}

void TGDateTimeLabel::SetDateFormat(TGDateFormat format) {
    dateFormat_ = format;
    Repaint();
}

void TGDateTimeLabel::SetTimeFormat(TGTimeFormat format) {
    timeFormat_ = format;
    Repaint();
}

void TGDateTimeLabel::PrepareCaption(const pageout::TBasePageJob*) {
    setCaptionQuietly(DateTimeCaption(platform::Now(), dateFormat_, timeFormat_));
}

void TGDateTimeLabel::BuildMenu(QMenu& menu) {
    TGBaseLabel::BuildMenu(menu);
    menu.addSeparator();
    QMenu* dates = menu.addMenu(QStringLiteral("Date Format"));
    const char* dateTexts[] = {"No Date", "Windows Short Date", "Windows Long Date"};
    for (int i = 0; i < 3; ++i) {
        dateItems_[i] = dates->addAction(QString::fromLatin1(dateTexts[i]));
        dateItems_[i]->setCheckable(true);
        connect(
            dateItems_[i], &QAction::triggered, this, [this, i] { SetDateFormat(TGDateFormat(i)); },
            Qt::QueuedConnection);
    }
    QMenu* times = menu.addMenu(QStringLiteral("Time Format"));
    const char* timeTexts[] = {"No Time", "Windows Short Time", "Windows Long Time"};
    for (int i = 0; i < 3; ++i) {
        timeItems_[i] = times->addAction(QString::fromLatin1(timeTexts[i]));
        timeItems_[i]->setCheckable(true);
        connect(
            timeItems_[i], &QAction::triggered, this, [this, i] { SetTimeFormat(TGTimeFormat(i)); },
            Qt::QueuedConnection);
    }
}

void TGDateTimeLabel::UpdateMenuChecks() {
    TGBaseLabel::UpdateMenuChecks();
    for (int i = 0; i < 3; ++i) {
        if (dateItems_[i])
            dateItems_[i]->setChecked(i == dateFormat_);
        if (timeItems_[i])
            timeItems_[i]->setChecked(i == timeFormat_);
    }
}

// --- page number -----------------------------------------------------------------------------

void TGPageNumberLabel::PrepareCaption(const pageout::TBasePageJob* engine) {
    setCaptionQuietly(engine ? QString::number(engine->CurrentPage()) : QStringLiteral("##"));
}

} // namespace layout
