#pragma once

// "Text 3D Effects": the shadow and highlight of a text object and its font colour, tried on a
// live sample before they are taken.
#include "layout/dialog_frame.h"
#include "layout/text_labels.h"

class QComboBox;

namespace layout {

// The colours the colour lists offer, by name, as stored colour numbers.
const QList<std::pair<QString, int>>& NamedColors();

class TGFont3DEffects : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 40008;
    // The sample starts with the label's font, depths, directions and colours.
    explicit TGFont3DEffects(const TGBaseLabel& label, QWidget* parent = nullptr);

    QComboBox* ShadowDirection = nullptr;
    QComboBox* ShadowColorCombo = nullptr;
    QComboBox* ShadowDepth = nullptr;
    QComboBox* HighlightDirection = nullptr;
    QComboBox* HighLightColorCombo = nullptr;
    QComboBox* HighLightDepth = nullptr;
    QComboBox* FontColorCombo = nullptr;
    QWidget* SampleBox = nullptr;
    DialogButtons buttons;

    const TGPLabel& Sample() const { return sample_; }
    // Copies the sample's font (with its colour), depths, directions and colours to a label.
    void ApplyTo(TGBaseLabel& label) const;

private:
    TGPLabel sample_;
};

} // namespace layout
