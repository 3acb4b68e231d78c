#pragma once

// Objects that show a block of lines: fixed text, a memo field, and the address block that
// makes a mailing label.
#include "layout/address_composition.h"
#include "layout/graphic_control.h"
#include "layout/layout_enums.h"
#include "layout/layout_font.h"

#include <QStringList>

namespace data {
class TTable;
}

namespace layout {

class TGMultiLineBaseLabel : public TGGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(layout::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(layout::TLayoutFont Font READ Font WRITE SetFont)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

public:
    explicit TGMultiLineBaseLabel(QObject* parent = nullptr);

    const QStringList& Items() const { return items_; }
    void SetItems(const QStringList& items);
    // Stored only.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    const TLayoutFont& Font() const { return font_; }
    void SetFont(const TLayoutFont& font);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);

    // The lines shown: the wrapped lines with word wrapping, else Items.
    QStringList Lines() const { return wordWrap_ ? wrapped_ : items_; }
    // The lines painted: Lines, with the placeholder for an empty block or one blank line.
    QStringList PaintedLines() const;
    // Breaks Items to the object's width in its font at the current zoom (with word wrapping).
    virtual void RewrapLines();
    // Height to the painted lines, width at least the widest.
    void SizeToLines();
    // The distance between lines on screen: the height of "XXX" in the zoomed font.
    int LinePitch() const;

    void CheckBoundsChanged() override;
    void ApplyFont(const QFont& font) override;
    void Paint(QPainter& painter) override;
    void PrintTo(pageout::TBasePageJob& engine, double originX, double originY) override;
    void SizeToContent() override { SizeToLines(); }
    void UpdateMenuChecks() override;
    void ChooseFont();
    void ToggleWordWrap();

protected:
    void BuildMenu(QMenu& menu) override;
    // The placeholder of an empty block.
    virtual QString BlankText() const { return QStringLiteral("<blank>"); }
    // Sets the lines as the record gives them, without telling the surface.
    void setItemsQuietly(const QStringList& items);
    void setWrapped(const QStringList& lines) { wrapped_ = lines; }
    QAction* wordWrapItem_ = nullptr;

private:
    QStringList items_;
    QStringList wrapped_;
    bool autoSize_ = false;
    TAlignment alignment_ = taLeftJustify;
    TLayoutFont font_;
    bool wordWrap_ = false;
    QAction* alignmentItems_[3] = {};
};

// Fixed lines typed by the user.
class TGMultiLineLabel : public TGMultiLineBaseLabel {
    Q_OBJECT
public:
    explicit TGMultiLineLabel(QObject* parent = nullptr) : TGMultiLineBaseLabel(parent) {}
    // The text editor; on OK the lines are taken.
    void EditText();
    void InitialEdit() override { EditText(); }

protected:
    void BuildMenu(QMenu& menu) override;
};

// The text of a memo field of the current record.
class TGDMultiLineLabel : public TGMultiLineBaseLabel {
    Q_OBJECT
    Q_PROPERTY(QString DataFieldName READ DataFieldName WRITE SetDataFieldName)
    Q_PROPERTY(QString DataFieldDescript READ DataFieldDescript WRITE SetDataFieldDescript)
public:
    explicit TGDMultiLineLabel(QObject* parent = nullptr) : TGMultiLineBaseLabel(parent) {}

    QString DataFieldName() const { return dataFieldName_; }
    void SetDataFieldName(const QString& name) { dataFieldName_ = name; }
    QString DataFieldDescript() const { return dataFieldDescript_; }
    void SetDataFieldDescript(const QString& description) { dataFieldDescript_ = description; }

    // The memo broken to the object's width; "[description]" while the surface shows
    // descriptions; "<undefined memo>" when the field is not there.
    void RefreshData() override;
    void RewrapLines() override { RefreshData(); }
    void PrepareForSave() override { setItemsQuietly({}); }
    // The field dialog over the record source's memo fields.
    void ChooseMemoField();

protected:
    void BuildMenu(QMenu& menu) override;
    QString BlankText() const override { return QStringLiteral("<blank memo>"); }

private:
    QString dataFieldName_;
    QString dataFieldDescript_;
};

// The address block composed from the current record.
class TGDMultiLineAddressLabel : public TGMultiLineBaseLabel {
    Q_OBJECT
    Q_PROPERTY(bool UseName READ UseName WRITE SetUseName)
    Q_PROPERTY(bool UseTitle READ UseTitle WRITE SetUseTitle)
    Q_PROPERTY(bool UseCompany READ UseCompany WRITE SetUseCompany)
    Q_PROPERTY(bool UseStreet READ UseStreet WRITE SetUseStreet)
    Q_PROPERTY(bool UseStreet2 READ UseStreet2 WRITE SetUseStreet2)
    Q_PROPERTY(bool UseCityState READ UseCityState WRITE SetUseCityState)
    Q_PROPERTY(bool UseZip READ UseZip WRITE SetUseZip)
    Q_PROPERTY(bool UsePhone READ UsePhone WRITE SetUsePhone)
    Q_PROPERTY(bool UseCountry READ UseCountry WRITE SetUseCountry)
    Q_PROPERTY(layout::TZipFormatOptions ZipOptions READ ZipOptions WRITE SetZipOptions)
    Q_PROPERTY(bool UpperCase READ UpperCase WRITE SetUpperCase)
public:
    explicit TGDMultiLineAddressLabel(QObject* parent = nullptr) : TGMultiLineBaseLabel(parent) {}

    const AddressOptions& Options() const { return options_; }
    void SetOptions(const AddressOptions& options) { options_ = options; }
    bool UseName() const { return options_.useName; }
    void SetUseName(bool on) { options_.useName = on; }
    bool UseTitle() const { return options_.useTitle; }
    void SetUseTitle(bool on) { options_.useTitle = on; }
    bool UseCompany() const { return options_.useCompany; }
    void SetUseCompany(bool on) { options_.useCompany = on; }
    bool UseStreet() const { return options_.useStreet; }
    void SetUseStreet(bool on) { options_.useStreet = on; }
    bool UseStreet2() const { return options_.useStreet2; }
    void SetUseStreet2(bool on) { options_.useStreet2 = on; }
    bool UseCityState() const { return options_.useCityState; }
    void SetUseCityState(bool on) { options_.useCityState = on; }
    bool UseZip() const { return options_.useZip; }
    void SetUseZip(bool on) { options_.useZip = on; }
    bool UsePhone() const { return options_.usePhone; }
    void SetUsePhone(bool on) { options_.usePhone = on; }
    bool UseCountry() const { return options_.useCountry; }
    void SetUseCountry(bool on) { options_.useCountry = on; }
    TZipFormatOptions ZipOptions() const { return options_.zipOptions; }
    void SetZipOptions(TZipFormatOptions options) { options_.zipOptions = options; }
    bool UpperCase() const { return options_.upperCase; }
    void SetUpperCase(bool on) { options_.upperCase = on; }

    // The lines of the current record, or "[Address Label]" while the surface shows
    // descriptions.
    void RefreshData() override;
    void PrepareForSave() override { setItemsQuietly({}); }
    // The address layout dialog; on OK the surface shows the values again.
    void EditLayout();

protected:
    void BuildMenu(QMenu& menu) override;

private:
    AddressOptions options_;
};

// The lines a table's current record composes into.
QStringList ComposeRecordAddress(const data::TTable& table, const AddressOptions& options);

} // namespace layout
