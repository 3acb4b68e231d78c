#pragma once

#include "exchange/ascii_sample.h"
#include "exchange/field_match.h"
#include "exchange/import_dialog.h"

class QCheckBox;
class QComboBox;

// "ASCII File Import": a comma-separated text file, sampled into numbered columns that the user
// matches to address fields, appended one record a line. The file's encoding and quoting are
// found by looking at its bytes and shown, and the user can change them.
class TAsciiImport : public TImportBase {
    Q_OBJECT
public:
    explicit TAsciiImport(QWidget* parent = nullptr);
    static constexpr int HelpTopic = 1023;

    QComboBox* EncodingCombo = nullptr;
    QCheckBox* Rfc4180Check = nullptr;

    const exchange::AsciiSample& sample() const { return sample_; }
    int columnCount() const { return int(sample_.columns.size()); }

private:
    void SelectFileClick();
    void MatchFieldsClick();
    void ImportClick();
    // Samples the chosen file again in the encoding and quoting shown.
    void resample(bool keepMatches);
    exchange::TextEncoding encoding() const;
    exchange::CsvQuoting quoting() const;

    exchange::AsciiSample sample_;
    std::vector<exchange::OfferedField> offered_;
    bool showingGuess_ = false;
};
