#include "exchange/ascii_import_dialog.h"

#include "exchange/ascii_feed.h"
#include "exchange/match_dialog.h"
#include "platform/dialogs.h"
#include "platform/whats_this.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

TAsciiImport::TAsciiImport(QWidget* parent)
    : TImportBase("ASCII File Import", "Select ASCII File", HelpTopic, Messages::Text, parent) {
    setObjectName("AsciiImport");
    auto* encodingLabel = new QLabel("&Encoding:", this);
    encodingLabel->setGeometry(12, 44, 70, 22);
    EncodingCombo = new QComboBox(this);
    EncodingCombo->setObjectName("EncodingCombo");
    EncodingCombo->setGeometry(86, 44, 150, 24);
    encodingLabel->setBuddy(EncodingCombo);
    for (exchange::TextEncoding e : exchange::TextEncodings())
        EncodingCombo->addItem(exchange::EncodingName(e), int(e));
    Rfc4180Check = new QCheckBox("&RFC 4180 quoting (as spreadsheets write)", this);
    Rfc4180Check->setObjectName("Rfc4180Check");
    Rfc4180Check->setGeometry(12, 76, 416, 22);
    platform::GiveWhatsThis(*EncodingCombo,
                            "How the file's characters are written. Corvane finds it by looking "
                            "at the file; choose another one if names come out wrong.");
    platform::GiveWhatsThis(*Rfc4180Check,
                            "Read double quotes as spreadsheets write them: two double quotes "
                            "in a quoted value stand for one, and a quoted value may go on over "
                            "several lines. Off: only a comma between quotes is kept in its "
                            "value.");
    connect(SelectButton, &QPushButton::clicked, this, [this] { SelectFileClick(); });
    connect(MatchButton, &QPushButton::clicked, this, [this] { MatchFieldsClick(); });
    connect(ImportButton, &QPushButton::clicked, this, [this] { ImportClick(); });
    connect(EncodingCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!showingGuess_)
            resample(true);
    });
    connect(Rfc4180Check, &QCheckBox::toggled, this, [this] {
        if (!showingGuess_)
            resample(true);
    });
}

exchange::TextEncoding TAsciiImport::encoding() const {
    return exchange::TextEncoding(EncodingCombo->currentData().toInt());
}

exchange::CsvQuoting TAsciiImport::quoting() const {
    return Rfc4180Check->isChecked() ? exchange::CsvQuoting::Rfc4180 : exchange::CsvQuoting::Plain;
}

void TAsciiImport::SelectFileClick() {
    const QString folder = QDir::currentPath();
    const std::optional<QString> chosen =
        askForFile("Text files, CSV Files|*.TXT;*.CSV|All files|*.*", "*.txt;*.csv", "prn");
    if (!chosen) // a cancelled dialog keeps the previous choice
        return;
    setFileName(*chosen);
    QApplication::processEvents();
    const exchange::TextFileGuess guess = exchange::GuessTextFile(chosen->toStdString());
    showingGuess_ = true;
    EncodingCombo->setCurrentIndex(EncodingCombo->findData(int(guess.encoding)));
    Rfc4180Check->setChecked(guess.quoting == exchange::CsvQuoting::Rfc4180);
    showingGuess_ = false;
    resample(false);
    QDir::setCurrent(folder);
}

void TAsciiImport::resample(bool keepMatches) {
    if (chosenFile().isEmpty())
        return;
    const std::vector<exchange::AsciiColumn> before = sample_.columns;
    sample_ = exchange::SampleAsciiFile(chosenFile().toStdString(), encoding(), quoting());
    if (sample_.rows.size() < 2) {
        platform::ShowInfo("Unable to import from this file");
        sample_ = {};
        MatchButton->setEnabled(false);
        ImportButton->setEnabled(false);
        setStatus({});
        return;
    }
    // Matches stay when only the reading of the same columns changed.
    bool matched = false;
    if (keepMatches && before.size() == sample_.columns.size()) {
        for (std::size_t i = 0; i < before.size(); ++i) {
            sample_.columns[i].matched = before[i].matched;
            matched = matched || !before[i].matched.isEmpty();
        }
    }
    MatchButton->setEnabled(true);
    ImportButton->setEnabled(matched);
    setStatus({});
}

void TAsciiImport::MatchFieldsClick() {
    offered_ = exchange::OfferedTextFields(destination());
    TFieldMatchBase::Setup setup;
    setup.caption = "ASCII File Import Match Fields";
    setup.helpTopic = TAsciiMatch::HelpTopic;
    setup.sampleGridName = "SG";
    setup.sampleTitle = "Sample ASCII Fields";
    setup.fileName = QFileInfo(chosenFile()).fileName();
    setup.rows = offered_;
    const QFontMetrics metrics(font());
    const int widest = 2 * logicalDpiX();
    for (const exchange::AsciiColumn& c : sample_.columns) {
        setup.sources << c.name;
        const int wanted = metrics.horizontalAdvance('W') * c.longest;
        setup.sampleWidths.push_back(
            std::clamp(wanted, metrics.horizontalAdvance("Field 12") + 8, widest));
    }
    // The grid shows the sampled lines but the last one read.
    for (std::size_t r = 0; r + 1 < sample_.rows.size(); ++r) {
        std::vector<std::string> cut = sample_.rows[r];
        cut.resize(sample_.columns.size());
        setup.sample.push_back(std::move(cut));
    }
    exchange::FieldMatch match(int(offered_.size()));
    for (int c = 0; c < columnCount(); ++c) {
        const QString& label = sample_.columns[std::size_t(c)].matched;
        for (int r = 0; r < int(offered_.size()); ++r)
            if (!label.isEmpty() && offered_[std::size_t(r)].label == label)
                match.assign(r, c);
    }
    TAsciiMatch dialog(std::move(setup), match, this);
    platform::CenterOnMainForm(dialog);
    if (platform::CurrentDialogs().exec(dialog) != platform::ResultOk)
        return;
    bool any = false;
    for (int c = 0; c < columnCount(); ++c) {
        const int row = dialog.match().rowOf(c);
        sample_.columns[std::size_t(c)].matched =
            row >= 0 ? offered_[std::size_t(row)].label : QString();
        any = any || row >= 0;
    }
    ImportButton->setEnabled(any);
}

void TAsciiImport::ImportClick() {
    std::vector<std::pair<int, QString>> matches;
    for (int c = 0; c < columnCount(); ++c) {
        const QString field =
            exchange::OfferedFieldNamed(offered_, sample_.columns[std::size_t(c)].matched);
        if (!field.isEmpty())
            matches.emplace_back(c, field);
    }
    exchange::AsciiFeed feed(chosenFile().toStdString(), encoding(), quoting(), columnCount(),
                             matches);
    runImport(feed, chosenFile());
}
