#include "exchange/table_import_dialogs.h"

#include "exchange/match_dialog.h"
#include "exchange/text_lines.h"
#include "exchange/vcard_columns.h"
#include "platform/dialogs.h"
#include "platform/help.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

// Forgets a file that cannot be used: its name, and the buttons that would use it.
void refuse(QPushButton* match, QPushButton* import, const QString& message) {
    platform::ShowInfo(message);
    match->setEnabled(false);
    import->setEnabled(false);
}

// The address fields an import of table fields or vCard items may fill.
std::vector<std::pair<int, QString>>
matchedTargets(const exchange::FieldMatch& match, const std::vector<exchange::OfferedField>& rows) {
    std::vector<std::pair<int, QString>> targets;
    for (int r = 0; r < match.rowCount(); ++r)
        if (match.source(r) >= 0)
            targets.emplace_back(match.source(r), rows[std::size_t(r)].name);
    return targets;
}

} // namespace

TDBFImport::TDBFImport(QWidget* parent)
    : TImportBase("DBF File Import", "Select DBF File", HelpTopic, Messages::Table, parent) {
    setObjectName("DBFImport");
    connect(SelectButton, &QPushButton::clicked, this, [this] { SelectFileClick(); });
    connect(MatchButton, &QPushButton::clicked, this, [this] { MatchFieldsClick(); });
    connect(ImportButton, &QPushButton::clicked, this, [this] { ImportClick(); });
}

void TDBFImport::SelectFileClick() {
    const QString folder = QDir::currentPath();
    const std::optional<QString> chosen = askForFile("DBF Files|*.DBF", "*.dbf", "DBF");
    if (!chosen)
        return;
    setFileName(*chosen);
    QApplication::processEvents();
    const exchange::ImportSource::Opened opened = source_.open(*chosen);
    if (opened != exchange::ImportSource::Opened::Ok) {
        setFileName({});
        FileLabel->clear();
        refuse(MatchButton, ImportButton,
               opened == exchange::ImportSource::Opened::NoRecords
                   ? exchange::NoRecordsMessage(*chosen)
                   : exchange::CannotOpenMessage(*chosen));
        return;
    }
    MatchButton->setEnabled(true);
    ImportButton->setEnabled(false);
    setStatus({});
    accepted_ = false;
    QDir::setCurrent(folder);
}

void TDBFImport::MatchFieldsClick() {
    const QList<data::FieldInfo> fields = source_.fields();
    offered_ = exchange::OfferedTableFields(destination());
    if (!accepted_) {
        // Until a matching is accepted, each "Match Fields" starts from the automatic one.
        match_ = exchange::FieldMatch(int(offered_.size()));
        const std::vector<QString> targets = exchange::AutoMatchTableFields(fields, destination());
        for (int s = 0; s < int(targets.size()); ++s)
            for (int r = 0; r < int(offered_.size()); ++r)
                if (!targets[std::size_t(s)].isEmpty() &&
                    offered_[std::size_t(r)].name == targets[std::size_t(s)])
                    match_.assign(r, s);
    }
    TFieldMatchBase::Setup setup;
    setup.caption = "DBF File Import Match Fields";
    setup.helpTopic = TDBFMatch::HelpTopic;
    setup.sampleGridName = "SourceGrid";
    setup.sampleTitle = "Sample records";
    setup.fileName = QFileInfo(chosenFile()).fileName();
    setup.rows = offered_;
    std::vector<char> types;
    for (const data::FieldInfo& f : fields) {
        setup.sources << f.name;
        types.push_back(f.engineType);
    }
    std::vector<char> rowTypes;
    for (const exchange::OfferedField& o : offered_)
        rowTypes.push_back(o.type);
    setup.fits = [types, rowTypes](int row, int source) {
        return exchange::SourceFits(types[std::size_t(source)], rowTypes[std::size_t(row)]);
    };
    data::TTable& t = source_.table;
    try {
        for (t.first(); !t.eof() && setup.sample.size() < 10; t.next()) {
            std::vector<std::string> row;
            for (const data::FieldInfo& f : fields)
                row.push_back(t.fieldText(f.name).simplified().toStdString());
            setup.sample.push_back(std::move(row));
        }
    } catch (const std::exception&) {
        // The sample is for reference only.
    }
    TDBFMatch dialog(std::move(setup), match_, this);
    platform::CenterOnMainForm(dialog);
    if (platform::CurrentDialogs().exec(dialog) != platform::ResultOk)
        return;
    match_ = dialog.match();
    accepted_ = true;
    ImportButton->setEnabled(match_.any());
}

void TDBFImport::ImportClick() {
    std::vector<exchange::TableMatch> matches;
    for (const auto& [source, target] : matchedTargets(match_, offered_))
        matches.push_back({source, target});
    exchange::TableFeed feed(source_, matches);
    runImport(feed, chosenFile());
    source_.close();
}

TVCardImport::TVCardImport(QWidget* parent)
    : TImportBase("vCard File Import", "Select vCard File", HelpTopic, Messages::Table, parent) {
    setObjectName("VCardImport");
    connect(SelectButton, &QPushButton::clicked, this, [this] { SelectFileClick(); });
    connect(MatchButton, &QPushButton::clicked, this, [this] { MatchFieldsClick(); });
    connect(ImportButton, &QPushButton::clicked, this, [this] { ImportClick(); });
}

void TVCardImport::SelectFileClick() {
    const QString folder = QDir::currentPath();
    const std::optional<QString> chosen =
        askForFile("vCard files|*.VCF;*.VCARD|All files|*.*", "*.vcf", "vcf");
    if (!chosen)
        return;
    setFileName(*chosen);
    QApplication::processEvents();
    const std::string head = exchange::ReadHead(chosen->toStdString(), 4 << 20);
    encoding_ = exchange::DetectEncoding(head, head.size() < (4u << 20));
    sample_ = exchange::SampleVCardFile(chosen->toStdString(), encoding_);
    if (sample_.empty()) {
        setFileName({});
        FileLabel->clear();
        refuse(MatchButton, ImportButton, "There are no cards in " + *chosen);
        return;
    }
    MatchButton->setEnabled(true);
    ImportButton->setEnabled(false);
    accepted_ = false;
    setStatus({});
    QDir::setCurrent(folder);
}

void TVCardImport::MatchFieldsClick() {
    offered_ = exchange::OfferedTableFields(destination());
    const std::vector<exchange::VCardColumn>& columns = exchange::VCardColumns();
    if (!accepted_) {
        match_ = exchange::FieldMatch(int(offered_.size()));
        for (int s = 0; s < int(columns.size()); ++s)
            for (int r = 0; r < int(offered_.size()); ++r)
                if (offered_[std::size_t(r)].name == columns[std::size_t(s)].address)
                    match_.assign(r, s);
    }
    TFieldMatchBase::Setup setup;
    setup.caption = "vCard File Import Match Fields";
    setup.helpTopic = TDBFMatch::HelpTopic;
    setup.sampleGridName = "SourceGrid";
    setup.sampleTitle = "Sample cards";
    setup.fileName = QFileInfo(chosenFile()).fileName();
    setup.rows = offered_;
    for (const exchange::VCardColumn& c : columns)
        setup.sources << c.name;
    setup.sample = sample_;
    for (auto& row : setup.sample)
        for (std::string& value : row)
            value = QString::fromStdString(value).simplified().toStdString();
    TDBFMatch dialog(std::move(setup), match_, this);
    platform::CenterOnMainForm(dialog);
    if (platform::CurrentDialogs().exec(dialog) != platform::ResultOk)
        return;
    match_ = dialog.match();
    accepted_ = true;
    ImportButton->setEnabled(match_.any());
}

void TVCardImport::ImportClick() {
    exchange::VCardFeed feed(chosenFile().toStdString(), encoding_,
                             matchedTargets(match_, offered_));
    runImport(feed, chosenFile());
}

TImportCorvane1x::TImportCorvane1x(data::TTable& table, data::TXbEngine& engine,
                                   QString shortDatePattern, QWidget* parent)
    : TImportBase("Import Corvane 1.x DBF", "Select DBF File", 0, Messages::Table, parent),
      datePattern_(std::move(shortDatePattern)) {
    setObjectName("ImportCorvane1x");
    useDestination(table, engine);
    MatchButton->hide();
    // The older version's import has no help topic of its own: its "Help" shows the DBF
    // import's.
    disconnect(HelpButton, nullptr, this, nullptr);
    connect(HelpButton, &QPushButton::clicked, this,
            [] { platform::ShowHelpTopic(TDBFImport::HelpTopic); });
    connect(SelectButton, &QPushButton::clicked, this, [this] { SelectFileClick(); });
    connect(ImportButton, &QPushButton::clicked, this, [this] { ImportClick(); });
}

void TImportCorvane1x::SelectFileClick() {
    const QString folder = QDir::currentPath();
    const std::optional<QString> chosen =
        askForFile("DBF Files|*.DBF|All files|*.*", "*.dbf", "DBF");
    if (!chosen)
        return;
    setFileName(*chosen);
    QApplication::processEvents();
    const exchange::ImportSource::Opened opened = source_.open(*chosen);
    QString refusal;
    if (opened == exchange::ImportSource::Opened::CannotOpen)
        refusal = exchange::CannotOpenMessage(*chosen);
    else if (opened == exchange::ImportSource::Opened::NoRecords)
        refusal = exchange::NoRecordsMessage(*chosen);
    else if (!exchange::IsCorvane1xTable(source_.fields())) {
        source_.close();
        refusal = exchange::NotCorvane1xMessage(*chosen);
    }
    if (!refusal.isEmpty()) {
        setFileName({});
        FileLabel->clear();
        refuse(MatchButton, ImportButton, refusal);
        return;
    }
    ImportButton->setEnabled(true);
    QDir::setCurrent(folder);
}

void TImportCorvane1x::ImportClick() {
    exchange::TableFeed feed(source_, exchange::Corvane1xMatches(source_.fields()), datePattern_);
    runImport(feed, chosenFile());
    source_.close();
}
