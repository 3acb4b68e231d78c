#include "layout/effects_dialog.h"

#include "platform/whats_this.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace layout {

const QList<std::pair<QString, int>>& NamedColors() {
    static const QList<std::pair<QString, int>> colors{
        {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
        {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
        {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
        {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
    };
    return colors;
}

namespace {

// The white box the sample paints itself in.
class SampleView : public QWidget {
public:
    SampleView(TGPLabel& sample, QWidget* parent) : QWidget(parent), sample_(sample) {
        setMinimumSize(220, 60);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.translate(sample_.Left(), sample_.Top());
        sample_.Paint(painter);
    }

private:
    TGPLabel& sample_;
};

// A colour list with a swatch for each entry; a colour not among the named ones is added.
QComboBox* colorCombo(QWidget* parent, int current) {
    auto* combo = new QComboBox(parent);
    for (const auto& [name, color] : NamedColors()) {
        QPixmap swatch(16, 12);
        swatch.fill(ColorOf(color));
        combo->addItem(QIcon(swatch), name, color);
    }
    int at = combo->findData(current);
    if (at < 0) {
        combo->addItem(QStringLiteral("Custom"), current);
        at = combo->count() - 1;
    }
    combo->setCurrentIndex(at);
    return combo;
}

QComboBox* listCombo(QWidget* parent, const QStringList& entries, int current) {
    auto* combo = new QComboBox(parent);
    combo->addItems(entries);
    combo->setCurrentIndex(std::clamp(current, 0, int(entries.size()) - 1));
    return combo;
}

QStringList depths() {
    QStringList list;
    for (int depth = 0; depth <= 10; ++depth)
        list << QString::number(depth);
    return list;
}

} // namespace

TGFont3DEffects::TGFont3DEffects(const TGBaseLabel& label, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GFont3DEffects"));
    setWindowTitle(QStringLiteral("Text 3D Effects"));
    sample_.SetCaption(QStringLiteral("Sample"));
    sample_.SetFont(label.Font());
    sample_.SetDepthShadow(label.DepthShadow());
    sample_.SetDepthHighlight(label.DepthHighlight());
    sample_.SetDirectionShadow(label.DirectionShadow());
    sample_.SetDirectionHighlight(label.DirectionHighlight());
    sample_.SetColorShadow(label.colorShadow());
    sample_.SetColorHighlight(label.colorHighlight());
    sample_.SetBounds({8, 8, 204, 44});

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const auto add = [&](const char* text, QComboBox* combo, const char* name, const char* help) {
        combo->setObjectName(QString::fromLatin1(name));
        platform::GiveWhatsThis(*combo, QString::fromLatin1(help));
        form->addRow(QString::fromLatin1(text), combo);
        return combo;
    };
    ShadowDirection =
        add("Shadow Direction",
            listCombo(this, {"None", "Right", "Left", "Lower Right", "Lower Left", "Down"},
                      label.DirectionShadow()),
            "ShadowDirection", "Where the shadow lies from the text.");
    ShadowColorCombo = add("Shadow Color", colorCombo(this, label.colorShadow()),
                           "ShadowColorCombo", "The colour of the shadow.");
    ShadowDepth = add("Shadow Depth", listCombo(this, depths(), label.DepthShadow()), "ShadowDepth",
                      "How far, in pixels, the shadow lies from the text.");
    HighlightDirection =
        add("Highlight Direction",
            listCombo(this, {"None", "Right", "Left", "Upper Right", "Upper Left", "Up"},
                      label.DirectionHighlight()),
            "HighlightDirection", "Where the highlight lies from the text.");
    HighLightColorCombo = add("Highlight Color", colorCombo(this, label.colorHighlight()),
                              "HighLightColorCombo", "The colour of the highlight.");
    HighLightDepth = add("Highlight Depth", listCombo(this, depths(), label.DepthHighlight()),
                         "HighLightDepth", "How far, in pixels, the highlight lies from the text.");
    FontColorCombo = add("Font Color", colorCombo(this, label.Font().color), "FontColorCombo",
                         "The colour of the text.");
    layout->addLayout(form);
    SampleBox = new SampleView(sample_, this);
    SampleBox->setObjectName(QStringLiteral("Sample"));
    platform::GiveWhatsThis(*SampleBox, QStringLiteral("The text as the settings show it."));
    layout->addWidget(SampleBox);
    buttons = AddDialogButtons(*this, *layout, HelpTopic);

    // Every change shows on the sample at once.
    const auto changed = [this] {
        sample_.SetDirectionShadow(TShadowDirection(ShadowDirection->currentIndex()));
        sample_.SetColorShadow(ShadowColorCombo->currentData().toInt());
        sample_.SetDepthShadow(ShadowDepth->currentIndex());
        sample_.SetDirectionHighlight(THighlightDirection(HighlightDirection->currentIndex()));
        sample_.SetColorHighlight(HighLightColorCombo->currentData().toInt());
        sample_.SetDepthHighlight(HighLightDepth->currentIndex());
        TLayoutFont font = sample_.Font();
        font.color = FontColorCombo->currentData().toInt();
        sample_.SetFont(font);
        sample_.SetBounds({8, 8, 204, 44});
        SampleBox->update();
    };
    for (QComboBox* combo : {ShadowDirection, ShadowColorCombo, ShadowDepth, HighlightDirection,
                             HighLightColorCombo, HighLightDepth, FontColorCombo})
        connect(combo, &QComboBox::currentIndexChanged, this, changed);
}

void TGFont3DEffects::ApplyTo(TGBaseLabel& label) const {
    label.SetFont(sample_.Font());
    label.SetDepthShadow(sample_.DepthShadow());
    label.SetDepthHighlight(sample_.DepthHighlight());
    label.SetDirectionShadow(sample_.DirectionShadow());
    label.SetDirectionHighlight(sample_.DirectionHighlight());
    label.SetColorShadow(sample_.colorShadow());
    label.SetColorHighlight(sample_.colorHighlight());
}

} // namespace layout
