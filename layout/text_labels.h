#pragma once

// The single-line text objects: fixed text, a record field, a running counter, a symbol
// character, the date and time, and the page number.
#include "layout/base_label.h"

namespace layout {

// Fixed text.
class TGPLabel : public TGBaseLabel {
    Q_OBJECT
public:
    explicit TGPLabel(QObject* parent = nullptr) : TGBaseLabel(parent) {}
    // Sizes the object to its text afterwards.
    void ChooseFont() override;
    // The text dialog; on OK the caption is taken and the object sized to it.
    void EditText();
    void InitialEdit() override { EditText(); }

protected:
    void BuildMenu(QMenu& menu) override;
};

// The value of the record field whose description is DataFieldDescript.
class TGPDLabel : public TGBaseLabel {
    Q_OBJECT
    Q_PROPERTY(QString DataFieldName READ DataFieldName WRITE SetDataFieldName)
    Q_PROPERTY(QString DataFieldDescript READ DataFieldDescript WRITE SetDataFieldDescript)
    Q_PROPERTY(int LengthOfText READ LengthOfText WRITE SetLengthOfText)
public:
    explicit TGPDLabel(QObject* parent = nullptr) : TGBaseLabel(parent) {}

    QString DataFieldName() const { return dataFieldName_; }
    void SetDataFieldName(const QString& name) { dataFieldName_ = name; }
    QString DataFieldDescript() const { return dataFieldDescript_; }
    void SetDataFieldDescript(const QString& description) { dataFieldDescript_ = description; }
    // Stored only.
    int LengthOfText() const { return lengthOfText_; }
    void SetLengthOfText(int length) { lengthOfText_ = length; }

    // The field's value; "<blank field>" for a blank one, "[description]" while the surface
    // shows descriptions, "<undefined field>" when the field is not there (while printing the
    // caption then stays as it is).
    void RefreshData() override;
    // Stored layouts carry no record data.
    void PrepareForSave() override;
    // The field dialog over the record source's text fields; the surface then shows the
    // values again.
    void ChooseField();
    void InitialEdit() override { ChooseField(); }

protected:
    void BuildMenu(QMenu& menu) override;

private:
    QString dataFieldName_;
    QString dataFieldDescript_;
    int lengthOfText_ = 0;
};

// A running number between two texts: it advances after every RepeatEach printed items.
class TGCounterLabel : public TGBaseLabel {
    Q_OBJECT
    Q_PROPERTY(QString TextBefore READ TextBefore WRITE SetTextBefore)
    Q_PROPERTY(QString TextAfter READ TextAfter WRITE SetTextAfter)
    Q_PROPERTY(int Startingnumber READ Startingnumber WRITE SetStartingnumber)
    Q_PROPERTY(int RepeatEach READ RepeatEach WRITE SetRepeatEach)
public:
    explicit TGCounterLabel(QObject* parent = nullptr);

    QString TextBefore() const { return textBefore_; }
    void SetTextBefore(const QString& text);
    QString TextAfter() const { return textAfter_; }
    void SetTextAfter(const QString& text);
    int Startingnumber() const { return startingNumber_; }
    // A different number resets the counter to it.
    void SetStartingnumber(int number);
    int RepeatEach() const { return repeatEach_; }
    void SetRepeatEach(int count);
    int CurrentNumber() const { return current_; }
    // TextBefore, the current number, TextAfter.
    QString CounterText() const;

    void AfterItemPrinted() override;
    void ResetCounter() override;
    // The counter dialog.
    void EditCounter();

protected:
    void BuildMenu(QMenu& menu) override;
    void PrepareCaption(const pageout::TBasePageJob* engine) override;

private:
    QString textBefore_;
    QString textAfter_;
    int startingNumber_ = 1;
    int repeatEach_ = 1;
    int current_ = 1;
    int repeated_ = 0;
};

// One character of a symbol font; the object keeps the size of its glyph.
class TGSymbolLabel : public TGBaseLabel {
    Q_OBJECT
public:
    explicit TGSymbolLabel(QObject* parent = nullptr);
    // Resizes to 1.1 times the glyph after any other change of the bounds.
    void CheckBoundsChanged() override;
    // The symbol keeps its own font.
    void ApplyFont(const QFont&) override {}
    // Width and height 1.1 times the glyph's.
    void FitToGlyph();
    // The symbol dialog; on OK the label takes its font and character.
    void ChooseSymbol();
    void InitialEdit() override { ChooseSymbol(); }

protected:
    void BuildMenu(QMenu& menu) override;
};

// The current date and/or time in the system's formats.
class TGDateTimeLabel : public TGBaseLabel {
    Q_OBJECT
    Q_PROPERTY(layout::TGDateFormat DateFormat READ DateFormat WRITE SetDateFormat)
    Q_PROPERTY(layout::TGTimeFormat TimeFormat READ TimeFormat WRITE SetTimeFormat)
public:
    explicit TGDateTimeLabel(QObject* parent = nullptr) : TGBaseLabel(parent) {}

    TGDateFormat DateFormat() const { return dateFormat_; }
    void SetDateFormat(TGDateFormat format);
    TGTimeFormat TimeFormat() const { return timeFormat_; }
    void SetTimeFormat(TGTimeFormat format);
    void UpdateMenuChecks() override;

protected:
    void BuildMenu(QMenu& menu) override;
    void PrepareCaption(const pageout::TBasePageJob* engine) override;

private:
    TGDateFormat dateFormat_ = dtfDateShort;
    TGTimeFormat timeFormat_ = dtfTimeNone;
    QAction* dateItems_[3] = {};
    QAction* timeItems_[3] = {};
};

// The page number: "##" on screen, the page being printed on paper.
class TGPageNumberLabel : public TGBaseLabel {
    Q_OBJECT
public:
    explicit TGPageNumberLabel(QObject* parent = nullptr) : TGBaseLabel(parent) {}

protected:
    void PrepareCaption(const pageout::TBasePageJob* engine) override;
};

// The caption of a date and time object at a moment, in the system's formats.
QString DateTimeCaption(const QDateTime& moment, TGDateFormat date, TGTimeFormat time);

} // namespace layout
